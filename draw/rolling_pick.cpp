#include "draw/rolling_pick.h"

#include "draw/name_list.h"

#include <utility>

namespace draw {

namespace {

// Join(display, name) in place: the display is rebuilt every tick and must not be
// copied once per name.
void appendName(std::string &display, const std::string &name)
{
    if (display.empty()) {
        display = name;
        return;
    }
    display += kNameSeparator;
    display += name;
}

} // namespace

RollingPick::RollingPick(SeedSource seed)
    : m_seed(seed ? std::move(seed) : SeedSource(performanceCounterSeed))
{
}

void RollingPick::tick(Roster &roster, std::string &display, std::string_view groupSizeText)
{
    display.clear();
    if (roster.empty())
        return;

    roster.clearMarksQuietly();
    std::int32_t count = 0;
    try {
        count = StrToInt(groupSizeText);
    } catch (...) {
        roster.notify(); // the marks were cleared all the same
        throw;
    }

    if (count < static_cast<std::int64_t>(roster.size()))
        pickAtRandom(roster, display, count);
    else
        takeEveryone(roster, display);
    roster.notify();
}

void RollingPick::pickAtRandom(Roster &roster, std::string &display, std::int32_t count)
{
    const auto size = static_cast<std::uint32_t>(roster.size());
    // The marks were all clear at the start of the tick, so a set mark is exactly a
    // position already picked in this tick: the check for a repeat costs O(1).
    for (std::int32_t slot = 0; slot < count; ++slot) {
        std::uint32_t position = 0;
        do {
            position = randomPosition(m_seed(), size);
        } while (roster.markedQuietly(position));
        roster.markQuietly(position);
        appendName(display, roster.m_names[position]);
    }
}

void RollingPick::takeEveryone(Roster &roster, std::string &display)
{
    roster.markAllQuietly();
    for (const std::string &name : roster.m_names)
        appendName(display, name);
}

} // namespace draw
