#include "draw/gbk_codec.h"

#include "draw/draw_error.h"

#include <cerrno>
#include <iconv.h>
#include <optional>

namespace draw {

namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD"; // U+FFFD
constexpr char32_t kReplacement = 0xFFFD;

// One conversion direction of the C library's converter, opened once per thread
// and reset before every use.
class Converter {
public:
    Converter(const char *to, const char *from) : m_cd(::iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw DrawError(std::string("Text conversion from ") + from + " to " + to +
                            " is not available");
    }
    ~Converter() { ::iconv_close(m_cd); }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    void reset() { ::iconv(m_cd, nullptr, nullptr, nullptr, nullptr); }

    // Converts as much of `in` as it can into `out` (which must have room), advancing
    // both. Returns false, with errno set, when it stopped at bytes it cannot convert.
    bool convert(std::string_view &in, std::string &out)
    {
        char *inPtr = const_cast<char *>(in.data()); // iconv's signature; input is only read
        std::size_t inLeft = in.size();
        const std::size_t used = out.size();
        out.resize(used + in.size() * 3 + 4); // no GBK or UTF-8 character grows more than this
        char *outPtr = out.data() + used;
        std::size_t outLeft = out.size() - used;
        const std::size_t result = ::iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
        const int saved = errno;
        out.resize(out.size() - outLeft);
        in.remove_prefix(in.size() - inLeft);
        errno = saved;
        return result != static_cast<std::size_t>(-1);
    }

private:
    iconv_t m_cd;
};

Converter &gbkDecoder()
{
    thread_local Converter decoder("UTF-8", "GBK");
    decoder.reset();
    return decoder;
}

Converter &gbkEncoder()
{
    thread_local Converter encoder("GBK", "UTF-8");
    encoder.reset();
    return encoder;
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
    Converter &decoder = gbkDecoder();
    std::string utf8;
    utf8.reserve(gbk.size() * 3 / 2);
    while (!gbk.empty()) {
        if (decoder.convert(gbk, utf8))
            break;
        // Invalid or cut-off: show this one byte as U+FFFD and go on after it.
        utf8 += kReplacementUtf8;
        gbk.remove_prefix(1);
        decoder.reset();
    }
    return utf8;
}

GbkEncoding utf8ToGbk(std::string_view utf8)
{
    Converter &encoder = gbkEncoder();
    GbkEncoding result;
    result.bytes.reserve(utf8.size());
    while (!utf8.empty()) {
        // The longest well-formed stretch goes to the converter in one call.
        std::size_t valid = 0;
        while (valid < utf8.size()) {
            const std::optional<Utf8Char> c = utf8CharAt(utf8.substr(valid));
            if (!c)
                break;
            valid += c->length;
        }
        std::string_view stretch = utf8.substr(0, valid);
        while (!stretch.empty()) {
            if (encoder.convert(stretch, result.bytes))
                break;
            // Well-formed but not in GBK: report the character and skip it.
            const Utf8Char c = *utf8CharAt(stretch);
            result.unencodable.push_back(c.code);
            stretch.remove_prefix(c.length);
            encoder.reset();
        }
        utf8.remove_prefix(valid);
        if (!utf8.empty()) {
            // A byte that begins no UTF-8 character cannot be encoded either.
            result.unencodable.push_back(kReplacement);
            utf8.remove_prefix(1);
        }
    }
    return result;
}

} // namespace draw
