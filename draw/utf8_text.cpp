#include "draw/utf8_text.h"

#include "draw/error_messages.h"
#include "draw/gbk_codec.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace draw {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD"; // U+FFFD

// Written out rather than taken from a library: the standard library has no UTF-8
// check (its codecvt facets are deprecated) and the draw layer stays free of Qt.
// Returns the length of the well-formed UTF-8 character at `pos`, or 0.
std::size_t utf8LengthAt(std::string_view text, std::size_t pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80; // bounds of the second byte, which rule out
    unsigned char high = 0xBF; // overlong forms, surrogates and code points past U+10FFFF
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() - pos < length)
        return 0;
    if (byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
    return length;
}

// How many characters of each length a valid UTF-8 text holds; none when invalid.
struct Utf8Census {
    std::size_t twoByte = 0;
    std::size_t longer = 0; // three or four bytes
};

std::optional<Utf8Census> takeCensus(std::string_view text)
{
    Utf8Census census;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = utf8LengthAt(text, pos);
        if (length == 0)
            return std::nullopt;
        if (length == 2)
            ++census.twoByte;
        else if (length > 2)
            ++census.longer;
        pos += length;
    }
    return census;
}

bool isValidGbk(std::string_view bytes)
{
    // The converter shows every byte that is not valid GBK as U+FFFD, a character
    // GBK itself has no form for.
    return gbkToUtf8(bytes).find(kReplacementUtf8) == std::string::npos;
}

std::string_view upToNul(std::string_view bytes)
{
    const std::size_t nul = bytes.find('\0');
    return nul == std::string_view::npos ? bytes : bytes.substr(0, nul);
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    return takeCensus(bytes).has_value();
}

TextEncoding detectTextEncoding(std::string_view bytes)
{
    bytes = upToNul(bytes);
    if (bytes.starts_with(kByteOrderMark))
        return TextEncoding::Utf8WithMark;
    const std::optional<Utf8Census> census = takeCensus(bytes);
    if (!census || census->twoByte + census->longer == 0)
        return TextEncoding::Gbk;
    if (!isValidGbk(bytes))
        return TextEncoding::Utf8;
    return census->longer > census->twoByte ? TextEncoding::Utf8 : TextEncoding::Gbk;
}

TextList decodeTextList(std::string_view bytes, const std::filesystem::path &path)
{
    const TextEncoding encoding = detectTextEncoding(bytes);
    if (encoding == TextEncoding::Gbk)
        return parseTextList(bytes);
    if (encoding == TextEncoding::Utf8WithMark)
        bytes.remove_prefix(kByteOrderMark.size());
    // CR, LF and NUL are the same single bytes in UTF-8, so the line rules apply as
    // they stand; each line is then converted on its own to name the failing ones.
    TextList lines = parseTextList(bytes);
    std::vector<errors::UnconvertibleLine> failed;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!isValidUtf8(lines[i])) {
            failed.push_back({i + 1, {}});
            continue;
        }
        GbkEncoding gbk = utf8ToGbk(lines[i]);
        if (!gbk.ok()) {
            std::vector<char32_t> characters;
            for (char32_t c : gbk.unencodable)
                if (std::find(characters.begin(), characters.end(), c) == characters.end())
                    characters.push_back(c);
            failed.push_back({i + 1, std::move(characters)});
            continue;
        }
        lines[i] = std::move(gbk.bytes);
    }
    if (!failed.empty())
        throw errors::cannotConvertToGbk(path, failed);
    return lines;
}

} // namespace draw
