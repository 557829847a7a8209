#include "draw/gbk_codec.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

TEST(GbkCodec, RoundTripsChineseAndAscii)
{
    const std::string utf8 = "张三，李四 abc 特等奖";
    const std::string gbk = "\xD5\xC5\xC8\xFD\xA3\xAC\xC0\xEE\xCB\xC4 abc \xCC\xD8\xB5\xC8\xBD\xB1";
    const draw::GbkEncoding encoded = draw::utf8ToGbk(utf8);
    EXPECT_TRUE(encoded.ok());
    EXPECT_EQ(encoded.bytes, gbk);
    EXPECT_EQ(draw::gbkToUtf8(gbk), utf8);
    EXPECT_EQ(draw::gbkToUtf8(""), "");
}

TEST(GbkCodec, ReportsCharactersGbkCannotHold)
{
    const draw::GbkEncoding encoded = draw::utf8ToGbk("a😀张한b");
    EXPECT_FALSE(encoded.ok());
    EXPECT_EQ(encoded.bytes,
              "a\xD5\xC5"
              "b");
    EXPECT_EQ(encoded.unencodable, (std::vector<char32_t>{U'😀', U'한'}));
}

TEST(GbkCodec, EachBadUtf8ByteIsAnUnencodableReplacement)
{
    struct Case {
        std::string utf8;
        std::string bytes;
        std::size_t replacements;
    };
    const Case cases[] = {
        {"a\xFF"
         "b",
         "ab", 1}, // never a UTF-8 byte
        {"\x80"
         "a",
         "a", 1}, // stray continuation
        {"a\xE5\xBC", "a", 2}, // 张 cut off at the end
        {"\xE5\xBC"
         "a",
         "a", 2}, // cut off before an ASCII byte
        {"\xC0\x80", "", 2}, // overlong NUL
        {"\xED\xA0\x80", "", 3}, // surrogate
        {"\xF4\x90\x80\x80", "", 4}, // beyond U+10FFFF
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case &c = cases[i];
        const draw::GbkEncoding encoded = draw::utf8ToGbk(c.utf8);
        EXPECT_EQ(encoded.bytes, c.bytes) << "case " << i;
        EXPECT_EQ(encoded.unencodable, std::vector<char32_t>(c.replacements, U'\uFFFD'))
            << "case " << i;
    }
    // Good characters on both sides of a bad byte still convert.
    const draw::GbkEncoding mixed = draw::utf8ToGbk("张\xFF张");
    EXPECT_EQ(mixed.bytes, "\xD5\xC5\xD5\xC5");
    EXPECT_EQ(mixed.unencodable, std::vector<char32_t>{U'\uFFFD'});
}

TEST(GbkCodec, InvalidGbkBytesShowAsReplacementEach)
{
    // 张, a lone 0xFF, 'a', a lead byte before a space, 李, a lead byte cut off at the end.
    const std::string gbk = "\xD5\xC5\xFF"
                            "a\x81 \xC0\xEE\xD5";
    EXPECT_EQ(draw::gbkToUtf8(gbk), "张\uFFFDa\uFFFD 李\uFFFD");
    EXPECT_EQ(draw::gbkToUtf8("\0a"s), "\0a"s);
}

} // namespace
