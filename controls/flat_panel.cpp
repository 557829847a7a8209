#include "controls/flat_panel.h"
#include "platform/enabled_look.h"

#include "platform/canvas.h"

#include <QMouseEvent>
#include <QPainter>

TDefinePanel::TDefinePanel(QWidget *parent) : TVersionControl(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    // Children laid out inside the panel leave its border free.
    setContentsMargins(1, 1, 1, 1);
    resize(185, 41);
}

void TDefinePanel::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void TDefinePanel::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void TDefinePanel::setColorBorder(TColor color)
{
    m_colorBorder = color;
    update();
}

QColor TDefinePanel::fontColor() const
{
    return palette().color(QPalette::WindowText);
}

void TDefinePanel::setFontColor(TColor color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, toQColor(color));
    setPalette(pal);
}

void TDefinePanel::setAlignment(TAlignment alignment)
{
    m_alignment = alignment;
    update();
}

void TDefinePanel::setAlignment(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignLeft)
        setAlignment(taLeftJustify);
    else if (alignment & Qt::AlignRight)
        setAlignment(taRightJustify);
    else
        setAlignment(taCenter);
}

void TDefinePanel::setTransparent(bool transparent)
{
    m_transparent = transparent;
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    update();
}

void TDefinePanel::setStyleFace(TStyleFace face)
{
    m_styleFace = face;
    update();
}

void TDefinePanel::setBackgropStartColor(TColor color)
{
    m_startColor = color;
    update();
}

void TDefinePanel::setBackgropStopColor(TColor color)
{
    m_stopColor = color;
    update();
}

void TDefinePanel::setBackgropOrien(TStyleOrien orientation)
{
    m_orien = orientation;
    update();
}

void TDefinePanel::setTag(int tag)
{
    m_tag = tag;
}

void TDefinePanel::paintEvent(QPaintEvent *)
{
    // Qt's backing store double-buffers, so the caption never flickers when
    // rewritten even though we paint straight onto the widget.
    QPainter painter(this);
    drawPanel(painter, rect());
}

void TDefinePanel::drawPanel(QPainter &painter, const QRect &rect)
{
    if (m_transparent)
        PaintParentBackground(this, painter);
    else if (m_styleFace == fsDefault)
        painter.fillRect(rect, toQColor(m_color));
    else
        FillGradient(painter, m_startColor, m_stopColor, rect, m_orien);
    DrawFlatFrame(painter, rect, m_colorBorder, 1);

    const QRect captionArea = rect.adjusted(3, 0, -3, 0);
    Qt::Alignment placement = Qt::AlignVCenter;
    switch (m_alignment) {
    case taLeftJustify:
        placement |= Qt::AlignLeft;
        break;
    case taRightJustify:
        placement |= Qt::AlignRight;
        break;
    case taCenter:
        placement |= Qt::AlignHCenter;
        break;
    }
    painter.setFont(font());
    if (looksEnabled(this)) {
        drawTextLine(painter, captionArea, m_caption, placement, fontColor());
    } else {
        // The raised copy is cut at the same area as the caption itself.
        painter.save();
        painter.setClipRect(captionArea);
        drawTextLine(painter, captionArea.translated(1, 1), m_caption, placement,
                     toQColor(clBtnHighlight));
        painter.restore();
        drawTextLine(painter, captionArea, m_caption, placement, toQColor(clBtnShadow));
    }
}

void TDefinePanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
    }
}

void TDefinePanel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // The second press of a double-click reports the double-click instead of
    // starting another click.
    m_pressed = false;
    emit doubleClicked();
}

void TDefinePanel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (wasPressed && rect().contains(event->position().toPoint()))
        emit clicked();
}

void TDefinePanel::changeEvent(QEvent *event)
{
    TVersionControl::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange ||
        event->type() == QEvent::PaletteChange)
        update();
}

TFlatPanel::TFlatPanel(QWidget *parent) : TDefinePanel(parent) {}
