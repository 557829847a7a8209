#include "platform/canvas.h"

#include "platform/tab_order.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

namespace {

int textFlags(Qt::Alignment alignment, bool prefix)
{
    int flags = int(alignment) | Qt::TextSingleLine;
    if (prefix)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

} // namespace

QSize measureTextLine(const QFont &font, const QString &text, bool prefix)
{
    if (text.isEmpty())
        return QSize(0, 0);
    const QFontMetrics metrics(font);
    return metrics.size(textFlags({}, prefix), text);
}

void drawTextLine(QPainter &painter, const QRect &rect, const QString &text,
                  Qt::Alignment alignment, const QColor &color, bool prefix, bool clip)
{
    if (text.isEmpty())
        return;
    painter.save();
    if (clip)
        painter.setClipRect(rect, Qt::IntersectClip);
    painter.setPen(color);
    painter.setBackgroundMode(Qt::TransparentMode);
    // Qt's mnemonic handling is the prefix rule; clipping is ours to decide.
    painter.drawText(rect, textFlags(alignment, prefix) | Qt::TextDontClip, text);
    painter.restore();
}

namespace {

// Visits every pixel of the rectangle's edge once, corners included.
template<class Dot> void forEachEdgePixel(const QRect &rect, Dot dot)
{
    const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    for (int x = l; x <= r; ++x) {
        dot(x, t);
        if (b != t)
            dot(x, b);
    }
    for (int y = t + 1; y < b; ++y) {
        dot(l, y);
        if (r != l)
            dot(r, y);
    }
}

} // namespace

void drawFocusRect(QPainter &painter, const QRect &rect)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor invert(255, 255, 255);
    forEachEdgePixel(rect, [&](int x, int y) {
        if (((x + y) & 1) == 0)
            painter.fillRect(QRect(x, y, 1, 1), invert);
    });
    painter.restore();
}

void drawColoredFocusRect(QPainter &painter, const QRect &rect, const QColor &background,
                          const QColor &foreground)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    forEachEdgePixel(rect, [&](int x, int y) {
        painter.fillRect(QRect(x, y, 1, 1), ((x + y) & 1) == 0 ? foreground : background);
    });
}

namespace {

// Renders the part of source that falls inside area; origin is where source's
// top-left corner lies in the painter's coordinates.
void renderPart(QWidget *source, QPainter &painter, QPoint origin, const QRect &area,
                QWidget::RenderFlags flags)
{
    const QRect part = area.translated(-origin) & source->rect();
    if (!part.isEmpty())
        source->render(&painter, part.topLeft() + origin, QRegion(part), flags);
}

// Paints the layers beneath widget, whose top-left corner is at origin.
void paintBeneath(const QWidget *widget, QPainter &painter, QPoint origin, const QRect &area,
                  const BeneathLayers &layers)
{
    QWidget *parent = widget->isWindow() ? nullptr : widget->parentWidget();
    if (!parent)
        return;
    const QPoint parentOrigin = origin - widget->pos();
    // Qt cuts a child at its parent's edges: nothing outside them shows.
    const QRect inside = area & parent->rect().translated(parentOrigin);
    if (layers.beneathParent)
        paintBeneath(parent, painter, parentOrigin, inside, layers);
    // Only the window has a background of its own beneath everything: a
    // control that fills its background paints it as its own picture.
    const QWidget::RenderFlags own = layers.beneathParent && parent->isWindow()
        ? QWidget::DrawWindowBackground
        : QWidget::RenderFlags();
    renderPart(parent, painter, parentOrigin, inside, own);
    const QObjectList children = parent->children();
    const auto draw = [&](QObject *object, bool graphic) {
        auto *child = qobject_cast<QWidget *>(object);
        if (!child || child == widget || child->isWindow() || !child->isVisibleTo(parent))
            return;
        if (graphic && !isGraphicControl(child))
            return;
        renderPart(child, painter, parentOrigin + child->pos(), inside, QWidget::DrawChildren);
    };
    if (layers.graphicChildren)
        for (QObject *object : children)
            draw(object, true);
    if (layers.earlierChildren) {
        for (QObject *object : children) {
            if (object == widget)
                break;
            if (!layers.graphicChildren || !isGraphicControl(qobject_cast<QWidget *>(object)))
                draw(object, false);
        }
    }
}

} // namespace

void paintWhatLiesBeneath(QPainter &painter, const QWidget *control, const QRect &rect,
                          const BeneathLayers &layers)
{
    if (!control || !control->parentWidget() || rect.isEmpty())
        return;
    // Drawn into an image of its own, so this works from inside the control's
    // paint event and for any target the painter draws on.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    QImage copy(rect.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    copy.setDevicePixelRatio(ratio);
    copy.fill(Qt::transparent);
    {
        QPainter target(&copy);
        paintBeneath(control, target, -rect.topLeft(), QRect(QPoint(0, 0), rect.size()), layers);
    }
    painter.drawImage(rect.topLeft(), copy);
}

QImage withTransparentColor(const QImage &image, QRgb transparent)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = transparent & 0x00FFFFFFu;
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == key)
                line[x] = 0;
        }
    }
    return result;
}

void drawTransparentImage(QPainter &painter, const QPoint &origin, const QImage &image,
                          QRgb transparent)
{
    if (image.isNull())
        return;
    painter.drawImage(origin, withTransparentColor(image, transparent));
}

void drawEdgeRing(QPainter &painter, const QRect &rect, const QColor &topLeft,
                  const QColor &bottomRight)
{
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), topLeft);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), topLeft);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), bottomRight);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), bottomRight);
}
