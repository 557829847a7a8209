#pragma once

#include <QByteArray>
#include <QImage>

#include <stdexcept>

// A file that is not a Windows bitmap we can show. what() is
// "Bitmap image is not valid".
class InvalidBitmapError : public std::runtime_error {
public:
    InvalidBitmapError();
};

// Decodes the bytes of a Windows bitmap file (".bmp"), every byte checked (see
// bitmap_decoder.h). Anything else - another picture format, a damaged header,
// pixel data cut short or run-length data that does not add up, no bytes at
// all - throws InvalidBitmapError. A one-bit picture stays one bit deep; any
// other comes back opaque RGB32, whatever its alpha bytes held.
QImage decodeWindowsBitmap(const QByteArray &bytes);
