#include "platform/bitmap_file.h"

#include <cstdint>
#include <cstdlib>

namespace {

constexpr std::int64_t kFileHeaderSize = 14;

std::uint32_t u16At(const QByteArray &bytes, qsizetype at)
{
    return std::uint32_t(std::uint8_t(bytes[at])) | std::uint32_t(std::uint8_t(bytes[at + 1])) << 8;
}

std::uint32_t u32At(const QByteArray &bytes, qsizetype at)
{
    return u16At(bytes, at) | u16At(bytes, at + 2) << 16;
}

std::int32_t i32At(const QByteArray &bytes, qsizetype at)
{
    return std::int32_t(u32At(bytes, at));
}

bool knownInfoHeaderSize(std::uint32_t size)
{
    switch (size) {
    case 12:
    case 40:
    case 52:
    case 56:
    case 64:
    case 108:
    case 124:
        return true;
    default:
        return false;
    }
}

// The headers say what the file should hold; Qt's reader would show a short
// file as a partly black picture, so what is missing is caught here.
bool headersAreSane(const QByteArray &bytes)
{
    const std::int64_t fileSize = bytes.size();
    if (fileSize < kFileHeaderSize + 12 || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    const std::uint32_t infoSize = u32At(bytes, 14);
    if (!knownInfoHeaderSize(infoSize) || kFileHeaderSize + infoSize > fileSize)
        return false;

    std::int64_t width = 0, height = 0;
    std::uint32_t planes = 0, bitCount = 0, compression = 0;
    if (infoSize == 12) {
        width = u16At(bytes, 18);
        height = u16At(bytes, 20);
        planes = u16At(bytes, 22);
        bitCount = u16At(bytes, 24);
    } else {
        width = i32At(bytes, 18);
        height = i32At(bytes, 22);
        planes = u16At(bytes, 26);
        bitCount = u16At(bytes, 28);
        compression = u32At(bytes, 30);
    }
    if (width <= 0 || height == 0 || planes != 1)
        return false;
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return false;
    }

    const std::int64_t pixelsAt = u32At(bytes, 10);
    if (pixelsAt < kFileHeaderSize + infoSize || pixelsAt > fileSize)
        return false;
    switch (compression) {
    case 0: // plain rows, each padded to four bytes
    case 3: { // plain rows with colour masks
        if (compression == 3 && bitCount != 16 && bitCount != 32)
            return false;
        const std::int64_t rowBytes = (width * bitCount + 31) / 32 * 4;
        return pixelsAt + rowBytes * std::abs(height) <= fileSize;
    }
    case 1: // run-length 8 bits, bottom-up only
        return bitCount == 8 && height > 0 && pixelsAt < fileSize;
    case 2: // run-length 4 bits, bottom-up only
        return bitCount == 4 && height > 0 && pixelsAt < fileSize;
    default:
        return false;
    }
}

} // namespace

InvalidBitmapError::InvalidBitmapError() : std::runtime_error("Bitmap image is not valid") {}

QImage decodeWindowsBitmap(const QByteArray &bytes)
{
    if (!headersAreSane(bytes))
        throw InvalidBitmapError();
    QImage image = QImage::fromData(bytes, "BMP");
    if (image.isNull())
        throw InvalidBitmapError();
    return image;
}
