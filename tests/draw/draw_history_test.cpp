#include "draw/draw_error.h"
#include "draw/draw_history.h"
#include "draw/name_list.h"

#include "gbk_names.h"

#include <gtest/gtest.h>

namespace {

const std::string comma = kComma;

draw::DrawState stateOf(int names)
{
    draw::DrawState state;
    state.TierCount = 3;
    for (int i = 0; i < names; ++i)
        state.roster.append("n" + std::to_string(i));
    return state;
}

// Selects the names at `positions` in pick order and commits them to tier k.
std::string drawAt(draw::DrawHistory &history, draw::DrawState &state, int k,
                   std::initializer_list<std::size_t> positions)
{
    std::string display;
    for (const std::size_t i : positions) {
        state.roster.setSelected(i, true);
        display = draw::Join(display, state.roster.name(i));
    }
    history.commit(state, k, display);
    return display;
}

TEST(RosterPutBack, EntriesReturnAmongThoseStillThere)
{
    draw::DrawState state = stateOf(6);
    state.roster.setSelected(1, true);
    state.roster.setSelected(4, true);
    std::vector<draw::Roster::TakenEntry> taken = state.roster.takeSelected();
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].name, "n1");
    EXPECT_EQ(taken[1].name, "n4");
    // Changes by hand since the draw do not shift the returning entries.
    state.roster.append("late");
    state.roster.setSelected(0, true);
    state.roster.deleteSelected();
    state.roster.putBack(taken);
    EXPECT_EQ(state.roster.names(),
              (std::vector<std::string>{"n1", "n2", "n3", "n4", "n5", "late"}));
    EXPECT_THROW(state.roster.putBack(taken), draw::DrawError);
    EXPECT_EQ(state.roster.size(), 6u);
}

TEST(DrawHistory, UndoNewestFirstRestoresRosterTextAndCount)
{
    draw::DrawState state = stateOf(10);
    state.winners(2) = "earlier";
    state.tier(2).countText = "1";
    const std::vector<std::string> before = state.roster.names();
    draw::DrawHistory history;

    const std::string first = drawAt(history, state, 2, {7, 2, 5});
    const std::vector<std::string> afterFirst = state.roster.names();
    const std::string textAfterFirst = state.winners(2);
    const std::string second = drawAt(history, state, 2, {0, 6});
    drawAt(history, state, 1, {3});
    EXPECT_EQ(state.winners(2), "earlier" + comma + first + comma + second);
    EXPECT_EQ(state.tier(2).countText, "6");

    EXPECT_EQ(history.undo(state).tier, 1);
    EXPECT_EQ(state.winners(1), "");
    EXPECT_EQ(state.tier(1).countText, "00");

    const draw::CommittedDraw undone = history.undo(state);
    EXPECT_EQ(undone.winners.size(), 2u);
    EXPECT_EQ(state.winners(2), textAfterFirst);
    EXPECT_EQ(state.tier(2).countText, "4");
    EXPECT_EQ(state.roster.names(), afterFirst);

    history.undo(state);
    EXPECT_EQ(state.winners(2), "earlier");
    EXPECT_EQ(state.tier(2).countText, "1");
    EXPECT_EQ(state.roster.names(), before);
    EXPECT_FALSE(history.canUndo());
}

TEST(DrawHistory, UnlistedEmptyNameReturnsOnUndo)
{
    draw::DrawState state = stateOf(4);
    state.roster.append("");
    const std::vector<std::string> before = state.roster.names();
    draw::DrawHistory history;
    // Joining "" first and then "n1" shows only "n1"; both left the roster.
    drawAt(history, state, 1, {4, 1});
    EXPECT_EQ(state.winners(1), "n1");
    EXPECT_EQ(state.roster.size(), 3u);
    history.undo(state);
    EXPECT_EQ(state.roster.names(), before);
    EXPECT_EQ(state.winners(1), "");
}

TEST(DrawHistory, VoidedWinnersLeaveTextAndCountAndStayOutOnUndo)
{
    draw::DrawState state = stateOf(10);
    state.winners(1) = "old";
    state.tier(1).countText = "1";
    draw::DrawHistory history;
    drawAt(history, state, 1, {4, 8});
    drawAt(history, state, 1, {0, 1, 2}); // n0, n1, n2

    // Pieces: old, n4, n8, n0, n1, n2. Voids one of each draw and the old winner.
    EXPECT_EQ(history.voidWinners(state, 1, {4, 0, 2}),
              (std::vector<std::string>{"old", "n8", "n1"}));
    EXPECT_EQ(state.winners(1), "n4" + comma + "n0" + comma + "n2");
    EXPECT_EQ(state.tier(1).countText, "3");

    const draw::CommittedDraw undone = history.undo(state);
    ASSERT_EQ(undone.winners.size(), 2u);
    EXPECT_EQ(state.winners(1), "n4");
    EXPECT_EQ(state.tier(1).countText, "1");
    EXPECT_EQ(state.roster.names(),
              (std::vector<std::string>{"n0", "n2", "n3", "n5", "n6", "n7", "n9"}));

    // Voiding the last winner of a draw leaves nothing of it to undo.
    history.voidWinners(state, 1, {0});
    EXPECT_EQ(state.winners(1), "");
    EXPECT_EQ(state.tier(1).countText, "0");
    EXPECT_FALSE(history.canUndo());
}

TEST(DrawHistory, VoidPastTheTextChangesNothing)
{
    draw::DrawState state = stateOf(4);
    draw::DrawHistory history;
    drawAt(history, state, 1, {1});
    EXPECT_THROW(history.voidWinners(state, 1, {0, 1}), draw::DrawError);
    EXPECT_THROW(history.voidWinners(state, 2, {0}), draw::DrawError);
    EXPECT_EQ(state.winners(1), "n1");
    EXPECT_EQ(state.tier(1).countText, "1");
    EXPECT_TRUE(history.canUndo());
}

} // namespace
