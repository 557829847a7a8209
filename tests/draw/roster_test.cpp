#include "draw/draw_error.h"
#include "draw/roster.h"

#include "marked_positions.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using draw::Roster;

namespace {

Roster rosterOf(const std::vector<std::string> &names)
{
    Roster roster;
    roster.assign(names);
    return roster;
}

TEST(Roster, DeleteSelectedKeepsTheOrderOfTheRest)
{
    Roster roster = rosterOf({"n0", "n1", "n2", "n3", "n4", "n5", "n6"});
    roster.setSelected(2, true);
    roster.setSelected(5, true);
    roster.deleteSelected();
    EXPECT_EQ(roster.names(), (std::vector<std::string>{"n0", "n1", "n3", "n4", "n6"}));
    EXPECT_EQ(roster.selectedCount(), 0u);
    EXPECT_TRUE(markedPositions(roster).empty());
}

TEST(Roster, DeleteSelectedTakesMarkedDuplicatesAndBlanksOnly)
{
    Roster roster = rosterOf({"x", "", "x", "", "y"});
    roster.setSelectedRange(1, 2, true);
    roster.deleteSelected();
    EXPECT_EQ(roster.names(), (std::vector<std::string>{"x", "", "y"}));

    roster.deleteSelected(); // nothing marked: nothing goes
    EXPECT_EQ(roster.size(), 3u);
}

TEST(Roster, MarksAndTheirCount)
{
    Roster roster = rosterOf({"a", "b", "c", "d", "e"});
    roster.setSelected(1, true);
    roster.setSelected(1, true);
    EXPECT_EQ(roster.selectedCount(), 1u);
    roster.setSelectedRange(1, 3, true);
    EXPECT_EQ(markedPositions(roster), (std::vector<std::size_t>{1, 2, 3}));
    EXPECT_EQ(roster.selectedCount(), 3u);
    roster.setSelectedRange(0, 2, false);
    EXPECT_EQ(markedPositions(roster), (std::vector<std::size_t>{3}));
    EXPECT_EQ(roster.selectedCount(), 1u);
    roster.clearSelection();
    EXPECT_TRUE(markedPositions(roster).empty());
    roster.selectAll();
    EXPECT_EQ(roster.selectedCount(), 5u);
    roster.setSelected(4, false);
    EXPECT_EQ(roster.selectedCount(), 4u);
    roster.clearSelection();
    EXPECT_TRUE(markedPositions(roster).empty());
    EXPECT_EQ(roster.selectedCount(), 0u);
    roster.selectAll();
    roster.append("f");
    EXPECT_FALSE(roster.selected(5));
    EXPECT_EQ(roster.selectedCount(), 5u);
}

TEST(Roster, FindIsByteExactAndFirst)
{
    const Roster roster = rosterOf({"Ab", "ab", "", "ab ", " ab", "ab"});
    EXPECT_EQ(roster.find("ab"), 1u);
    EXPECT_EQ(roster.find("Ab"), 0u);
    EXPECT_EQ(roster.find(""), 2u);
    EXPECT_EQ(roster.find("ab "), 3u);
    EXPECT_EQ(roster.find("AB"), std::nullopt);
    EXPECT_EQ(Roster().find(""), std::nullopt);
}

TEST(Roster, PositionOutOfRangeThrowsWithThePosition)
{
    Roster roster = rosterOf({"a", "b", "c"});
    const std::vector<std::function<void()>> calls = {
        [&] { (void)roster.name(3); },
        [&] { (void)roster.selected(3); },
        [&] { roster.setSelected(3, true); },
        [&] { roster.setSelectedRange(0, 3, true); },
        [&] { roster.setSelectedRange(3, 4, false); },
    };
    for (std::size_t i = 0; i < calls.size(); ++i) {
        try {
            calls[i]();
            ADD_FAILURE() << "call " << i << " did not throw";
        } catch (const draw::DrawError &error) {
            EXPECT_STREQ(error.what(), "List index out of bounds (3)") << "call " << i;
        }
    }
    EXPECT_TRUE(markedPositions(roster).empty());
}

TEST(Roster, ObserverHearsOnceAfterEachChange)
{
    Roster roster = rosterOf({"a", "b", "c"});
    int calls = 0;
    std::size_t sizeSeen = 0;
    roster.setObserver([&] {
        ++calls;
        sizeSeen = roster.size();
    });
    const std::vector<std::pair<const char *, std::function<void()>>> changes = {
        {"append", [&] { roster.append("d"); }},
        {"setSelected", [&] { roster.setSelected(0, true); }},
        {"setSelectedRange", [&] { roster.setSelectedRange(1, 3, true); }},
        {"clearSelection", [&] { roster.clearSelection(); }},
        {"selectAll", [&] { roster.selectAll(); }},
        {"deleteSelected", [&] { roster.deleteSelected(); }},
        {"assign",
         [&] {
             roster.assign({"x", "y"});
         }},
        {"clear", [&] { roster.clear(); }},
    };
    for (const auto &[name, change] : changes) {
        calls = 0;
        change();
        EXPECT_EQ(calls, 1) << name;
        EXPECT_EQ(sizeSeen, roster.size()) << name << ": notified before the change was complete";
    }
}

} // namespace
