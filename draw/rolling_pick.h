#pragma once

#include "draw/roster.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace draw {

// Strict decimal conversion of a whole number (optional leading blanks, optional
// sign, digits, fits 32 bits). Throws DrawError "'<text>' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);

// Low 32 bits of the high-resolution clock; the reseed of every pick.
using SeedSource = std::function<std::uint32_t()>;
std::uint32_t performanceCounterSeed();

// The runtime's generator: seed' = seed * 134775813 + 1 (mod 2^32); the position
// in [0, n) is the high 32 bits of n * seed'.
std::uint32_t randomPosition(std::uint32_t seed, std::uint32_t n);

// One tick of the rolling draw: a fresh pick of the group size's distinct roster
// entries, marked in the roster and listed in `display` in pick order (everyone,
// in roster order, when the group size reaches the roster size).
class RollingPick {
public:
    explicit RollingPick(SeedSource seed = performanceCounterSeed);

    // Throws DrawError when groupSizeText is not a whole number; `display` is
    // then empty and all marks are clear.
    void tick(Roster &roster, std::string &display, std::string_view groupSizeText);

    // The same tick without the display text: the marks are set and the pick is
    // kept, so that a screen showing one tick in many need join the names only
    // when it shows them (takeDisplay). Throws as tick does; the kept pick is
    // then empty.
    void tick(Roster &roster, std::string_view groupSizeText);
    // True when a tick ran since the display was last taken or dropped.
    bool displayPending() const { return m_pending; }
    // When a tick is pending, sets `display` to its names, exactly the text tick
    // would have built; otherwise leaves `display` as it is. Entries deleted since
    // that tick are not named: the display is then left as it is.
    void takeDisplay(const Roster &roster, std::string &display);
    // Forgets the pending tick's display (Cancel clears the display instead).
    void dropDisplay() { m_pending = false; }

private:
    void pickAtRandom(Roster &roster, std::int32_t count);
    void clearMarks(Roster &roster) const;

    SeedSource m_seed;
    std::vector<std::uint32_t> m_picks; // positions, in pick order
    bool m_everyone = false; // the whole roster, in roster order
    std::size_t m_everyoneCount = 0; // the roster's size at that tick
    bool m_pending = false;
    const Roster *m_roster = nullptr; // the roster of the kept pick
    // The roster's change counters just after this pick's own notification.
    std::uint64_t m_changesAfter = 0;
    std::uint64_t m_renumberingsAt = 0;
};

} // namespace draw
