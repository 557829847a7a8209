#include "draw/rolling_pick.h"

#include "draw/name_list.h"

#include <algorithm>
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
    try {
        tick(roster, groupSizeText);
    } catch (...) {
        m_pending = false;
        throw;
    }
    takeDisplay(roster, display);
}

void RollingPick::tick(Roster &roster, std::string_view groupSizeText)
{
    m_picks.clear();
    m_everyone = false;
    m_pending = true;
    if (roster.empty()) {
        m_roster = &roster;
        m_changesAfter = roster.m_changes;
        m_renumberingsAt = roster.m_renumberings;
        return;
    }

    clearMarks(roster);
    // Whatever happens next, the roster's marks are this tick's.
    m_roster = &roster;
    std::int32_t count = 0;
    try {
        count = StrToInt(groupSizeText);
    } catch (...) {
        roster.notify(); // the marks were cleared all the same
        m_changesAfter = roster.m_changes;
        m_renumberingsAt = roster.m_renumberings;
        throw;
    }

    if (count < static_cast<std::int64_t>(roster.size())) {
        pickAtRandom(roster, count);
    } else {
        roster.markAllQuietly();
        m_everyone = true;
        m_everyoneCount = roster.size();
    }
    roster.notify();
    m_changesAfter = roster.m_changes;
    m_renumberingsAt = roster.m_renumberings;
}

void RollingPick::clearMarks(Roster &roster) const
{
    // When nothing touched the roster since the previous tick's own notification,
    // its marks are exactly that tick's picks: clearing those few is clearing all.
    const bool onlyOurs = m_roster == &roster && roster.m_changes == m_changesAfter &&
        !m_everyone && roster.m_selectedCount == m_picks.size();
    if (!onlyOurs) {
        roster.clearMarksQuietly();
        return;
    }
    for (const std::uint32_t position : m_picks)
        roster.m_marks[position] = 0;
    roster.m_selectedCount = 0;
}

void RollingPick::pickAtRandom(Roster &roster, std::int32_t count)
{
    const auto size = static_cast<std::uint32_t>(roster.size());
    m_picks.reserve(static_cast<std::size_t>(std::max(count, 0)));
    // The marks were all clear at the start of the tick, so a set mark is exactly a
    // position already picked in this tick: the check for a repeat costs O(1).
    for (std::int32_t slot = 0; slot < count; ++slot) {
        std::uint32_t position = 0;
        do {
            position = randomPosition(m_seed(), size);
        } while (roster.markedQuietly(position));
        roster.markQuietly(position);
        m_picks.push_back(position);
    }
}

void RollingPick::takeDisplay(const Roster &roster, std::string &display)
{
    if (!m_pending)
        return;
    m_pending = false;
    if (m_roster != &roster || roster.m_renumberings != m_renumberingsAt)
        return;
    display.clear();
    if (m_everyone) {
        // Names appended since the tick were not in it.
        for (std::size_t i = 0; i < m_everyoneCount; ++i)
            appendName(display, roster.nameQuietly(i));
        return;
    }
    for (const std::uint32_t position : m_picks)
        appendName(display, roster.nameQuietly(position));
}

} // namespace draw
