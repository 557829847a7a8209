// Writers for the two Windows picture containers the program ships: plain
// 24-bit bitmaps and multi-image icons. Written by hand so every header field
// is exactly what we choose, whatever Qt's own writers would put there.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QVector>

namespace pictures {

// 24 bits per pixel, BI_RGB, bottom-up rows, 2834 pixels per metre.
QByteArray encodeBmp24(const QImage &image);

// One image of an icon: the picture (ARGB, straight alpha) and the colour
// depth it is stored at (4, 8 or 32 bits per pixel).
struct IconImage {
    QImage image;
    int bitCount = 32;
};

// Builds the icon container. 4- and 8-bit images are reduced to a palette of
// their own; every image gets its 1-bit AND mask from the alpha channel.
QByteArray encodeIco(const QVector<IconImage> &images);

// Reduces an ARGB picture to at most `colours` colours (opaque pixels only)
// and returns it remapped, so callers can look at what the palette images
// will show.
QImage quantized(const QImage &image, int colours);

bool writeFile(const QString &path, const QByteArray &bytes);

} // namespace pictures
