#include "draw/draw_error.h"
#include "draw/name_list.h"
#include "draw/rolling_pick.h"

#include "marked_positions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

using draw::RollingPick;
using draw::Roster;

namespace {

TEST(StrToInt, AcceptsStrictDecimalWholeNumbers)
{
    const std::pair<const char *, std::int32_t> good[] = {
        {"5", 5},
        {"0", 0},
        {"0005", 5},
        {"+12", 12},
        {"-7", -7},
        {" \t 42", 42},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"-0", 0},
    };
    for (const auto &[text, value] : good)
        EXPECT_EQ(draw::StrToInt(text), value) << text;
}

TEST(StrToInt, RejectsEverythingElseWithTheText)
{
    const char *bad[] = {"",
                         " ",
                         "+",
                         "-",
                         "2.5",
                         "5 ",
                         "5\t",
                         "1e3",
                         "0x10",
                         "$10",
                         "--5",
                         "+-5",
                         "5a",
                         "\n5",
                         "2147483648",
                         "-2147483649",
                         "99999999999999999999",
                         "\xA3\xB5"};
    for (const char *text : bad) {
        try {
            (void)draw::StrToInt(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const draw::DrawError &error) {
            EXPECT_EQ(error.what(), "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}

TEST(RandomPosition, IsTheHighHalfOfNTimesTheNextSeed)
{
    // Worked by hand: 134775813 is 5 mod 8, so for seeds that are multiples of 2^29
    // the product keeps only the low three bits of the multiplier.
    const struct {
        std::uint32_t seed, n, position;
    } cases[] = {
        {0, 10, 0}, // seed' = 1
        {0x80000000u, 10, 5}, // seed' = 2^31 + 1: 10 * (1/2) = 5
        {0x40000000u, 10, 2}, // seed' = 2^30 + 1: 10 * (1/4) = 2.5
        {0xC0000000u, 10, 7}, // seed' = 3 * 2^30 + 1: 10 * (3/4) = 7.5
        {0x20000000u, 10, 6}, // seed' = 5 * 2^29 + 1: 10 * (5/8) = 6.25
        {0x60000000u, 10, 8}, // seed' = 7 * 2^29 + 1: 10 * (7/8) = 8.75
        {0x80000000u, 100000, 50000}, // one half of the roster
        {0xFFFFFFFFu, 10, 9}, // seed' = 2^32 - 134775812 = 4160191484: 9.686…
        {0xFFFFFFFFu, 0xFFFFFFFFu, 4160191483u},
        {12345, 0, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(draw::randomPosition(c.seed, c.n), c.position)
            << std::hex << c.seed << " " << std::dec << c.n;
}

// Seeds handed out in order; counts how many were asked for.
struct ScriptedSeeds {
    std::deque<std::uint32_t> seeds;
    int asked = 0;

    draw::SeedSource source()
    {
        return [this] {
            ++asked;
            if (seeds.empty())
                throw std::logic_error("more seeds asked for than scripted");
            const std::uint32_t next = seeds.front();
            seeds.pop_front();
            return next;
        };
    }
};

Roster rosterOf(std::size_t size)
{
    Roster roster;
    for (std::size_t i = 0; i < size; ++i)
        roster.append(std::string("n").append(std::to_string(i)));
    return roster;
}

std::string joined(const std::vector<std::string> &names)
{
    std::string text;
    for (const std::string &name : names)
        text = draw::Join(text, name);
    return text;
}

class Tick : public testing::Test {
protected:
    ScriptedSeeds script;
    RollingPick pick{script.source()};
    std::string display = "previous";
};

TEST_F(Tick, PicksTheScriptedPositionsInOrderAndRetriesARepeat)
{
    Roster roster = rosterOf(10);
    // Positions 7, 7 (a repeat, drawn again), 2, 8; see RandomPosition above.
    script.seeds = {0xC0000000u, 0xC0000000u, 0x40000000u, 0x60000000u};
    pick.tick(roster, display, "3");
    EXPECT_EQ(markedPositions(roster), (std::vector<std::size_t>{2, 7, 8}));
    EXPECT_EQ(display, joined({"n7", "n2", "n8"}));
    EXPECT_EQ(script.asked, 4);

    // The next tick forgets this one's marks.
    script.seeds = {0x80000000u};
    pick.tick(roster, display, "1");
    EXPECT_EQ(markedPositions(roster), (std::vector<std::size_t>{5}));
    EXPECT_EQ(display, "n5");
}

TEST_F(Tick, EqualNamesAreDistinctPositions)
{
    Roster roster;
    roster.assign({"x", "y", "x", "z"});
    // n = 4: seed 0 gives 0; seed 0x80000000 gives 2.
    script.seeds = {0, 0x80000000u};
    pick.tick(roster, display, "2");
    EXPECT_EQ(markedPositions(roster), (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(display, joined({"x", "x"}));
}

TEST_F(Tick, BlankNamePickedFirstLeavesNoLeadingSeparator)
{
    Roster roster;
    roster.assign({"", "a", "b", "c"});
    script.seeds = {0, 0x80000000u}; // positions 0 (blank) and 2
    pick.tick(roster, display, "2");
    EXPECT_EQ(markedPositions(roster), (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(display, "b"); // Join("", "b")
}

TEST_F(Tick, GroupAtOrAboveRosterSizeTakesEveryoneInRosterOrder)
{
    for (const char *groupSize : {"10", "11", "999", "2147483647"}) {
        Roster roster = rosterOf(10);
        pick.tick(roster, display, groupSize);
        EXPECT_EQ(roster.selectedCount(), 10u) << groupSize;
        EXPECT_EQ(display, joined(roster.names())) << groupSize;
    }
    EXPECT_EQ(script.asked, 0);
}

TEST_F(Tick, GroupOfZeroOrLessPicksNobody)
{
    for (const char *groupSize : {"0", "-3"}) {
        Roster roster = rosterOf(10);
        roster.selectAll();
        display = "previous";
        pick.tick(roster, display, groupSize);
        EXPECT_EQ(roster.selectedCount(), 0u) << groupSize;
        EXPECT_EQ(display, "") << groupSize;
    }
    EXPECT_EQ(script.asked, 0);
}

TEST_F(Tick, EmptyRosterEmptiesTheDisplay)
{
    Roster roster;
    pick.tick(roster, display, "5");
    EXPECT_EQ(display, "");
    EXPECT_EQ(roster.selectedCount(), 0u);
    EXPECT_EQ(script.asked, 0);
    // Checked only once there is someone to draw.
    EXPECT_NO_THROW(pick.tick(roster, display, "x"));
}

TEST_F(Tick, BadGroupSizeThrowsWithDisplayEmptyAndMarksClear)
{
    for (const char *groupSize : {"2.5", "", "abc"}) {
        Roster roster = rosterOf(10);
        roster.setSelectedRange(2, 6, true);
        display = "previous";
        try {
            pick.tick(roster, display, groupSize);
            ADD_FAILURE() << "no exception for '" << groupSize << "'";
        } catch (const draw::DrawError &error) {
            EXPECT_EQ(error.what(),
                      "'" + std::string(groupSize) + "' is not a valid integer value");
        }
        EXPECT_EQ(display, "");
        EXPECT_TRUE(markedPositions(roster).empty());
        EXPECT_EQ(roster.selectedCount(), 0u);
    }
}

TEST_F(Tick, NotifiesTheViewOncePerTick)
{
    Roster roster = rosterOf(10);
    int calls = 0;
    roster.setObserver([&] { ++calls; });
    script.seeds = {0, 0x80000000u, 0xC0000000u};
    pick.tick(roster, display, "3");
    EXPECT_EQ(calls, 1);
    EXPECT_THROW(pick.tick(roster, display, "x"), draw::DrawError);
    EXPECT_EQ(calls, 2);
}

// A screen that shows one tick in many takes the display only when it paints.
TEST_F(Tick, TakenDisplayIsTheLastTicksPickAndIsTakenOnce)
{
    Roster roster = rosterOf(10);
    script.seeds = {0xC0000000u, 0x40000000u, 0x80000000u}; // 7, 2, then 5
    pick.tick(roster, "2");
    pick.tick(roster, "1");
    ASSERT_TRUE(pick.displayPending());
    pick.takeDisplay(roster, display);
    EXPECT_EQ(display, "n5");
    EXPECT_EQ(markedPositions(roster), (std::vector<std::size_t>{5}));
    EXPECT_FALSE(pick.displayPending());
    display = "kept";
    pick.takeDisplay(roster, display);
    EXPECT_EQ(display, "kept");

    // Everyone, in roster order; a name appended after the tick was not in it.
    pick.tick(roster, "999");
    roster.append("late");
    pick.takeDisplay(roster, display);
    const std::vector<std::string> all = roster.names();
    EXPECT_EQ(display, joined(std::vector<std::string>(all.begin(), all.end() - 1)));

    script.seeds = {0};
    pick.tick(roster, "1");
    pick.dropDisplay();
    pick.takeDisplay(roster, display);
    EXPECT_EQ(display, joined(std::vector<std::string>(all.begin(), all.end() - 1)));
}

TEST_F(Tick, TakenDisplayNeverNamesEntriesThatMovedSinceTheTick)
{
    Roster roster = rosterOf(10);
    script.seeds = {0x80000000u}; // 5
    pick.tick(roster, "1");
    roster.deleteSelected();
    display = "kept";
    pick.takeDisplay(roster, display);
    EXPECT_EQ(display, "kept");
}

// A tick clears only its predecessor's picks when nothing else touched the marks;
// any other mark, set or cleared by the operator in between, is cleared as well.
TEST_F(Tick, ClearsEveryMarkWhateverChangedThemBetweenTicks)
{
    const struct {
        const char *name;
        void (*between)(Roster &);
    } cases[] = {
        {"nothing", [](Roster &) {}},
        {"one more marked", [](Roster &r) { r.setSelected(9, true); }},
        {"one swapped",
         [](Roster &r) {
             r.setSelected(2, false);
             r.setSelected(9, true);
         }},
        {"range", [](Roster &r) { r.setSelectedRange(0, 3, true); }},
        {"all", [](Roster &r) { r.selectAll(); }},
    };
    for (const auto &c : cases) {
        Roster roster = rosterOf(10);
        script.seeds = {0xC0000000u, 0x40000000u, 0x80000000u}; // 7, 2, then 5
        pick.tick(roster, display, "2");
        c.between(roster);
        pick.tick(roster, display, "1");
        EXPECT_EQ(markedPositions(roster), (std::vector<std::size_t>{5})) << c.name;
        EXPECT_EQ(roster.selectedCount(), 1u) << c.name;
    }
    // Another roster through the same pick: its own marks are cleared too.
    Roster first = rosterOf(10);
    Roster second = rosterOf(10);
    second.setSelectedRange(0, 9, true);
    script.seeds = {0x80000000u, 0};
    pick.tick(first, display, "1");
    pick.tick(second, display, "1");
    EXPECT_EQ(markedPositions(second), (std::vector<std::size_t>{0}));
}

// With the real clock: every tick picks distinct entries, and over many ticks every
// position turns up. Stops as soon as all have been seen.
TEST(TickWithClock, EveryPositionIsReachable)
{
    RollingPick pick;
    Roster roster = rosterOf(10);
    std::string display;
    std::set<std::size_t> seen;
    for (int tick = 0; tick < 100000 && seen.size() < roster.size(); ++tick) {
        pick.tick(roster, display, "3");
        const std::vector<std::size_t> marked = markedPositions(roster);
        ASSERT_EQ(marked.size(), 3u);
        ASSERT_EQ(draw::CharCount(display), 3);
        seen.insert(marked.begin(), marked.end());
    }
    EXPECT_EQ(seen.size(), roster.size());
}

TEST(TickWithClock, AllButOneEnds)
{
    RollingPick pick;
    Roster roster = rosterOf(10);
    std::string display;
    std::set<std::size_t> left;
    for (int tick = 0; tick < 200; ++tick) {
        pick.tick(roster, display, "9");
        ASSERT_EQ(roster.selectedCount(), 9u);
        ASSERT_EQ(draw::CharCount(display), 9);
        for (std::size_t i = 0; i < roster.size(); ++i)
            if (!roster.selected(i))
                left.insert(i);
    }
    EXPECT_GT(left.size(), 1u); // the one left out varies
}

} // namespace
