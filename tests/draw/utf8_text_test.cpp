#include "draw/draw_error.h"
#include "draw/gbk_codec.h"
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
        // A GBK name in a GBK file that lines up into valid UTF-8 with a three-byte
        // character: GBK reads it as common characters, so it stays GBK.
        EncodingCase{"GbkNameThatReadsAsUtf8Chinese",
                     kZhangSan + "\r\n\xE5\xA1\xB0\xE0\xB0\xA1\r\n"s + kLiSi, TextEncoding::Gbk},
        EncodingCase{"Utf8ChineseWithAnAccent", "José 张三 李四\r\n", TextEncoding::Utf8},
        // Valid GBK too ("Jos茅"), but accented letters inside Latin words mean UTF-8.
        EncodingCase{"AccentedLatinWordIsUtf8", "José\r\n", TextEncoding::Utf8},
        // Two-byte characters of other scripts stay GBK names (张伟 reads "ŕΰ" as UTF-8).
        EncodingCase{"CyrillicAndGreekLookalikesStayGbk", "\xD5\xC5\xCE\xB0", TextEncoding::Gbk},
        EncodingCase{"MarkDecides", kMark + "abc\r\n"s, TextEncoding::Utf8WithMark},
        EncodingCase{"MarkBeforeGbkBytes", kMark + std::string(kZhangSan),
                     TextEncoding::Utf8WithMark},
        EncodingCase{"Utf8ThenGbkIsMixed", "张三\r\n"s + kLiSi + "\r\n", TextEncoding::Mixed},
        EncodingCase{"LineOfNeitherIsMixed", "abc\r\n\x81\r\n", TextEncoding::Mixed},
        EncodingCase{"Utf16LittleEndianMark",
                     "\xFF\xFE"
                     "a\0"s,
                     TextEncoding::Utf16LittleEndian},
        EncodingCase{"Utf16BigEndianMark", "\xFE\xFF\0a"s, TextEncoding::Utf16BigEndian},
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

// UTF-8 text as the GBK lines the program keeps.
TextList gbkLines(std::initializer_list<const char *> utf8)
{
    TextList lines;
    for (const char *line : utf8)
        lines.push_back(draw::utf8ToGbk(line).bytes);
    return lines;
}

std::string crlfLines(std::initializer_list<const char *> lines)
{
    std::string bytes;
    for (const char *line : lines)
        bytes += std::string(line) + "\r\n";
    return bytes;
}

TEST(Utf8Text, ChineseAndAccentedNamesInUtf8ReadAsUtf8)
{
    // Valid GBK too, with more two-byte than three-byte sequences: counting them
    // alone read 王芃 as 鐜嬭妰.
    const auto names = {"王芃",     "李娜",   "张伟",     "刘洋",   "陈静",    "杨帆",   "赵敏",
                        "黄磊",     "周杰",   "吴昊",     "René",   "José",    "Hélène", "Jürgen",
                        "Müller",   "Renée",  "Chloé",    "Inès",   "Désirée", "Cécile", "André",
                        "Frédéric", "Amélie", "Bérénice", "Noémie", "Léonie"};
    const std::string bytes = crlfLines(names);
    ASSERT_EQ(draw::detectTextEncoding(bytes), TextEncoding::Utf8);
    EXPECT_EQ(draw::decodeTextList(bytes, "f"), gbkLines(names));
}

TEST(Utf8Text, Utf16WithAMarkReadsLikeUtf8)
{
    const TextList expected = gbkLines({"张三", "René", "李四"});
    // "张三\r\nRené\r李四" little-endian, then big-endian; 张 U+5F20, 三 U+4E09, é U+00E9,
    // 李 U+674E, 四 U+56DB.
    const std::string little = "\xFF\xFE\x20\x5F\x09\x4E\r\0\n\0R\0e\0n\0\xE9\0\r\0"
                               "\x4E\x67\xDB\x56"s;
    const std::string big = "\xFE\xFF\x5F\x20\x4E\x09\0\r\0\n\0R\0e\0n\0\xE9\0\r"
                            "\x67\x4E\x56\xDB"s;
    EXPECT_EQ(draw::decodeTextList(little, "f"), expected);
    EXPECT_EQ(draw::decodeTextList(big, "f"), expected);
    // A character after a NUL is not read.
    EXPECT_EQ(draw::decodeTextList("\xFF\xFE"
                                   "a\0\0\0b\0"s,
                                   "f"),
              TextList{"a"});
}

TEST(Utf8Text, NamesTheFirstLineThatDoesNotFit)
{
    // Five names saved as UTF-8, then one as GBK: read as GBK they showed "鍒樺瓙杞…".
    EXPECT_EQ(
        messageOf(crlfLines({"刘子轩", "王芳", "李娜娜", "张伟", "陈静"}) + kZhangSan + "\r\n"),
        "Cannot read file \"抽奖名单/抽奖名单.txt\": line 6 is GBK in a UTF-8 file; save "
        "the whole file as UTF-8 or as GBK");
    EXPECT_EQ(messageOf(kZhangSan + "\r\n"s + kLiSi + "\r\n" + kWangWu + "\r\n刘子轩\r\n"),
              "Cannot read file \"抽奖名单/抽奖名单.txt\": line 4 is UTF-8 in a GBK file; save "
              "the whole file as UTF-8 or as GBK");
    EXPECT_EQ(messageOf("张三\r\n李四\r\na\x81 b\r\n王五\r\n"),
              "Cannot read file \"抽奖名单/抽奖名单.txt\": line 3 is neither UTF-8 nor GBK");
    // UTF-16: an unpaired surrogate on line 2; a name GBK cannot hold on line 1.
    EXPECT_EQ(messageOf("\xFF\xFE"
                        "a\0\n\0b\0\x00\xD8\n\0"s),
              "Cannot read file \"抽奖名单/抽奖名单.txt\": line 2 is not valid UTF-16");
    EXPECT_EQ(messageOf("\xFE\xFF\xD8\x3D\xDE\x00\0\n"s),
              "Cannot convert file \"抽奖名单/抽奖名单.txt\" to GBK: line 1 holds \"😀\" "
              "(U+1F600)");
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
