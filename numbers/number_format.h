#pragma once

#include <optional>
#include <string>
#include <string_view>

// Number texts as the number edit shows and reads them. Texts are UTF-16 so
// a locale's separators (a no-break space, say) fit in one character.
namespace numbers {

// What a locale contributes to number texts.
struct NumberLocale {
    char16_t decimal = u'.';
    char16_t thousands = u',';
    // Decimals of a money amount, and its symbol placed before the amount.
    int currencyDecimals = 2;
    std::u16string currencySymbol = u"$";
};

// Spaces at both ends removed; thousands separators removed (when they differ
// from the decimal separator); '.' and ',' that are neither separator become
// the decimal separator.
std::u16string normalizeNumber(std::u16string_view text, const NumberLocale &locale);

// A thousands separator before every third digit of the whole-number part,
// counted from its right end. The sign stays in front; the part ends at the
// first decimal separator or exponent. Without grouping the text is returned.
std::u16string insertThousands(std::u16string_view text, bool grouping, const NumberLocale &locale);

// The edit form of a display format: the placeholders '0', '#', '.' and ','
// of its first section, outside quoted text, in order. Exponents stay out.
std::u16string buildFocusFormat(std::u16string_view format);

// A sign, digits with at most one decimal separator and an optional exponent;
// nothing else (no spaces, no grouping).
std::optional<double> strictToDouble(std::u16string_view text, const NumberLocale &locale);

// Only the decimal separator, signs, digits and exponent letters; a lone sign
// reads as 0; the first 63 characters are converted strictly.
std::optional<double> numberText(std::u16string_view text, const NumberLocale &locale);

// The shortest form with at most 15 significant digits, no grouping; a large
// or small number as "1E20" / "1E-20".
std::u16string generalText(double value, const NumberLocale &locale);

// A number by pattern: '0' and '#' digit placeholders, '.' decimal point, ','
// grouping, "E+"/"E-" exponents, quoted literal text, and up to three
// ';'-separated sections (positive, negative, zero). An empty pattern gives
// the general text.
std::u16string formatFloat(std::u16string_view pattern, double value, const NumberLocale &locale);

// A money amount: the symbol, the amount grouped with decimals places.
std::u16string moneyText(double value, int decimals, const NumberLocale &locale);

// x × 10^places to the nearest whole number (ties to even), divided again;
// places 0 rounds to a whole number, more than 37 leaves x as it is.
double roundToPlaces(double x, int places);

// The limits as the number edit applies them: equal limits mean none; with
// the minimum above the maximum only a limit that is not 0 holds.
double limitToRange(double x, double minimum, double maximum);

} // namespace numbers
