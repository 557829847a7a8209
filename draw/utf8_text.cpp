#include "draw/utf8_text.h"

#include "draw/error_messages.h"
#include "draw/gbk_codec.h"
#include "draw/line_encoding.h"
#include "draw/utf16_text.h"

#include <algorithm>
#include <vector>

namespace draw {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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

bool isValidUtf8Text(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = utf8LengthAt(text, pos);
        if (length == 0)
            return false;
        pos += length;
    }
    return true;
}

std::string_view upToNul(std::string_view bytes)
{
    const std::size_t nul = bytes.find('\0');
    return nul == std::string_view::npos ? bytes : bytes.substr(0, nul);
}

// Calls `take(number, line)` for each line of `bytes` by the line rules of
// parseTextList, numbered from 1, without copying them.
template<typename Take> void forEachLine(std::string_view bytes, Take take)
{
    std::size_t number = 1;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        take(number++, bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        take(number, bytes.substr(start));
}

// The number of the line that holds byte `offset`: one more than the breaks before it.
std::size_t lineNumberAt(std::string_view bytes, std::size_t offset)
{
    std::size_t number = 1;
    for (std::size_t i = 0; i < offset && i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < offset && bytes[i + 1] == '\n')
            ++i;
        if (bytes[i] == '\r' || bytes[i] == '\n')
            ++number;
    }
    return number;
}

// What the lines of a file without a byte-order mark say about its encoding.
struct FileJudgement {
    TextEncoding encoding = TextEncoding::Gbk;
    std::size_t strayLine = 0; // for Mixed: the first line that does not fit
    LineEncoding stray = LineEncoding::Neither;
    TextEncoding majority = TextEncoding::Gbk; // for Mixed: what the rest is
};

FileJudgement judgeFile(std::string_view bytes)
{
    std::size_t utf8Lines = 0;
    std::size_t gbkLines = 0;
    std::size_t firstUtf8 = 0;
    std::size_t firstGbk = 0;
    std::size_t firstNeither = 0;
    forEachLine(bytes, [&](std::size_t number, std::string_view line) {
        switch (judgeLineEncoding(line)) {
        case LineEncoding::Utf8:
            if (utf8Lines++ == 0)
                firstUtf8 = number;
            break;
        case LineEncoding::Gbk:
            if (gbkLines++ == 0)
                firstGbk = number;
            break;
        case LineEncoding::Neither:
            if (firstNeither == 0)
                firstNeither = number;
            break;
        case LineEncoding::Ascii:
        case LineEncoding::Either:
            break;
        }
    });
    FileJudgement judgement;
    const bool utf8 = utf8Lines > 0 && utf8Lines >= gbkLines;
    judgement.majority = utf8 ? TextEncoding::Utf8 : TextEncoding::Gbk;
    // The other encoding's first line, then a line of neither if that comes first.
    std::size_t stray = utf8 ? firstGbk : firstUtf8;
    judgement.stray = utf8 ? LineEncoding::Gbk : LineEncoding::Utf8;
    if (firstNeither != 0 && (stray == 0 || firstNeither < stray)) {
        stray = firstNeither;
        judgement.stray = LineEncoding::Neither;
    }
    judgement.strayLine = stray;
    judgement.encoding = stray != 0 ? TextEncoding::Mixed : judgement.majority;
    return judgement;
}

constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    return isValidUtf8Text(bytes);
}

TextEncoding detectTextEncoding(std::string_view bytes)
{
    if (bytes.starts_with(kUtf16LittleEndianMark))
        return TextEncoding::Utf16LittleEndian;
    if (bytes.starts_with(kUtf16BigEndianMark))
        return TextEncoding::Utf16BigEndian;
    bytes = upToNul(bytes);
    if (bytes.starts_with(kByteOrderMark))
        return TextEncoding::Utf8WithMark;
    return judgeFile(bytes).encoding;
}

namespace {

// UTF-8 text's lines as GBK, each converted on its own to name the failing ones.
TextList utf8LinesAsGbk(std::string_view bytes, const std::filesystem::path &path)
{
    // CR, LF and NUL are the same single bytes in UTF-8, so the line rules apply as
    // they stand.
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

TextList utf16LinesAsGbk(std::string_view bytes, bool bigEndian, const std::filesystem::path &path)
{
    const Utf16Decoding text = utf16ToUtf8(bytes, bigEndian);
    const std::string_view utf8 = upToNul(text.utf8);
    if (text.invalidAt && *text.invalidAt <= utf8.size())
        throw errors::unreadableLine(path, lineNumberAt(utf8, *text.invalidAt),
                                     "is not valid UTF-16");
    return utf8LinesAsGbk(utf8, path);
}

} // namespace

TextList decodeTextList(std::string_view bytes, const std::filesystem::path &path)
{
    if (bytes.starts_with(kUtf16LittleEndianMark))
        return utf16LinesAsGbk(bytes.substr(kUtf16LittleEndianMark.size()), false, path);
    if (bytes.starts_with(kUtf16BigEndianMark))
        return utf16LinesAsGbk(bytes.substr(kUtf16BigEndianMark.size()), true, path);
    bytes = upToNul(bytes);
    if (bytes.starts_with(kByteOrderMark))
        return utf8LinesAsGbk(bytes.substr(kByteOrderMark.size()), path);
    const FileJudgement judgement = judgeFile(bytes);
    if (judgement.encoding == TextEncoding::Gbk)
        return parseTextList(bytes);
    if (judgement.encoding == TextEncoding::Utf8)
        return utf8LinesAsGbk(bytes, path);
    if (judgement.stray == LineEncoding::Neither)
        throw errors::unreadableLine(path, judgement.strayLine, "is neither UTF-8 nor GBK");
    throw errors::unreadableLine(path, judgement.strayLine,
                                 judgement.majority == TextEncoding::Utf8
                                     ? "is GBK in a UTF-8 file; save the whole file as UTF-8 "
                                       "or as GBK"
                                     : "is UTF-8 in a GBK file; save the whole file as UTF-8 "
                                       "or as GBK");
}

} // namespace draw
