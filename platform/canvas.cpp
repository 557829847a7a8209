#include "platform/canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

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
