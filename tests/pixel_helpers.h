#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QWidget>

// The widget as it shows on screen, one pixel per widget pixel, children included.
inline QImage grabImage(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// An image of one colour.
inline QImage solidImage(int w, int h, const QColor &color)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

inline QColor pixelAt(const QImage &image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

inline QColor pixelAt(const QImage &image, QPoint p)
{
    return pixelAt(image, p.x(), p.y());
}

// Bounding box of the pixels inside area that differ from background.
inline QRect inkBounds(const QImage &image, const QRect &area, const QColor &background)
{
    QRect bounds;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (pixelAt(image, x, y) != background)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

inline int countColor(const QImage &image, const QRect &area, const QColor &color)
{
    int count = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (pixelAt(image, x, y) == color)
                ++count;
    return count;
}

// A fixed font, so text measures the same on every run.
inline QFont testFont(int pixels = 13)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// Pixels of colour `copy` inside area that do not lie `offset` away from the
// drawing they copy: the pixel `offset` back shows the background or the
// copy's own colour. A copy drawn at `offset` under its drawing has none.
inline int strayCopyPixels(const QImage &image, const QRect &area, const QColor &background,
                           const QColor &copy, QPoint offset)
{
    int count = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (pixelAt(image, x, y) != copy)
                continue;
            const QPoint from = QPoint(x, y) - offset;
            if (!image.rect().contains(from))
                continue;
            const QColor behind = pixelAt(image, from);
            if (behind == background || behind == copy)
                ++count;
        }
    return count;
}
