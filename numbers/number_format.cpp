#include "numbers/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace numbers {

namespace {

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

std::u16string widen(const std::string &s)
{
    return std::u16string(s.begin(), s.end());
}

// The digits of |value| with exactly places decimals, as "123.45" ('.' point).
std::string fixedDigits(double value, int places)
{
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", places, std::fabs(value));
    return buffer;
}

// One piece of a format pattern, as every reader of patterns sees it: quote
// marks open and close literal text and are no pieces themselves; "E+" or "E-"
// (or "e") begins an exponent, which takes the digit placeholders after its sign.
struct PatternPiece {
    enum Kind { Plain, Quoted, Exponent };
    Kind kind;
    char16_t c; // the character; an exponent's letter
    std::size_t at; // where the piece starts in the pattern
    bool alwaysSigned = false; // an exponent written with "+"
    int digits = 0; // an exponent's digit placeholders
};

template<class Visit> void forEachPiece(std::u16string_view text, Visit visit)
{
    char16_t quote = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (quote) {
            if (c == quote)
                quote = 0;
            else
                visit(PatternPiece{PatternPiece::Quoted, c, i});
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
        } else if ((c == u'E' || c == u'e') && i + 1 < text.size() &&
                   (text[i + 1] == u'+' || text[i + 1] == u'-')) {
            PatternPiece exponent{PatternPiece::Exponent, c, i, text[i + 1] == u'+'};
            ++i;
            while (i + 1 < text.size() && (text[i + 1] == u'0' || text[i + 1] == u'#')) {
                ++i;
                ++exponent.digits;
            }
            visit(exponent);
        } else {
            visit(PatternPiece{PatternPiece::Plain, c, i});
        }
    }
}

// Section index (0 positive, 1 negative, 2 zero) of a pattern: the text between
// its semicolons outside quotes; empty when the pattern has no such section.
std::u16string_view sectionOf(std::u16string_view pattern, int index)
{
    std::size_t start = 0;
    std::size_t end = pattern.size();
    int current = 0;
    forEachPiece(pattern, [&](const PatternPiece &p) {
        if (p.kind != PatternPiece::Plain || p.c != u';' || current > index)
            return;
        if (current == index)
            end = p.at;
        else
            start = p.at + 1;
        ++current;
    });
    return current >= index ? pattern.substr(start, end - start) : std::u16string_view();
}

} // namespace

std::u16string normalizeNumber(std::u16string_view text, const NumberLocale &locale)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    std::u16string s;
    for (char16_t c : text.substr(begin, end - begin)) {
        if (locale.decimal != locale.thousands && c == locale.thousands)
            continue;
        if ((c == u'.' || c == u',') && c != locale.decimal && c != locale.thousands)
            c = locale.decimal;
        s += c;
    }
    return s;
}

std::u16string insertThousands(std::u16string_view text, bool grouping, const NumberLocale &locale)
{
    std::u16string s(text);
    if (!grouping)
        return s;
    const std::size_t start = !s.empty() && (s[0] == u'+' || s[0] == u'-') ? 1 : 0;
    std::size_t end = start;
    while (end < s.size() && s[end] != locale.decimal && s[end] != u'E' && s[end] != u'e')
        ++end;
    for (std::size_t i = end; i > start + 3; i -= 3)
        s.insert(i - 3, 1, locale.thousands);
    return s;
}

std::u16string buildFocusFormat(std::u16string_view format)
{
    // The exponent's own digits are no placeholders of the edit form.
    std::u16string result;
    forEachPiece(sectionOf(format, 0), [&result](const PatternPiece &p) {
        if (p.kind == PatternPiece::Plain &&
            (p.c == u'0' || p.c == u'#' || p.c == u'.' || p.c == u','))
            result += p.c;
    });
    return result;
}

