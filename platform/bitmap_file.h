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

// Decodes the bytes of a Windows bitmap file (".bmp"). Anything else - another
// picture format, a damaged header, pixel data cut short, no bytes at all -
// throws InvalidBitmapError.
QImage decodeWindowsBitmap(const QByteArray &bytes);
