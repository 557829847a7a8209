#include "draw/gbk_codec.h"
#include "draw/utf8_encode.h"

#include <gtest/gtest.h>

#include <memory>

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
    // 张, a lead byte before DEL (no trail byte), 'a', a lead byte before a space, 李, a
    // lead byte cut off at the end. (A lone 0xFF is no longer here: code page 936 maps it.)
    const std::string gbk = "\xD5\xC5\x81\x7F"
                            "a\x81 \xC0\xEE\xD5";
    EXPECT_EQ(draw::gbkToUtf8(gbk),
              "张\uFFFD\x7F"
              "a\uFFFD 李\uFFFD");
    EXPECT_EQ(draw::gbkToUtf8("\0a"s), "\0a"s);
}

TEST(GbkCodec, ShowsEveryAreaAsCodePage936)
{
    struct Case {
        std::string gbk;
        char32_t code;
        const char *area;
    };
    const Case cases[] = {
        {"\x80", 0x20AC, "euro sign, single byte"},
        {"\xFF", 0xF8F5, "0xFF, single byte"},
        {"\xB0\xA1", 0x554A, "GB2312 hanzi 啊"},
        {"\x81\x40", 0x4E02, "extension hanzi"},
        {"\xA1\xA4", 0x00B7, "middle dot"},
        {"\xA1\xAA", 0x2014, "em dash"},
        {"\xA3\xA4", 0xFFE5, "full-width yuan sign"},
        {"\xAA\xA1", 0xE000, "user-defined AAA1-AFFE, first"},
        {"\xAF\xFE", 0xE233, "user-defined AAA1-AFFE, last"},
        {"\xF8\xA1", 0xE234, "user-defined F8A1-FEFE, first"},
        {"\xFE\xFE", 0xE4C5, "user-defined F8A1-FEFE, last"},
        {"\xA1\x40", 0xE4C6, "user-defined A140-A7A0, first"},
        {"\xA7\xA0", 0xE765, "user-defined A140-A7A0, last"},
        {"\xA2\xE3", 0xE76C, "private use where other GBK tables put the euro sign"},
        {"\xA8\xBC", 0xE7C7, "private use where other GBK tables put m with acute"},
        {"\xFE\x50", 0xE815, "private use where other GBK tables put a radical"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(draw::gbkToUtf8(c.gbk), draw::utf8Of(c.code)) << c.area;
        const draw::GbkEncoding encoded = draw::utf8ToGbk(draw::utf8Of(c.code));
        EXPECT_TRUE(encoded.ok()) << c.area;
        EXPECT_EQ(encoded.bytes, c.gbk) << c.area;
        // Between other characters the stored bytes still come back unchanged.
        const std::string framed = "a" + c.gbk + "\xD5\xC5";
        EXPECT_EQ(draw::utf8ToGbk(draw::gbkToUtf8(framed)).bytes, framed) << c.area;
    }
}

} // namespace
