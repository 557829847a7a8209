#pragma once

#include "draw/roster.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

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

private:
    void pickAtRandom(Roster &roster, std::string &display, std::int32_t count);
    static void takeEveryone(Roster &roster, std::string &display);

    SeedSource m_seed;
};

} // namespace draw
