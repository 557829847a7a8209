#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>

// The widget as it shows on screen, one pixel per widget pixel.
inline QImage grabImage(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline QColor pixelAt(const QImage &image, int x, int y)
{
    return QColor(image.pixel(x, y)).toRgb();
}

// Bounding box of the pixels inside area that differ from background.
inline QRect inkBounds(const QImage &image, const QRect &area, const QColor &background)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (pixelAt(image, x, y) != background)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

inline int countColor(const QImage &image, const QRect &area, const QColor &color)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (pixelAt(image, x, y) == color)
                ++count;
    return count;
}
