#include "platform/bitmap_file.h"

#include "platform/bitmap_decoder.h"

#include <cstring>

InvalidBitmapError::InvalidBitmapError() : std::runtime_error("Bitmap image is not valid") {}

QImage decodeWindowsBitmap(const QByteArray &bytes)
{
    const std::optional<DecodedBitmap> decoded = decodeBitmapPixels(
        reinterpret_cast<const unsigned char *>(bytes.constData()), std::size_t(bytes.size()));
    if (!decoded)
        throw InvalidBitmapError();
    const DecodedBitmap &d = *decoded;
    if (d.monochrome) {
        // Kept at one bit a pixel: such a picture's transparent colour is white.
        QImage image(d.width, d.height, QImage::Format_Mono);
        if (image.isNull())
            throw InvalidBitmapError();
        image.setColorTable({d.monoColours[0], d.monoColours[1]});
        for (int y = 0; y < d.height; ++y) {
            const std::uint32_t *row = d.pixels.data() + std::size_t(y) * std::size_t(d.width);
            for (int x = 0; x < d.width; ++x)
                image.setPixel(x, y, row[x] == d.monoColours[0] ? 0 : 1);
        }
        return image;
    }
    QImage image(d.width, d.height, QImage::Format_RGB32);
    if (image.isNull())
        throw InvalidBitmapError();
    for (int y = 0; y < d.height; ++y)
        std::memcpy(image.scanLine(y), d.pixels.data() + std::size_t(y) * std::size_t(d.width),
                    std::size_t(d.width) * sizeof(std::uint32_t));
    return image;
}
