#include "numbers/number_format.h"

#include <gtest/gtest.h>

#include <string>

using namespace numbers;

namespace {

// '.' decimal, ',' thousands: the C locale's shape.
const NumberLocale c{u'.', u',', 2, u"$"};
// ',' decimal, '.' thousands, as in German.
const NumberLocale comma{u',', u'.', 2, u"€"};

std::string utf8(const std::u16string &s)
{
    std::string out;
    for (char16_t ch : s)
        out += ch < 0x80 ? char(ch) : '?';
    return out;
}

} // namespace

TEST(NormalizeNumber, removesGroupingAndMapsDecimalSigns)
{
    EXPECT_EQ(normalizeNumber(u" 1,234.5 ", c), u"1234.5");
    EXPECT_EQ(normalizeNumber(u"1.234,5", comma), u"1234,5");
    // Neither separator is '.' or ',' with a no-break space for thousands.
    const NumberLocale spaced{u'\u066B', u'\u00A0', 2, u""};
    EXPECT_EQ(normalizeNumber(u"1\u00A0234.5", spaced), u"1234\u066B5");
    EXPECT_EQ(normalizeNumber(u"", c), u"");
}

TEST(InsertThousands, groupsTheWholeNumberPartOnly)
{
    EXPECT_EQ(insertThousands(u"1234567.5", true, c), u"1,234,567.5");
    EXPECT_EQ(insertThousands(u"-1234", true, c), u"-1,234");
    EXPECT_EQ(insertThousands(u"123", true, c), u"123");
    EXPECT_EQ(insertThousands(u"12345E10", true, c), u"12,345E10");
    EXPECT_EQ(insertThousands(u"1234567,5", true, comma), u"1.234.567,5");
    EXPECT_EQ(insertThousands(u"1234567.5", false, c), u"1234567.5");
}

TEST(BuildFocusFormat, keepsPlaceholdersOfTheFirstSection)
{
    EXPECT_EQ(buildFocusFormat(u""), u"");
    EXPECT_EQ(buildFocusFormat(u"#,##0.00 \"kg\""), u"#,##0.00");
    EXPECT_EQ(buildFocusFormat(u"'0#' 0.0;(0.0)"), u"0.0");
    EXPECT_EQ(buildFocusFormat(u"0.00E+00"), u"0.00");
}

TEST(StrictToDouble, acceptsOnlyPlainNumbers)
{
    EXPECT_EQ(strictToDouble(u"12.5", c), 12.5);
    EXPECT_EQ(strictToDouble(u"-.5", c), -0.5);
    EXPECT_EQ(strictToDouble(u"+3", c), 3);
    EXPECT_EQ(strictToDouble(u"1E3", c), 1000);
    EXPECT_EQ(strictToDouble(u"12,5", comma), 12.5);
    for (const char16_t *bad : {u"", u"abc", u"1.2.3", u"1e", u" 1", u"1,5", u"+", u"1E999"})
        EXPECT_FALSE(strictToDouble(bad, c)) << utf8(bad);
    EXPECT_FALSE(strictToDouble(u"12.5", comma));
}

TEST(NumberText, loneSignIsZeroAndOtherCharactersFail)
{
    EXPECT_EQ(numberText(u"-", c), 0.0);
    EXPECT_EQ(numberText(u"+", c), 0.0);
    EXPECT_EQ(numberText(u"1.25", c), 1.25);
    EXPECT_FALSE(numberText(u"1 2", c));
    EXPECT_FALSE(numberText(u"1,2", c));
    EXPECT_EQ(numberText(u"1,25", comma), 1.25);
}

TEST(GeneralText, shortestFormWithFifteenDigits)
{
    EXPECT_EQ(generalText(5, c), u"5");
    EXPECT_EQ(generalText(2.5, c), u"2.5");
    EXPECT_EQ(generalText(999, c), u"999");
    EXPECT_EQ(generalText(2.5, comma), u"2,5");
    EXPECT_EQ(generalText(0.1 + 0.2, c), u"0.3");
    EXPECT_EQ(generalText(1e20, c), u"1E20");
    EXPECT_EQ(generalText(1.5e-20, c), u"1.5E-20");
    EXPECT_EQ(generalText(-0.25, c), u"-0.25");
    EXPECT_EQ(generalText(-0.0, c), u"0");
}

