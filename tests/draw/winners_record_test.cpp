#include "draw/draw_error.h"
#include "draw/draw_state.h"
#include "draw/name_list.h"

#include "file_io.h"
#include "gbk_names.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <random>

using draw::DrawState;
using draw::TextList;

namespace {

const std::string comma = kComma;

std::string bracketed(int k)
{
    return "[" + DrawState().tier(k).name + "]";
}

TEST(WinnersRecord, WritesTier1AndEveryTierInUse)
{
    DrawState state;
    for (int k = 1; k <= draw::kTierSlots; ++k)
        state.winners(k) = std::string("w").append(std::to_string(k));
    const struct {
        std::int32_t tierCount;
        std::size_t lines;
    } cases[] = {{0, 2}, {1, 2}, {3, 6}, {9, 12}};
    for (const auto &c : cases) {
        state.TierCount = c.tierCount;
        const TextList record = draw::winnersRecord(state);
        ASSERT_EQ(record.size(), c.lines) << "TierCount " << c.tierCount;
        for (std::size_t k = 1; k <= c.lines / 2; ++k) {
            EXPECT_EQ(record[2 * (k - 1)], bracketed(static_cast<int>(k)));
            EXPECT_EQ(record[2 * (k - 1) + 1], std::string("w").append(std::to_string(k)));
        }
    }
}

TEST(WinnersRecord, SaveHumanWritesTheRecordFile)
{
    TempFolder folder;
    DrawState state;
    state.TierCount = 3;
    state.winners(1) = kZhangSan;
    state.winners(2) = draw::Join(kLiSi, kWangWu);
    draw::SaveHuman(state, folder / "record.txt");
    EXPECT_EQ(readBytes(folder / "record.txt"),
              bracketed(1) + "\r\n" + kZhangSan + "\r\n" + bracketed(2) + "\r\n" + kLiSi + comma +
                  kWangWu + "\r\n" + bracketed(3) + "\r\n\r\n");
}

DrawState stateWithRoster(std::int32_t tierCount, const std::vector<std::string> &names)
{
    DrawState state;
    state.TierCount = tierCount;
    state.roster.assign(names);
    return state;
}

TEST(RestoreWinners, CountsAndTakesEarlierWinnersOutOfTheRoster)
{
    DrawState state = stateWithRoster(2, {kZhaoLiu, kZhangSan, kLiSi, "x", kWangWu});
    draw::restoreWinners(state, {bracketed(1), kZhangSan, bracketed(2), kLiSi + comma + kWangWu});
    EXPECT_EQ(state.winners(1), kZhangSan);
    EXPECT_EQ(state.winners(2), kLiSi + comma + kWangWu);
    EXPECT_EQ(state.tier(1).countText, "1");
    EXPECT_EQ(state.tier(2).countText, "2");
    EXPECT_EQ(state.tier(3).countText, "00");
    EXPECT_EQ(state.roster.names(), (std::vector<std::string>{kZhaoLiu, "x"}));
}

TEST(RestoreWinners, EmptyWinnersLineCountsZero)
{
    DrawState state = stateWithRoster(2, {"a"});
    draw::restoreWinners(state, {bracketed(1), "", bracketed(2), ""});
    EXPECT_EQ(state.tier(1).countText, "0");
    EXPECT_EQ(state.tier(2).countText, "0");
}

TEST(RestoreWinners, TierWithoutWinnersLineIsNotRead)
{
    DrawState state = stateWithRoster(2, {kLiSi, kZhangSan, kWangWu});
    draw::restoreWinners(state, {bracketed(1), kZhangSan + comma + kLiSi, bracketed(2)});
    EXPECT_EQ(state.tier(1).countText, "2");
    EXPECT_EQ(state.winners(2), "");
    EXPECT_EQ(state.tier(2).countText, "00");
    EXPECT_EQ(state.roster.names(), (std::vector<std::string>{kWangWu}));
}

TEST(RestoreWinners, TiersNotInUseAreNotRead)
{
    DrawState state = stateWithRoster(1, {"a", "b"});
    draw::restoreWinners(state, {bracketed(1), "a", bracketed(2), "b"});
    EXPECT_EQ(state.winners(2), "");
    EXPECT_EQ(state.tier(2).countText, "00");
    EXPECT_EQ(state.roster.names(), (std::vector<std::string>{"b"}));

    DrawState all = stateWithRoster(9, {});
    TextList record;
    for (int k = 1; k <= 7; ++k) {
        record.push_back("[t]");
        record.push_back(std::string(static_cast<std::size_t>(k), 'w'));
    }
    draw::restoreWinners(all, record);
    for (int k = 1; k <= draw::kTierSlots; ++k)
        EXPECT_EQ(all.winners(k), std::string(static_cast<std::size_t>(k), 'w'));
}

TEST(RestoreWinners, MissingTier1LineChangesNothing)
{
    DrawState state = stateWithRoster(2, {kZhangSan});
    for (const TextList &record : {TextList{}, TextList{bracketed(1)}}) {
        try {
            draw::restoreWinners(state, record);
            ADD_FAILURE() << "no exception";
        } catch (const draw::DrawError &error) {
            EXPECT_STREQ(error.what(), "List index out of bounds (1)");
        }
        EXPECT_EQ(state.tier(1).countText, "00");
        EXPECT_EQ(state.roster.size(), 1u);
    }
}

TEST(RestoreWinners, EachEmptyPieceTakesOneBlankEntry)
{
    // Tier 1 alone still joins six texts: "a" and five empty pieces.
    DrawState state = stateWithRoster(0, {"", "a", "", "", "b", "", "", "", ""});
    draw::restoreWinners(state, {bracketed(1), "a"});
    EXPECT_EQ(state.roster.names(), (std::vector<std::string>{"b", "", ""}));
}

TEST(RestoreWinners, OneWinnerTakesOneOfTwoEqualEntries)
{
    DrawState state = stateWithRoster(2, {kZhangSan, kLiSi, kZhangSan, kLiSi});
    draw::restoreWinners(
        state, {bracketed(1), kZhangSan, bracketed(2), kLiSi + comma + kLiSi + comma + kLiSi});
    EXPECT_EQ(state.roster.names(), (std::vector<std::string>{kZhangSan}));
    EXPECT_EQ(state.tier(2).countText, "3");
}

// The outcome must be that of the plain procedure: for each piece, mark its first
// equal entry and delete every marked entry. Entries already marked go with the
// first delete.
TEST(RestoreWinners, MatchesDeletingPieceByPiece)
{
    std::mt19937 random(7);
    const std::vector<std::string> alphabet = {"", "a", "b", "c"};
    const auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> names(pick(8));
        for (std::string &name : names)
            name = alphabet[pick(alphabet.size())];
        TextList record = {"[1]", ""};
        for (std::size_t i = pick(4); i > 0; --i)
            record[1] = draw::Join(record[1], alphabet[pick(alphabet.size())]);

        DrawState state = stateWithRoster(0, names);
        draw::Roster expected;
        expected.assign(names);
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (pick(4) == 0) {
                state.roster.setSelected(i, true);
                expected.setSelected(i, true);
            }
        }
        draw::restoreWinners(state, record);

        std::string joined = record[1];
        for (int k = 2; k <= draw::kTierSlots; ++k)
            joined += comma;
        for (const std::string &piece : draw::SplitString(joined, comma)) {
            if (const auto at = expected.find(piece)) {
                expected.setSelected(*at, true);
                expected.deleteSelected();
            }
        }
        ASSERT_EQ(state.roster.names(), expected.names()) << "round " << round;
    }
}

} // namespace
