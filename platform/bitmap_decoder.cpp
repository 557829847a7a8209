#include "platform/bitmap_decoder.h"

#include <algorithm>
#include <bit>
#include <limits>

// Written by hand rather than handed to the toolkit's reader: that reader shows
// whatever it can make of damaged run-length data (streaks, holes, stray dots,
// a blank picture for a file cut short) and reports no error, reads palette
// indices past the palette, and takes an alpha channel into account; none of
// that can be checked from outside after the fact.

namespace {

constexpr std::int64_t kFileHeaderSize = 14;
constexpr std::uint32_t kOpaque = 0xFF000000u;

enum Compression : std::uint32_t {
    kRgb = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitFields = 3,
};

// Bounds-checked little-endian reads over the file's bytes.
class Bytes {
public:
    Bytes(const unsigned char *data, std::size_t size) : m_data(data), m_size(std::int64_t(size)) {}
    std::int64_t size() const { return m_size; }
    bool has(std::int64_t at, std::int64_t count) const
    {
        return at >= 0 && count >= 0 && at <= m_size && count <= m_size - at;
    }
    std::uint32_t u8(std::int64_t at) const { return m_data[at]; }
    std::uint32_t u16(std::int64_t at) const { return u8(at) | u8(at + 1) << 8; }
    std::uint32_t u32(std::int64_t at) const { return u16(at) | u16(at + 2) << 16; }
    std::int32_t i32(std::int64_t at) const { return std::int32_t(u32(at)); }

private:
    const unsigned char *m_data;
    std::int64_t m_size;
};

struct Header {
    std::int64_t infoSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0; // rows; bottom-up unless topDown
    bool topDown = false;
    std::uint32_t bitCount = 0;
    std::uint32_t compression = kRgb;
    std::int64_t colourCount = 0; // palette entries the header declares (0: the default)
    std::int64_t pixelsAt = 0;
    bool core = false; // the 12-byte header: three-byte palette entries, no compression
};

bool knownInfoHeaderSize(std::uint32_t size)
{
    switch (size) {
    case 12: // BITMAPCOREHEADER
    case 40: // BITMAPINFOHEADER
    case 52: // with the colour masks
    case 56: // with the alpha mask too
    case 64: // the two-byte-planes OS/2 header
    case 108: // BITMAPV4HEADER
    case 124: // BITMAPV5HEADER
        return true;
    default:
        return false;
    }
}

std::optional<Header> readHeader(const Bytes &file)
{
    if (!file.has(0, kFileHeaderSize + 4) || file.u8(0) != 'B' || file.u8(1) != 'M')
        return std::nullopt;
    Header h;
    const std::uint32_t infoSize = file.u32(14);
    if (!knownInfoHeaderSize(infoSize) || !file.has(kFileHeaderSize, infoSize))
        return std::nullopt;
    h.infoSize = infoSize;
    std::uint32_t planes = 0;
    if (infoSize == 12) {
        h.core = true;
        h.width = file.u16(18);
        h.height = file.u16(20);
        planes = file.u16(22);
        h.bitCount = file.u16(24);
    } else {
        h.width = file.i32(18);
        const std::int64_t height = file.i32(22);
        h.topDown = height < 0;
        h.height = height < 0 ? -height : height;
        planes = file.u16(26);
        h.bitCount = file.u16(28);
        h.compression = file.u32(30);
        h.colourCount = file.u32(46);
    }
    h.pixelsAt = file.u32(10);
    if (h.width <= 0 || h.height <= 0 || planes != 1 || h.pixelsAt > file.size())
        return std::nullopt;

    switch (h.bitCount) {
    case 1:
    case 24:
        if (h.compression != kRgb)
            return std::nullopt;
        break;
    case 4:
        if (h.compression != kRgb && h.compression != kRle4)
            return std::nullopt;
        break;
    case 8:
        if (h.compression != kRgb && h.compression != kRle8)
            return std::nullopt;
        break;
    case 16:
    case 32:
        // The OS/2 header's compression 3 is another scheme, not colour masks.
        if (h.compression != kRgb && (h.compression != kBitFields || infoSize == 64))
            return std::nullopt;
        break;
    default:
        return std::nullopt;
    }
    if (h.core && (h.bitCount == 16 || h.bitCount == 32))
        return std::nullopt;
    // Run-length pictures are stored bottom-up only.
    if (h.topDown && h.compression != kRgb && h.compression != kBitFields)
        return std::nullopt;
    return h;
}

// One colour channel: where it sits in a pixel and how to widen it to eight bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;

    static std::optional<Channel> of(std::uint32_t mask)
    {
        if (mask == 0)
            return std::nullopt;
        Channel c;
        c.mask = mask;
        c.shift = std::countr_zero(mask);
        const std::uint32_t bits = mask >> c.shift;
        if ((bits & (bits + 1)) != 0) // holes in the mask
            return std::nullopt;
        c.max = bits;
        return c;
    }
    std::uint32_t value(std::uint32_t pixel) const
    {
        const std::uint64_t v = (pixel & mask) >> shift;
        return std::uint32_t((v * 255 + max / 2) / max);
    }
};

