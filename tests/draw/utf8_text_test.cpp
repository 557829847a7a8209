#include "draw/draw_error.h"
#include "draw/text_file.h"
#include "draw/utf8_path.h"
#include "draw/utf8_text.h"

#include "file_io.h"
#include "gbk_names.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

using draw::TextEncoding;
using draw::TextList;

namespace {

using namespace std::string_literals;

constexpr const char *kMark = "\xEF\xBB\xBF";

struct EncodingCase {
    const char *label;
    std::string bytes;
    TextEncoding encoding;
};

void PrintTo(const EncodingCase &encodingCase, std::ostream *out)
{
    *out << encodingCase.label;
}

class Detection : public testing::TestWithParam<EncodingCase> {};

TEST_P(Detection, TellsUtf8FromGbk)
{
    EXPECT_EQ(draw::detectTextEncoding(GetParam().bytes), GetParam().encoding);
}

// Real GBK names that are also valid UTF-8, each a pair of two-byte sequences:
// 谢伟 D0BB CEB0 reads "лΰ", 叶平 D2B6 C6BD "Ҷƽ", 肖雪 D0A4 D1A9 "Фѩ", 卢萍 C2AC C6BC "¬Ƽ".
const std::string kGbkValidAsUtf8 = "\xD0\xBB\xCE\xB0\r\n"
                                    "\xD2\xB6\xC6\xBD\r\n"
                                    "\xD0\xA4\xD1\xA9\r\n"
                                    "\xC2\xAC\xC6\xBC\r\n";

INSTANTIATE_TEST_SUITE_P(
    Utf8Text, Detection,
    testing::Values(
        EncodingCase{"EmptyFile", "", TextEncoding::Gbk},
        EncodingCase{"AsciiReadsTheSameEitherWay", "abc\r\n123\r\n", TextEncoding::Gbk},
        EncodingCase{"GbkNamesAreNotUtf8", kZhangSan + "\r\n"s + kLiSi + "\r\n", TextEncoding::Gbk},
        // The hard case from the other side: UTF-8 张三 李四 is valid GBK too
        // (E5BC A0E4 B889 ...), and its three-byte characters win.
        EncodingCase{"Utf8ChineseAlsoValidGbk", "张三\r\n李四\r\n", TextEncoding::Utf8},
        EncodingCase{"Utf8ChineseNotValidGbk", "李\r\n", TextEncoding::Utf8},
        EncodingCase{"GbkNamesValidAsUtf8StayGbk", kGbkValidAsUtf8, TextEncoding::Gbk},
        EncodingCase{"OneGbkNameValidAsUtf8", "\xD6\xA3\xCE\xB0", // 郑伟
                     TextEncoding::Gbk},
        EncodingCase{"Utf8ChineseWithAnAccent", "José 张三 李四\r\n", TextEncoding::Utf8},
        // Only two-byte characters and valid GBK: cannot be told from GBK names.
        EncodingCase{"AccentedLatinOnlyReadsAsBefore", "José\r\n", TextEncoding::Gbk},
        EncodingCase{"MarkDecides", kMark + "abc\r\n"s, TextEncoding::Utf8WithMark},
        EncodingCase{"MarkBeforeGbkBytes", kMark + std::string(kZhangSan),
                     TextEncoding::Utf8WithMark},
        EncodingCase{"Utf8ThenGbkIsNotUtf8", "张三\r\n"s + kLiSi + "\r\n", TextEncoding::Gbk},
        EncodingCase{"NothingAfterNulIsRead", "abc\0张三\r\n"s, TextEncoding::Gbk},
        EncodingCase{"MarkAfterNulIsNotRead", "\0"s + kMark + "abc", TextEncoding::Gbk},
        EncodingCase{"OverlongFormIsNotUtf8", "a\xC0\xAF\xE4\xB8\x80", TextEncoding::Gbk},
        EncodingCase{"SurrogateIsNotUtf8", "\xED\xA0\x80\xE4\xB8\x80", TextEncoding::Gbk},
        EncodingCase{"CutOffAtTheEndIsNotUtf8", "\xE4\xB8\x80\xE4\xB8", TextEncoding::Gbk}),
    [](const testing::TestParamInfo<EncodingCase> &caseInfo) { return caseInfo.param.label; });

TEST(Utf8Text, ValidityFollowsTheUtf8Rules)
{
    EXPECT_TRUE(draw::isValidUtf8(""));
    EXPECT_TRUE(draw::isValidUtf8("a\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xF0\x90\x80\x80"
                                  "\xF4\x8F\xBF\xBF"));
    EXPECT_FALSE(draw::isValidUtf8("\xC1\xBF")); // overlong two-byte
    EXPECT_FALSE(draw::isValidUtf8("\xE0\x9F\xBF")); // overlong three-byte
    EXPECT_FALSE(draw::isValidUtf8("\xF0\x8F\xBF\xBF")); // overlong four-byte
    EXPECT_FALSE(draw::isValidUtf8("\xED\xA0\x80")); // surrogate
    EXPECT_FALSE(draw::isValidUtf8("\xF4\x90\x80\x80")); // past U+10FFFF
    EXPECT_FALSE(draw::isValidUtf8("\x80")); // stray continuation
    EXPECT_FALSE(draw::isValidUtf8("\xE4\xB8")); // cut off
    EXPECT_FALSE(draw::isValidUtf8("\xE4\x41\x80")); // ASCII inside a sequence
    EXPECT_FALSE(draw::isValidUtf8("\xFF"));
}

TEST(Utf8Text, Utf8LinesBecomeGbkWithTheLineRules)
{
    const TextList expected{kZhangSan, "", kLiSi + " abc"s, kGrandPrize};
    EXPECT_EQ(draw::decodeTextList("张三\r\n\r\n李四 abc\n特等奖", "f"), expected);
    EXPECT_EQ(draw::decodeTextList(kMark + "张三\r\rabc\r"s, "f"),
              (TextList{kZhangSan, "", "abc"}));
    EXPECT_EQ(draw::decodeTextList(kMark, "f"), TextList{});
    EXPECT_EQ(draw::decodeTextList("张三\r\n\0李四\r\n"s, "f"), TextList{kZhangSan});
}

TEST(Utf8Text, GbkBytesStandAsRead)
{
    EXPECT_EQ(draw::decodeTextList(kGbkValidAsUtf8, "f"), draw::parseTextList(kGbkValidAsUtf8));
    const std::string gbk = kZhangSan + "\r\n"s + kComma + kLiSi;
    EXPECT_EQ(draw::decodeTextList(gbk, "f"), (TextList{kZhangSan, kComma + std::string(kLiSi)}));
}

std::string messageOf(std::string_view bytes)
{
    try {
        draw::decodeTextList(bytes, draw::utf8Path("抽奖名单/抽奖名单.txt"));
    } catch (const draw::DrawError &e) {
        return e.what();
    }
    return "(no error)";
}

TEST(Utf8Text, NamesTheLinesGbkCannotHold)
{
    EXPECT_EQ(messageOf("张三\r\n😀王五한😀\r\n李四\r\n"),
              "Cannot convert file \"抽奖名单/抽奖名单.txt\" to GBK: line 2 holds \"😀\" "
              "(U+1F600), \"한\" (U+D55C)");
    // An invisible character is named by its code point.
    EXPECT_EQ(messageOf(kMark + "张三\r\n李\xE2\x80\x8B四\r\nabc\xFF\r\n"s),
              "Cannot convert file \"抽奖名单/抽奖名单.txt\" to GBK: line 2 holds \"\xE2\x80\x8B\" "
              "(U+200B); line 3 is not valid UTF-8");
    std::string many;
    for (int i = 0; i < 7; ++i)
        many += "😀\r\n";
    EXPECT_EQ(messageOf(many),
              "Cannot convert file \"抽奖名单/抽奖名单.txt\" to GBK: line 1 holds "
              "\"😀\" (U+1F600); line 2 holds \"😀\" (U+1F600); line 3 holds "
              "\"😀\" (U+1F600); line 4 holds \"😀\" (U+1F600); line 5 holds "
              "\"😀\" (U+1F600); and 2 more lines");
}

TEST(Utf8Text, LoadingReadsAUtf8FileAsGbk)
{
    const TempFolder folder;
    writeBytes(folder / "roster.txt", kMark + "张三\r\n李四\r\n"s);
    EXPECT_EQ(draw::loadTextList(folder / "roster.txt"), (TextList{kZhangSan, kLiSi}));
    writeBytes(folder / "gbk.txt", kGbkValidAsUtf8);
    EXPECT_EQ(draw::loadTextList(folder / "gbk.txt"), draw::parseTextList(kGbkValidAsUtf8));
    writeBytes(folder / "bad.txt", "😀\r\n");
    EXPECT_THROW(draw::loadTextList(folder / "bad.txt"), draw::DrawError);
}

} // namespace