std::optional<double> strictToDouble(std::u16string_view text, const NumberLocale &locale)
{
    // sign? digits [decimal digits] ([eE] sign? digits)?
    std::string ascii;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ascii += char(text[i++]);
    int mantissaDigits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ascii += char(text[i++]);
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == locale.decimal) {
        ascii += '.';
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ascii += char(text[i++]);
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == u'E' || text[i] == u'e')) {
        ascii += 'e';
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            ascii += char(text[i++]);
        int exponentDigits = 0;
        while (i < text.size() && isDigit(text[i])) {
            ascii += char(text[i++]);
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    const char *first = ascii.data() + (ascii[0] == '+' ? 1 : 0);
    double value = 0;
    const auto [ptr, ec] = std::from_chars(first, ascii.data() + ascii.size(), value);
    if (ec != std::errc() || ptr != ascii.data() + ascii.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> numberText(std::u16string_view text, const NumberLocale &locale)
{
    for (char16_t c : text)
        if (!(c == locale.decimal || c == u'+' || c == u'-' || isDigit(c) || c == u'E' ||
              c == u'e'))
            return std::nullopt;
    if (text == u"+" || text == u"-")
        return 0.0;
    return strictToDouble(text.substr(0, 63), locale);
}

std::u16string generalText(double value, const NumberLocale &locale)
{
    char buffer[64];
    // Negative zero reads as zero.
    std::snprintf(buffer, sizeof buffer, "%.15G", value == 0 ? 0.0 : value);
    std::string s = buffer;
    // "1E+20" reads "1E20"; exponent digits without leading zeros.
    const std::size_t e = s.find('E');
    std::string exponent;
    if (e != std::string::npos) {
        std::string digits = s.substr(e + 1);
        const bool negative = digits[0] == '-';
        digits.erase(0, 1);
        digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
        exponent = std::string("E") + (negative ? "-" : "") + digits;
        s.erase(e);
    }
    std::u16string result;
    for (char c : s)
        result += c == '.' ? locale.decimal : char16_t(c);
    return result + widen(exponent);
}

namespace {

// One section of a pattern, read once.
struct Section {
    std::u16string_view text;
    int integerPlaceholders = 0;
    int integerZeros = 0; // from the first '0' before the point to the point
    int fractionZeros = 0; // up to the last '0' after the point
    int fractionPlaceholders = 0;
    bool grouping = false;
    bool scientific = false;
    bool exponentAlwaysSigned = false;
    int exponentDigits = 0;
};

Section readSection(std::u16string_view text)
{
    Section s;
    s.text = text;
    bool afterPoint = false;
    int firstZero = -1;
    forEachPiece(text, [&](const PatternPiece &p) {
        if (p.kind == PatternPiece::Exponent) {
            s.scientific = true;
            s.exponentAlwaysSigned = p.alwaysSigned;
            s.exponentDigits += p.digits;
            return;
        }
        if (p.kind != PatternPiece::Plain)
            return;
        if (p.c == u'.') {
            afterPoint = true;
        } else if (p.c == u',') {
            if (!afterPoint)
                s.grouping = true;
        } else if (p.c == u'0' || p.c == u'#') {
            if (afterPoint) {
                ++s.fractionPlaceholders;
                if (p.c == u'0')
                    s.fractionZeros = s.fractionPlaceholders;
            } else {
                if (p.c == u'0' && firstZero < 0)
                    firstZero = s.integerPlaceholders;
                ++s.integerPlaceholders;
            }
        }
    });
    if (firstZero >= 0)
        s.integerZeros = s.integerPlaceholders - firstZero;
    return s;
}

std::u16string formatSection(const Section &s, double value, const NumberLocale &locale)
{
    int exponent = 0;
    double x = std::fabs(value);
    if (s.scientific && x != 0) {
        const int shown = std::max(s.integerPlaceholders, 1);
        exponent = int(std::floor(std::log10(x))) - (shown - 1);
        x /= std::pow(10.0, exponent);
        // Rounding may carry into one more whole digit (9.996 -> 10.00).
        const std::string rounded = fixedDigits(x, s.fractionPlaceholders);
        if (int(rounded.find('.') == std::string::npos ? rounded.size() : rounded.find('.')) >
            shown) {
            x /= 10;
            ++exponent;
        }
    }
    std::string digits = fixedDigits(x, s.fractionPlaceholders);
    std::string integer = digits.substr(0, digits.find('.'));
    std::string fraction =
        digits.find('.') == std::string::npos ? std::string() : digits.substr(digits.find('.') + 1);
    while (int(fraction.size()) > s.fractionZeros && !fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    integer.erase(0, integer.find_first_not_of('0'));
    while (int(integer.size()) < s.integerZeros)
        integer.insert(integer.begin(), '0');

    std::u16string out;
    int integerIndex = 0; // placeholders of the whole-number part met so far
    int fractionIndex = 0;
    bool afterPoint = false;
    auto emitDigit = [&](std::size_t k) {
        out += char16_t(integer[k]);
        const std::size_t fromRight = integer.size() - 1 - k;
        if (s.grouping && fromRight > 0 && fromRight % 3 == 0)
            out += locale.thousands;
    };
    forEachPiece(s.text, [&](const PatternPiece &p) {
        const char16_t c = p.c;
        const bool plain = p.kind == PatternPiece::Plain; // quoted text means nothing
        if (p.kind == PatternPiece::Exponent) {
            out += c;
            if (exponent < 0)
                out += u'-';
            else if (s.exponentAlwaysSigned)
                out += u'+';
            std::string e = std::to_string(std::abs(exponent));
            while (int(e.size()) < s.exponentDigits)
                e.insert(e.begin(), '0');
            out += widen(e);
        } else if (plain && (c == u'0' || c == u'#')) {
            if (!afterPoint) {
                // The first placeholder takes the digits the pattern has no room for.
                const int spare = int(integer.size()) - s.integerPlaceholders;
                const int k = integerIndex - s.integerPlaceholders + int(integer.size());
                if (integerIndex == 0)
                    for (int j = 0; j < spare; ++j)
                        emitDigit(std::size_t(j));
                if (k >= 0)
                    emitDigit(std::size_t(k));
                ++integerIndex;
            } else {
                if (fractionIndex < int(fraction.size()))
                    out += char16_t(fraction[std::size_t(fractionIndex)]);
                ++fractionIndex;
            }
        } else if (plain && c == u'.') {
            // A pattern without whole-number placeholders (".00") still shows
            // the whole-number digits, in front of the point.
            if (!afterPoint && s.integerPlaceholders == 0)
                for (std::size_t k = 0; k < integer.size(); ++k)
                    emitDigit(k);
            if (!afterPoint && !fraction.empty())
                out += locale.decimal;
            afterPoint = true;
        } else if (plain && c == u',') {
            // Grouping is placed with the digits.
        } else {
            out += c; // quoted text, and what a pattern gives no meaning
        }
    });
    return out;
}

bool isZeroIn(const Section &s, double value)
{
    const std::string d = fixedDigits(value, s.scientific ? 15 : s.fractionPlaceholders);
    return d.find_first_not_of("0.") == std::string::npos;
}

} // namespace

std::u16string formatFloat(std::u16string_view pattern, double value, const NumberLocale &locale)
{
    if (pattern.empty())
        return generalText(value, locale);
    const std::u16string_view positive = sectionOf(pattern, 0);
    const std::u16string_view negative = sectionOf(pattern, 1);
    const std::u16string_view zero = sectionOf(pattern, 2);
    const Section first = readSection(positive);
    if (!zero.empty() && isZeroIn(first, value))
        return formatSection(readSection(zero), 0, locale);
    if (value < 0 && !negative.empty())
        return formatSection(readSection(negative), value, locale);
    std::u16string text = formatSection(first, value, locale);
    if (value < 0 && !isZeroIn(first, value))
        text.insert(text.begin(), u'-');
    return text;
}

std::u16string moneyText(double value, int decimals, const NumberLocale &locale)
{
    // The amount as a fixed-point number with four decimals first.
    const double amount = std::nearbyint(value * 10000) / 10000;
    std::u16string pattern = u",0";
    if (decimals > 0)
        pattern += u'.' + std::u16string(std::size_t(decimals), u'0');
    std::u16string text = formatSection(readSection(pattern), amount, locale);
    const bool negative = amount < 0 && text.find_first_not_of(u"0.,") != std::u16string::npos;
    return (negative ? u"-" : u"") + locale.currencySymbol + text;
}

double roundToPlaces(double x, int places)
{
    // Rounding to nearest is ties to even in the default floating-point mode.
    if (places > 37)
        return x;
    if (places <= 0)
        return std::nearbyint(x);
    // From 2^52 on a double holds no fraction to round, and scaling it up
    // could overflow to infinity.
    if (!(std::fabs(x) < 0x1p52))
        return x;
    double scale = 1;
    for (int i = 0; i < places; ++i)
        scale *= 10;
    return std::nearbyint(x * scale) / scale;
}

double limitToRange(double x, double minimum, double maximum)
{
    if (maximum == minimum)
        return x;
    if (minimum < maximum)
        return std::clamp(x, minimum, maximum);
    if (maximum == 0)
        return std::max(x, minimum);
    if (minimum == 0)
        return std::min(x, maximum);
    return x;
}

} // namespace numbers
