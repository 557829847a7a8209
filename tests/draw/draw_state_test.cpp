#include "draw/draw_error.h"
#include "draw/draw_state.h"

#include "file_io.h"
#include "gbk_names.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(DrawState, StartsWithTheDesignDefaults)
{
    const draw::DrawState state;
    const char *names[] = {
        "\xCC\xD8\xB5\xC8\xBD\xB1", // 特等奖
        "\xD2\xBB\xB5\xC8\xBD\xB1", // 一等奖
        "\xB6\xFE\xB5\xC8\xBD\xB1", // 二等奖
        "\xC8\xFD\xB5\xC8\xBD\xB1", // 三等奖
        "\xCB\xC4\xB5\xC8\xBD\xB1", // 四等奖
        "\xCE\xE5\xB5\xC8\xBD\xB1", // 五等奖
    };
    for (int k = 1; k <= draw::kTierSlots; ++k) {
        EXPECT_EQ(state.tier(k).name, names[k - 1]) << k;
        EXPECT_EQ(state.tier(k).shown, k == 1) << k;
        EXPECT_EQ(state.tier(k).countText, "00") << k;
        EXPECT_EQ(state.winners(k), "") << k;
    }
    EXPECT_EQ(state.TierCount, 0);
    EXPECT_TRUE(state.roster.empty());
}

TEST(DrawState, TierInUse)
{
    draw::DrawState state;
    const struct {
        std::int32_t tierCount;
        int lastInUse;
    } cases[] = {{-1, 1}, {0, 1}, {1, 1}, {2, 2}, {3, 3}, {6, 6}, {9, 6}};
    for (const auto &c : cases) {
        state.TierCount = c.tierCount;
        for (int k = 1; k <= draw::kTierSlots; ++k)
            EXPECT_EQ(state.tierInUse(k), k <= c.lastInUse)
                << "TierCount " << c.tierCount << " tier " << k;
    }
}

TEST(DrawState, RosterCountText)
{
    draw::DrawState state;
    // 抽奖名单 共[0]人
    EXPECT_EQ(state.rosterCountText(), "\xB3\xE9\xBD\xB1\xC3\xFB\xB5\xA5 \xB9\xB2[0]\xC8\xCB");
    for (int i = 0; i < 128; ++i)
        state.roster.append("n");
    EXPECT_EQ(state.rosterCountText(), "\xB3\xE9\xBD\xB1\xC3\xFB\xB5\xA5 \xB9\xB2[128]\xC8\xCB");
}

TEST(ReadMan, ReplacesTheRosterWithEveryLine)
{
    TempFolder folder;
    writeBytes(folder / "roster.txt",
               std::string(kZhangSan) + "\r\n\r\n" + kLiSi + "\r\n" + kZhangSan);
    draw::Roster roster;
    roster.append("old");
    roster.setSelected(0, true);
    draw::ReadMan(roster, folder / "roster.txt");
    EXPECT_EQ(roster.names(), (std::vector<std::string>{kZhangSan, "", kLiSi, kZhangSan}));
    EXPECT_EQ(roster.selectedCount(), 0u);
}

TEST(ReadMan, MissingFileLeavesAnEmptyRoster)
{
    TempFolder folder;
    draw::Roster roster;
    roster.append("old");
    EXPECT_THROW(draw::ReadMan(roster, folder / "missing.txt"), draw::DrawError);
    EXPECT_TRUE(roster.empty());
}

} // namespace
