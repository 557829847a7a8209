#include "platform/panel.h"

#include "platform/canvas.h"
#include "platform/palette_colors.h"

#include <QPainter>

namespace {

// One ring per pixel of width: the top and left edges in topLeft, the right and
// bottom edges (both far corners included) in bottomRight. Returns the rectangle
// left inside the rings.
QRect drawBevel(QPainter &painter, QRect rect, const QColor &topLeft, const QColor &bottomRight,
                int width)
{
    for (int i = 0; i < width && rect.width() > 0 && rect.height() > 0; ++i) {
        const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
        painter.fillRect(QRect(l, t, r - l, 1), topLeft);
        painter.fillRect(QRect(l, t, 1, b - t), topLeft);
        painter.fillRect(QRect(r, t, 1, b - t + 1), bottomRight);
        painter.fillRect(QRect(l, b, r - l + 1, 1), bottomRight);
        rect.adjust(1, 1, -1, -1);
    }
    return rect;
}

QRect drawCut(QPainter &painter, const QRect &rect, TBevelCut cut, int width)
{
    if (cut == bvNone)
        return rect;
    const QColor light = toQColor(clBtnHighlight);
    const QColor shadow = toQColor(clBtnShadow);
    return cut == bvRaised ? drawBevel(painter, rect, light, shadow, width)
                           : drawBevel(painter, rect, shadow, light, width);
}

} // namespace

TPanel::TPanel(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setPaletteColor(this, QPalette::Window, m_color);
    bevelsChanged();
    resize(185, 41);
}

void TPanel::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    // Every colour group: a disabled panel keeps its look.
    setPaletteColor(this, QPalette::Window, color);
    update();
}

void TPanel::setBevelOuter(TBevelCut cut)
{
    if (cut == m_bevelOuter)
        return;
    m_bevelOuter = cut;
    bevelsChanged();
}

void TPanel::setBevelInner(TBevelCut cut)
{
    if (cut == m_bevelInner)
        return;
    m_bevelInner = cut;
    bevelsChanged();
}

void TPanel::setBevelWidth(int width)
{
    if (width < 1 || width == m_bevelWidth)
        return;
    m_bevelWidth = width;
    bevelsChanged();
}

void TPanel::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void TPanel::setFontColor(TColor color)
{
    setControlFontColor(this, {QPalette::WindowText}, color);
}

int TPanel::borderWidthInside() const
{
    return (m_bevelOuter != bvNone ? m_bevelWidth : 0) +
        (m_bevelInner != bvNone ? m_bevelWidth : 0);
}

void TPanel::bevelsChanged()
{
    // Children placed by the contents rectangle stay inside the bevels.
    const int border = borderWidthInside();
    setContentsMargins(border, border, border, border);
    update();
}

void TPanel::drawPanel(QPainter &painter, const QRect &rect) const
{
    QRect inside = drawCut(painter, rect, m_bevelOuter, m_bevelWidth);
    inside = drawCut(painter, inside, m_bevelInner, m_bevelWidth);
    if (inside.isEmpty())
        return;
    painter.fillRect(inside, toQColor(m_color));
    if (!m_caption.isEmpty()) {
        painter.setFont(font());
        // The Active group, so a disabled panel does not grey its caption.
        drawTextLine(painter, inside, m_caption, Qt::AlignCenter,
                     palette().color(QPalette::Active, QPalette::WindowText));
    }
}

void TPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawPanel(painter, rect());
}
