#include "draw/name_list.h"

#include "gbk_names.h"

#include <gtest/gtest.h>

#include <string>

using draw::TextList;

namespace {

const std::string comma = kComma;

TEST(NameList, JoinPutsTheSeparatorOnlyAfterANonEmptyText)
{
    EXPECT_EQ(draw::Join("", "b"), "b");
    EXPECT_EQ(draw::Join("a", "b"), "a" + comma + "b");
    EXPECT_EQ(draw::Join("a", ""), "a" + comma);
    EXPECT_EQ(draw::Join("", ""), "");
    EXPECT_EQ(draw::Join(draw::Join(kZhangSan, kLiSi), kWangWu),
              std::string(kZhangSan) + comma + kLiSi + comma + kWangWu);
}

TEST(NameList, SplitStringTakesThePiecesBetweenSeparators)
{
    struct Case {
        std::string text;
        std::string separator;
        TextList pieces;
    };
    const Case cases[] = {
        {"", comma, {""}},
        {"a", comma, {"a"}},
        {"a" + comma + "b", comma, {"a", "b"}},
        {"a" + comma, comma, {"a", ""}},
        {comma + comma, comma, {"", "", ""}},
        {" a " + comma + " b", comma, {" a ", " b"}},
        {"xabyababz", "ab", {"x", "y", "", "z"}},
        {"aaa", "aa", {"", "a"}}, // the search resumes just past a found separator
        {"abc", "", {"abc"}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(draw::SplitString(c.text, c.separator), c.pieces) << c.text;
        if (c.separator == comma) {
            EXPECT_EQ(draw::CharCount(c.text), static_cast<int>(c.pieces.size())) << c.text;
        }
    }
}

TEST(NameList, SplitsTextsLongerThan255Bytes)
{
    // 40 three-character names: 40 * 6 + 39 * 2 = 318 bytes.
    TextList names;
    std::string text;
    for (int i = 0; i < 40; ++i) {
        std::string name = std::string(kZhangSan) + "\xB0" + static_cast<char>(0xA1 + i);
        text = draw::Join(text, name);
        names.push_back(std::move(name));
    }
    ASSERT_GT(text.size(), 255u);
    EXPECT_EQ(draw::SplitString(text, comma), names);
    EXPECT_EQ(draw::CharCount(text), 40);
}

TEST(NameList, SearchIsByBytesEvenAcrossACharacterBoundary)
{
    // A character ending in A3 followed by one beginning with AC holds the bytes of
    // the separator across the boundary; a byte search splits there all the same.
    const std::string text = "\xB0\xA3\xAC\xA1" + comma + "z";
    EXPECT_EQ(draw::SplitString(text, comma), (TextList{"\xB0", "\xA1", "z"}));
    EXPECT_EQ(draw::CharCount(text), 3);
}

} // namespace