struct Masks {
    Channel red, green, blue;
    std::uint32_t rgb(std::uint32_t pixel) const
    {
        return kOpaque | red.value(pixel) << 16 | green.value(pixel) << 8 | blue.value(pixel);
    }
};

// The colour masks of a 16- or 32-bit picture, and where the palette starts.
std::optional<Masks> readMasks(const Bytes &file, const Header &h, std::int64_t &paletteAt)
{
    std::uint32_t red = 0, green = 0, blue = 0;
    if (h.compression == kBitFields) {
        const std::int64_t at = kFileHeaderSize + 40;
        if (h.infoSize == 40)
            paletteAt += 12; // the masks follow the header
        if (!file.has(at, 12) || at + 12 > h.pixelsAt)
            return std::nullopt;
        red = file.u32(at);
        green = file.u32(at + 4);
        blue = file.u32(at + 8);
        if (h.bitCount == 16 && ((red | green | blue) >> 16) != 0)
            return std::nullopt;
        if ((red & green) != 0 || (red & blue) != 0 || (green & blue) != 0)
            return std::nullopt;
    } else if (h.bitCount == 16) {
        red = 0x7C00;
        green = 0x03E0;
        blue = 0x001F;
    } else {
        red = 0x00FF0000;
        green = 0x0000FF00;
        blue = 0x000000FF;
    }
    const std::optional<Channel> r = Channel::of(red), g = Channel::of(green),
                                 b = Channel::of(blue);
    if (!r || !g || !b)
        return std::nullopt;
    return Masks{*r, *g, *b};
}

// The palette entries that lie wholly between the header and the pixels, up to
// the number the header declares (all 2^bits when it declares none).
std::vector<std::uint32_t> readPalette(const Bytes &file, const Header &h, std::int64_t at)
{
    std::vector<std::uint32_t> palette;
    const std::int64_t full = std::int64_t(1) << h.bitCount;
    const std::int64_t declared = h.colourCount == 0 || h.colourCount > full ? full : h.colourCount;
    const std::int64_t entrySize = h.core ? 3 : 4;
    const std::int64_t room = h.pixelsAt > at ? (h.pixelsAt - at) / entrySize : 0;
    const std::int64_t count = declared < room ? declared : room;
    palette.reserve(std::size_t(count));
    for (std::int64_t i = 0; i < count; ++i) {
        const std::int64_t e = at + i * entrySize;
        palette.push_back(kOpaque | file.u8(e + 2) << 16 | file.u8(e + 1) << 8 | file.u8(e));
    }
    return palette;
}

class Canvas {
public:
    explicit Canvas(const Header &h) : m_width(h.width), m_height(h.height)
    {
        m_pixels.assign(std::size_t(h.width * h.height), 0);
    }
    // Row y counted as stored (0 = first in the file), turned top-down.
    std::uint32_t *row(std::int64_t stored, bool topDown)
    {
        const std::int64_t y = topDown ? stored : m_height - 1 - stored;
        return m_pixels.data() + y * m_width;
    }
    std::vector<std::uint32_t> take() { return std::move(m_pixels); }

private:
    std::int64_t m_width, m_height;
    std::vector<std::uint32_t> m_pixels;
};

bool decodePlain(const Bytes &file, const Header &h, const std::vector<std::uint32_t> &palette,
                 const Masks *masks, std::vector<std::uint32_t> &out)
{
    const std::int64_t rowBytes = (h.width * h.bitCount + 31) / 32 * 4;
    // rowBytes * height could overflow for absurd headers; divide instead.
    const std::int64_t available = file.size() - h.pixelsAt;
    if (rowBytes > available / h.height)
        return false;
    Canvas canvas(h);
    const auto indexed = palette.size();
    for (std::int64_t y = 0; y < h.height; ++y) {
        const std::int64_t at = h.pixelsAt + y * rowBytes;
        std::uint32_t *row = canvas.row(y, h.topDown);
        for (std::int64_t x = 0; x < h.width; ++x) {
            std::uint32_t colour = 0;
            switch (h.bitCount) {
            case 1:
            case 4:
            case 8: {
                const std::int64_t bit = x * h.bitCount;
                const std::uint32_t byte = file.u8(at + bit / 8);
                const std::uint32_t index =
                    byte >> (8 - h.bitCount - bit % 8) & ((1u << h.bitCount) - 1);
                if (index >= indexed)
                    return false;
                colour = palette[index];
                break;
            }
            case 16:
                colour = masks->rgb(file.u16(at + 2 * x));
                break;
            case 24: {
                const std::int64_t p = at + 3 * x;
                colour = kOpaque | file.u8(p + 2) << 16 | file.u8(p + 1) << 8 | file.u8(p);
                break;
            }
            default:
                colour = masks->rgb(file.u32(at + 4 * x));
                break;
            }
            row[x] = colour;
        }
    }
    out = canvas.take();
    return true;
}