struct FormatCase {
    const char16_t *pattern;
    double value;
    const char16_t *inC;
    const char16_t *inComma;
};

// Names each case in the test list by its pattern and value, not by its bytes.
void PrintTo(const FormatCase &p, std::ostream *os)
{
    *os << '"' << utf8(p.pattern) << "\" " << p.value;
}

class FormatFloat : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatFloat, byPattern)
{
    const FormatCase &p = GetParam();
    EXPECT_EQ(formatFloat(p.pattern, p.value, c), p.inC) << utf8(p.pattern);
    EXPECT_EQ(formatFloat(p.pattern, p.value, comma), p.inComma) << utf8(p.pattern);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FormatFloat,
    testing::Values(FormatCase{u"", 1234.5, u"1234.5", u"1234,5"},
                    FormatCase{u"#,##0.00", 1234.5, u"1,234.50", u"1.234,50"},
                    FormatCase{u"#,##0.00", 1234567.891, u"1,234,567.89", u"1.234.567,89"},
                    FormatCase{u"0.00", 0.125, u"0.12", u"0,12"},
                    FormatCase{u"#.##", 0.5, u".5", u",5"}, FormatCase{u"000", 7, u"007", u"007"},
                    FormatCase{u".00", 12.5, u"12.50", u"12,50"},
                    FormatCase{u".00", 1234567.891, u"1234567.89", u"1234567,89"},
                    FormatCase{u".00", 0.5, u".50", u",50"},
                    FormatCase{u",.00", 1234567.891, u"1,234,567.89", u"1.234.567,89"},
                    FormatCase{u"#", 0, u"", u""}, FormatCase{u"0", -3, u"-3", u"-3"},
                    FormatCase{u"0.0;(0.0)", -3, u"(3.0)", u"(3,0)"},
                    FormatCase{u"0.0;(0.0);\"zero\"", 0, u"zero", u"zero"},
                    FormatCase{u"0.0;(0.0);'none'", 0.01, u"none", u"none"},
                    FormatCase{u"\"#\"0 'pcs'", 12, u"#12 pcs", u"#12 pcs"},
                    FormatCase{u"0.00E+00", 12345, u"1.23E+04", u"1,23E+04"},
                    FormatCase{u"0.0E-0", 0.00042, u"4.2E-4", u"4,2E-4"},
                    FormatCase{u"0.00E+00", 9.999, u"1.00E+01", u"1,00E+01"}));

TEST(MoneyText, symbolGroupingAndDecimals)
{
    EXPECT_EQ(moneyText(1234.5, 2, c), u"$1,234.50");
    EXPECT_EQ(moneyText(1234.5, 2, comma), u"€1.234,50");
    EXPECT_EQ(moneyText(-5, 0, c), u"-$5");
}

struct LimitCase {
    double minimum, maximum, x, expected;
};

TEST(LimitToRange, equalLimitsMeanNone)
{
    const LimitCase cases[] = {
        {1, 999, 0, 1},   {1, 999, 1500, 999}, {0, 0, -7, -7}, {5, 0, 1, 5},
        {5, 0, 100, 100}, {0, -5, 1, -5},      {10, 5, 7, 7},
    };
    for (const LimitCase &l : cases)
        EXPECT_EQ(limitToRange(l.x, l.minimum, l.maximum), l.expected)
            << l.minimum << " " << l.maximum << " " << l.x;
}

TEST(RoundToPlaces, tiesToEven)
{
    EXPECT_EQ(roundToPlaces(2.5, 0), 2);
    EXPECT_EQ(roundToPlaces(3.5, 0), 4);
    EXPECT_EQ(roundToPlaces(0.125, 2), 0.12);
    EXPECT_EQ(roundToPlaces(1.0 / 3, 38), 1.0 / 3);
    EXPECT_EQ(roundToPlaces(1e307, 2), 1e307);
    EXPECT_EQ(roundToPlaces(-1e307, 37), -1e307);
    EXPECT_EQ(roundToPlaces(4503599627370497.0, 2), 4503599627370497.0);
}
