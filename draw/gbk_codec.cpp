#include "draw/gbk_codec.h"

#include "draw/draw_error.h"

#include <unicode/ucnv.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace draw {

namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD"; // U+FFFD
constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kUnmapped = 0; // no table entry: U+0000 is ASCII and never looked up

constexpr unsigned kFirstLead = 0x81, kLastLead = 0xFE;
constexpr unsigned kFirstTrail = 0x40, kLastTrail = 0xFE;
constexpr unsigned kLeads = kLastLead - kFirstLead + 1;
constexpr unsigned kTrails = kLastTrail - kFirstTrail + 1;

// Windows code page 936 as ICU's converter maps it, read out once into tables.
// The tables rather than ICU's streaming calls, so that a bad byte becomes one
// U+FFFD and decoding goes on right after it, whatever ICU would have swallowed
// with it, and so that a name converts without a converter object per thread.
struct CodePage936 {
    std::array<char32_t, 0x80> single{}; // bytes 0x80-0xFF alone
    std::array<char32_t, kLeads * kTrails> pair{}; // lead 0x81-0xFE, trail 0x40-0xFE
    std::array<std::uint16_t, 0x10000> encode{}; // BMP character -> bytes (0: none)

    CodePage936()
    {
        UErrorCode status = U_ZERO_ERROR;
        const std::unique_ptr<UConverter, void (*)(UConverter *)> converter(
            ::ucnv_open("windows-936-2000", &status), ::ucnv_close);
        if (U_FAILURE(status))
            throw DrawError(std::string("Code page 936 is not available: ") +
                            ::u_errorName(status));
        ::ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                              &status);
        ::ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr,
                                nullptr, &status);

        const auto decode = [&](const char *bytes, int length) -> char32_t {
            UErrorCode error = U_ZERO_ERROR;
            UChar out[4];
            ::ucnv_resetToUnicode(converter.get());
            const int units = ::ucnv_toUChars(converter.get(), out, 4, bytes, length, &error);
            // Every code page 936 character is in the BMP.
            return U_SUCCESS(error) && units == 1 ? out[0] : kUnmapped;
        };
        const auto encodesBack = [&](char32_t code, const char *bytes, int length) {
            UErrorCode error = U_ZERO_ERROR;
            const UChar in[1] = {static_cast<UChar>(code)};
            char out[8];
            ::ucnv_resetFromUnicode(converter.get());
            const int got = ::ucnv_fromUChars(converter.get(), out, 8, in, 1, &error);
            return U_SUCCESS(error) && got == length &&
                std::string_view(out, std::size_t(got)) == std::string_view(bytes, length);
        };
        const auto learn = [&](char32_t &slot, const char *bytes, int length, unsigned value) {
            slot = decode(bytes, length);
            // Only codes that come back as themselves are used to encode, so an
            // operator's name is never written as some look-alike.
            if (slot != kUnmapped && encodesBack(slot, bytes, length) && encode[slot] == 0)
                encode[slot] = static_cast<std::uint16_t>(value);
        };
        for (unsigned b = 0x80; b <= 0xFF; ++b) {
            const char bytes[1] = {static_cast<char>(b)};
            learn(single[b - 0x80], bytes, 1, b);
        }
        for (unsigned lead = kFirstLead; lead <= kLastLead; ++lead) {
            for (unsigned trail = kFirstTrail; trail <= kLastTrail; ++trail) {
                const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                learn(pair[(lead - kFirstLead) * kTrails + trail - kFirstTrail], bytes, 2,
                      lead << 8 | trail);
            }
        }
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
