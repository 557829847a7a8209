#include "draw/rolling_pick.h"

#include <chrono>

namespace draw {

std::uint32_t performanceCounterSeed()
{
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    const auto nanoseconds =
        std::chrono::duration_cast<std::chrono::nanoseconds>(sinceStart).count();
    return static_cast<std::uint32_t>(nanoseconds);
}

std::uint32_t randomPosition(std::uint32_t seed, std::uint32_t n)
{
    const std::uint32_t next = seed * 134775813u + 1u; // wraps modulo 2^32
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(n) * next) >> 32);
}

} // namespace draw
