#include "draw/utf16_text.h"

#include "draw/utf8_encode.h"

namespace draw {

// Written out rather than taken from ICU: the draw layer uses ICU only behind its
// code page converter, and the standard library's UTF-16 facets are deprecated.
Utf16Decoding utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    Utf16Decoding result;
    result.utf8.reserve(bytes.size());
    const auto unitAt = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first);
    };
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = unitAt(i);
        if (unit < 0xD800 || unit > 0xDFFF) {
            appendUtf8(result.utf8, unit);
            continue;
        }
        if (unit >= 0xDC00 || i + 3 >= bytes.size())
            break;
        const char16_t low = unitAt(i + 2);
        if (low < 0xDC00 || low > 0xDFFF)
            break;
        appendUtf8(result.utf8, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
    }
    if (i < bytes.size())
        result.invalidAt = result.utf8.size();
    return result;
}

} // namespace draw
