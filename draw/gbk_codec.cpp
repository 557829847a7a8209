#include "draw/gbk_codec.h"

#include "draw/gbk_codec_table.h"

#include <array>
#include <cstdint>
#include <optional>

namespace draw {

namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD"; // U+FFFD
constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kUnmapped = 0; // no table entry: U+0000 is ASCII and never looked up

using gbk_table::kFirstLead;
using gbk_table::kFirstTrail;
using gbk_table::kLastLead;
using gbk_table::kLastTrail;
using gbk_table::kTrails;

// Code page 936 in the form the conversions use, built once from the compiled-in
// tables. Tables rather than a converter's streaming calls, so that a bad byte
// becomes one U+FFFD and decoding goes on right after it.
struct CodePage936 {
    const char16_t *single = gbk_table::kSingle; // bytes 0x80-0xFF alone
    const char16_t *pair = gbk_table::kPair; // lead 0x81-0xFE, trail 0x40-0xFE
    std::array<std::uint16_t, 0x10000> encode{}; // BMP character -> bytes (0: none)

    CodePage936()
    {
        std::array<bool, 0x10000> oneWay{};
        for (unsigned i = 0; i < gbk_table::kOneWayCount; ++i)
            oneWay[gbk_table::kOneWay[i]] = true;
        // Only codes that come back as themselves are used to encode, so an
        // operator's name is never written as some look-alike; the first code
        // of a character wins.
        const auto learn = [&](char16_t code, unsigned value) {
            if (code != kUnmapped && !oneWay[value] && encode[code] == 0)
                encode[code] = static_cast<std::uint16_t>(value);
        };
        for (unsigned b = 0x80; b <= 0xFF; ++b)
            learn(single[b - 0x80], b);
        for (unsigned lead = kFirstLead; lead <= kLastLead; ++lead)
            for (unsigned trail = kFirstTrail; trail <= kLastTrail; ++trail)
                learn(pair[(lead - kFirstLead) * kTrails + trail - kFirstTrail], lead << 8 | trail);
    }
};

const CodePage936 &codePage936()
{
    static const CodePage936 table;
    return table;
}

void appendUtf8(std::string &out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

struct Utf8Char {
    char32_t code;
    std::size_t length;
};

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The well-formed UTF-8 character at the start of `text`; none for a byte that
// does not begin one (stray continuation, overlong form, surrogate, cut-off end).
std::optional<Utf8Char> utf8CharAt(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t code = 0;
    char32_t least = 0;
    if (lead < 0x80)
        return Utf8Char{lead, 1};
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
        least = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() < length)
        return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuation(byte(i)))
            return std::nullopt;
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return std::nullopt;
    return Utf8Char{code, length};
}

} // namespace

std::string gbkToUtf8(std::string_view gbk)
{
    const CodePage936 &table = codePage936();
    std::string utf8;
    utf8.reserve(gbk.size() * 3 / 2);
    std::size_t i = 0;
    while (i < gbk.size()) {
        const auto byte = static_cast<unsigned char>(gbk[i]);
        if (byte < 0x80) {
            utf8 += static_cast<char>(byte);
            ++i;
            continue;
        }
        if (byte >= kFirstLead && byte <= kLastLead && i + 1 < gbk.size()) {
            const auto trail = static_cast<unsigned char>(gbk[i + 1]);
            if (trail >= kFirstTrail && trail <= kLastTrail) {
                const char32_t code =
                    table.pair[(byte - kFirstLead) * kTrails + trail - kFirstTrail];
                if (code != kUnmapped) {
                    appendUtf8(utf8, code);
                    i += 2;
                    continue;
                }
            }
        }
        const char32_t code = table.single[byte - 0x80];
        // A lead byte on its own, or a byte the code page leaves out: one U+FFFD
        // for this byte alone, and the next byte is read afresh.
        if (code != kUnmapped)
            appendUtf8(utf8, code);
        else
            utf8 += kReplacementUtf8;
        ++i;
    }
    return utf8;
}

GbkEncoding utf8ToGbk(std::string_view utf8)
{
    const CodePage936 &table = codePage936();
    GbkEncoding result;
    result.bytes.reserve(utf8.size());
    while (!utf8.empty()) {
        const std::optional<Utf8Char> c = utf8CharAt(utf8);
        if (!c) {
            // A byte that begins no UTF-8 character cannot be encoded either.
            result.unencodable.push_back(kReplacement);
            utf8.remove_prefix(1);
            continue;
        }
        utf8.remove_prefix(c->length);
        if (c->code < 0x80) {
            result.bytes += static_cast<char>(c->code);
            continue;
        }
        const std::uint16_t bytes = c->code < 0x10000 ? table.encode[c->code] : 0;
        if (bytes == 0) {
            result.unencodable.push_back(c->code);
        } else if (bytes < 0x100) {
            result.bytes += static_cast<char>(bytes);
        } else {
            result.bytes += static_cast<char>(bytes >> 8);
            result.bytes += static_cast<char>(bytes & 0xFF);
        }
    }
    return result;
}

} // namespace draw
