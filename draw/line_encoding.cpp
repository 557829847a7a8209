#include "draw/line_encoding.h"

#include "draw/utf8_text.h"

#include <vector>

namespace draw {

namespace {

bool isAsciiLetter(char32_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Latin letters with accents: Latin-1's letters (not × or ÷) and Latin Extended-A/B.
bool isAccentedLatinLetter(char32_t c)
{
    return c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7;
}

// The code points of valid UTF-8 text.
std::vector<char32_t> codePoints(std::string_view utf8)
{
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length; ++k)
            c = c << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        points.push_back(c);
        i += length;
    }
    return points;
}

// Every word holding a character beyond ASCII is Latin letters, some plain, some
// accented: how names such as "José", "Hélène" or "Ångström" read.
bool readsAsAccentedLatin(const std::vector<char32_t> &points)
{
    bool plain = false;
    bool accented = false;
    bool other = false;
    const auto endWord = [&] {
        const bool fits = !other && (!accented || plain);
        plain = accented = other = false;
        return fits;
    };
    for (const char32_t c : points) {
        if (isAsciiLetter(c)) {
            plain = true;
        } else if (isAccentedLatinLetter(c)) {
            accented = true;
        } else if (c >= 0x80) {
            other = true;
        } else if (!endWord()) {
            return false;
        }
    }
    return endWord();
}

// Every double-byte character of valid GBK is one of GB2312's: its symbols and its
// Chinese characters, both bytes A1-FE, which hold nearly every name. GBK's
// reading of UTF-8 Chinese pairs its bytes into characters of the areas GBK added
// (a byte 80-A0), rare in names.
bool readsAsCommonGbk(std::string_view gbk)
{
    for (std::size_t i = 0; i < gbk.size(); ++i) {
        const auto lead = static_cast<unsigned char>(gbk[i]);
        if (lead < 0x81 || lead == 0xFF)
            continue;
        const auto trail = static_cast<unsigned char>(gbk[++i]);
        if (lead < 0xA1 || lead > 0xF7 || trail < 0xA1)
            return false;
    }
    return true;
}

} // namespace

bool isValidGbk(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x81 || lead == 0xFF)
            continue;
        if (i + 1 == bytes.size())
            return false;
        const auto trail = static_cast<unsigned char>(bytes[++i]);
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF)
            return false;
    }
    return true;
}

LineEncoding judgeLineEncoding(std::string_view line)
{
    bool ascii = true;
    for (const char c : line)
        if (static_cast<unsigned char>(c) >= 0x80)
            ascii = false;
    if (ascii)
        return LineEncoding::Ascii;
    const bool utf8 = isValidUtf8(line);
    const bool gbk = isValidGbk(line);
    if (utf8 != gbk)
        return utf8 ? LineEncoding::Utf8 : LineEncoding::Gbk;
    if (!utf8)
        return LineEncoding::Neither;
    const std::vector<char32_t> points = codePoints(line);
    for (const char32_t c : points)
        if (c >= 0x800)
            return readsAsCommonGbk(line) ? LineEncoding::Either : LineEncoding::Utf8;
    return readsAsAccentedLatin(points) ? LineEncoding::Utf8 : LineEncoding::Either;
}

} // namespace draw