// Run-length data, checked step by step: every run and every literal stretch
// must fit in its row, moves must stay inside the picture, every index must be
// in the palette, and the data must reach its end-of-bitmap code. Pixels the
// data skips (end of line, moves) keep colour 0 of the palette.
bool decodeRunLength(const Bytes &file, const Header &h, const std::vector<std::uint32_t> &palette,
                     std::vector<std::uint32_t> &out)
{
    if (palette.empty())
        return false;
    const bool four = h.compression == kRle4;
    Canvas canvas(h);
    for (std::int64_t y = 0; y < h.height; ++y)
        std::fill_n(canvas.row(y, false), h.width, palette[0]);

    const auto colourOf = [&](std::uint32_t index, std::uint32_t &colour) {
        if (index >= palette.size())
            return false;
        colour = palette[index];
        return true;
    };
    std::int64_t at = h.pixelsAt;
    std::int64_t x = 0, y = 0; // y counts stored rows, bottom row first
    while (true) {
        if (!file.has(at, 2))
            return false; // ends before its end-of-bitmap code
        const std::uint32_t first = file.u8(at), second = file.u8(at + 1);
        at += 2;
        if (first > 0) {
            // A run of `first` pixels of one index (two alternating ones for RLE4).
            if (y >= h.height || first > h.width - x)
                return false;
            std::uint32_t *row = canvas.row(y, false);
            std::uint32_t colours[2];
            if (four) {
                if (!colourOf(second >> 4, colours[0]) ||
                    (first > 1 && !colourOf(second & 0x0F, colours[1])))
                    return false;
            } else if (!colourOf(second, colours[0])) {
                return false;
            }
            for (std::uint32_t i = 0; i < first; ++i)
                row[x++] = four ? colours[i % 2] : colours[0];
            continue;
        }
        switch (second) {
        case 0: // end of line
            x = 0;
            ++y;
            if (y > h.height)
                return false;
            break;
        case 1: // end of bitmap
            out = canvas.take();
            return true;
        case 2: { // move right and up
            if (!file.has(at, 2))
                return false;
            const std::int64_t dx = file.u8(at), dy = file.u8(at + 1);
            at += 2;
            if (dx > h.width - x || y + dy >= h.height)
                return false;
            x += dx;
            y += dy;
            break;
        }
        default: { // `second` literal pixels, padded to a whole number of 16-bit words
            const std::int64_t count = second;
            const std::int64_t dataBytes = four ? (count + 1) / 2 : count;
            const std::int64_t padded = (dataBytes + 1) / 2 * 2;
            if (y >= h.height || count > h.width - x || !file.has(at, padded))
                return false;
            std::uint32_t *row = canvas.row(y, false);
            for (std::int64_t i = 0; i < count; ++i) {
                const std::uint32_t byte = file.u8(at + (four ? i / 2 : i));
                const std::uint32_t index = four ? (i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte;
                if (!colourOf(index, row[x]))
                    return false;
                ++x;
            }
            at += padded;
            break;
        }
        }
    }
}

} // namespace

std::optional<DecodedBitmap> decodeBitmapPixels(const unsigned char *bytes, std::size_t size,
                                                std::int64_t maxPixels)
{
    const Bytes file(bytes, size);
    const std::optional<Header> header = readHeader(file);
    if (!header)
        return std::nullopt;
    const Header &h = *header;
    if (h.width > maxPixels / h.height || h.width > std::numeric_limits<int>::max() ||
        h.height > std::numeric_limits<int>::max())
        return std::nullopt;

    std::int64_t paletteAt = kFileHeaderSize + h.infoSize;
    std::optional<Masks> masks;
    if (h.bitCount == 16 || h.bitCount == 32) {
        masks = readMasks(file, h, paletteAt);
        if (!masks)
            return std::nullopt;
    }
    if (h.pixelsAt < paletteAt)
        return std::nullopt;
    std::vector<std::uint32_t> palette;
    if (h.bitCount <= 8)
        palette = readPalette(file, h, paletteAt);

    DecodedBitmap result;
    result.width = int(h.width);
    result.height = int(h.height);
    const bool ok = h.compression == kRle8 || h.compression == kRle4
        ? decodeRunLength(file, h, palette, result.pixels)
        : decodePlain(file, h, palette, masks ? &*masks : nullptr, result.pixels);
    if (!ok)
        return std::nullopt;
    if (h.bitCount == 1) {
        result.monochrome = true;
        result.monoColours[0] = palette.size() > 0 ? palette[0] : kOpaque;
        result.monoColours[1] = palette.size() > 1 ? palette[1] : result.monoColours[0];
    }
    return result;
}
