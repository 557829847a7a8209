#include "controls/look_group_box.h"
#include "platform/enabled_look.h"

#include "platform/canvas.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kLineWidth = 1; // the ultra-flat border is a single line
constexpr int kShadowWidth = 3;
constexpr int kCaptionIndent = 8;

} // namespace

TLookGroupBox::TLookGroupBox(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    resize(185, 105);
    updateMargins();
}

void TLookGroupBox::setTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    update();
}

void TLookGroupBox::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void TLookGroupBox::setEdges(TBorderEdges edges)
{
    if (edges == m_edges)
        return;
    m_edges = edges;
    updateMargins();
    update();
}

void TLookGroupBox::setShadow(bool shadow)
{
    if (shadow == m_shadow)
        return;
    m_shadow = shadow;
    update();
}

void TLookGroupBox::setTransparentBorder(bool value)
{
    if (value == m_transparentBorder)
        return;
    m_transparentBorder = value;
    updateMargins();
    update();
}

int TLookGroupBox::extent(TBorderEdge side) const
{
    if (m_transparentBorder)
        return 2;
    return m_edges.testFlag(side) ? kLineWidth : 0;
}

void TLookGroupBox::updateMargins()
{
    // Children laid out inside the box stay clear of the border and of a
    // caption band at the top.
    const int band = QFontMetrics(font()).height() + 3;
    setContentsMargins(extent(bLeft), extent(bTop) + band, extent(bRight), extent(bBottom));
}

void TLookGroupBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawBox(painter, rect());
}

void TLookGroupBox::drawBox(QPainter &painter, const QRect &rect) const
{
    if (m_shadow) {
        const QColor shade = toQColor(clBtnShadow);
        painter.fillRect(QRect(rect.right() - kShadowWidth + 1, rect.top() + kShadowWidth,
                               kShadowWidth, rect.height() - kShadowWidth),
                         shade);
        painter.fillRect(QRect(rect.left() + kShadowWidth, rect.bottom() - kShadowWidth + 1,
                               rect.width() - kShadowWidth, kShadowWidth),
                         shade);
    }
    const QRect box = m_shadow ? rect.adjusted(0, 0, -kShadowWidth, -kShadowWidth) : rect;
    if (!m_transparent)
        painter.fillRect(box, palette().color(QPalette::Window));

    painter.save();
    if (!m_caption.isEmpty()) {
        const QSize size = measureTextLine(font(), m_caption);
        const QRect captionRect(box.left() + kCaptionIndent, box.top(), size.width() + 2,
                                size.height());
        painter.setFont(font());
        const QColor ink =
            looksEnabled(this) ? palette().color(QPalette::WindowText) : toQColor(clBtnShadow);
        drawTextLine(painter, captionRect.adjusted(1, 0, -1, 0), m_caption,
                     Qt::AlignLeft | Qt::AlignVCenter, ink);
        // The border does not run through the caption.
        painter.setClipRegion(QRegion(rect) - QRegion(captionRect));
    }
    if (m_edges) {
        QRect border = box.adjusted(extent(bLeft), extent(bTop), -extent(bRight), -extent(bBottom));
        border.adjust(
            m_edges.testFlag(bLeft) ? -kLineWidth : 0, m_edges.testFlag(bTop) ? -kLineWidth : 0,
            m_edges.testFlag(bRight) ? kLineWidth : 0, m_edges.testFlag(bBottom) ? kLineWidth : 0);
        // A caption at the top sits on the top line, as a group box's does.
        if (!m_caption.isEmpty() && m_edges.testFlag(bTop))
            border.setTop(std::max(border.top(), box.top() + QFontMetrics(font()).height() / 2));
        const QColor line = toQColor(clBtnShadow);
        if (m_edges.testFlag(bLeft))
            painter.fillRect(QRect(border.left(), border.top(), kLineWidth, border.height()), line);
        if (m_edges.testFlag(bTop))
            painter.fillRect(QRect(border.left(), border.top(), border.width(), kLineWidth), line);
        if (m_edges.testFlag(bRight))
            painter.fillRect(QRect(border.right(), border.top(), kLineWidth, border.height()),
                             line);
        if (m_edges.testFlag(bBottom))
            painter.fillRect(QRect(border.left(), border.bottom(), border.width(), kLineWidth),
                             line);
    }
    painter.restore();
}

void TLookGroupBox::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateMargins();
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::EnabledChange)
        update();
}
