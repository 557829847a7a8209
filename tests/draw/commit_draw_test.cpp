#include "draw/draw_state.h"
#include "draw/name_list.h"

#include "gbk_names.h"

#include <gtest/gtest.h>

namespace {

const std::string comma = kComma;

draw::DrawState stateOfTwelve()
{
    draw::DrawState state;
    state.TierCount = 3;
    for (int i = 0; i < 12; ++i)
        state.roster.append(std::string("n").append(std::to_string(i)));
    return state;
}

TEST(CommitDraw, AppendsTheDrawToTheTierAndDeletesTheWinners)
{
    draw::DrawState state = stateOfTwelve();
    std::string display;
    for (const std::size_t i : {4u, 0u, 11u, 7u, 2u}) {
        state.roster.setSelected(i, true);
        display = draw::Join(display, state.roster.name(i));
    }
    EXPECT_EQ(draw::commitDraw(state, 2, display), 5);
    EXPECT_EQ(state.tier(2).countText, "5");
    EXPECT_EQ(state.winners(2), display);
    EXPECT_EQ(state.roster.size(), 7u);
    EXPECT_EQ(state.roster.find("n4"), std::nullopt);
    EXPECT_EQ(state.roster.name(0), "n1");
    EXPECT_EQ(state.tier(1).countText, "00");

    // A later draw for the same tier goes after a separator and adds to the count.
    state.roster.setSelected(0, true);
    state.roster.setSelected(1, true);
    EXPECT_EQ(draw::commitDraw(state, 2, "n1" + comma + "n3"), 2);
    EXPECT_EQ(state.tier(2).countText, "7");
    EXPECT_EQ(state.winners(2), display + comma + "n1" + comma + "n3");
    EXPECT_EQ(state.roster.size(), 5u);
}

TEST(CommitDraw, CountTextIsReadAsANumber)
{
    draw::DrawState state = stateOfTwelve();
    state.tier(1).countText = "0009";
    draw::commitDraw(state, 1, "a" + comma + "b" + comma + "c");
    EXPECT_EQ(state.tier(1).countText, "12");
}

TEST(CommitDraw, EmptyDisplayCommitsNobody)
{
    draw::DrawState state = stateOfTwelve();
    state.roster.setSelected(0, true);
    draw::commitDraw(state, 3, "n0");
    state.roster.setSelected(4, true); // "n5"
    EXPECT_EQ(draw::commitDraw(state, 3, ""), 0);
    EXPECT_EQ(state.winners(3), "n0");
    EXPECT_EQ(state.tier(3).countText, "1");
    EXPECT_EQ(state.roster.size(), 10u);
    EXPECT_EQ(state.roster.find("n5"), std::nullopt);
}

} // namespace
