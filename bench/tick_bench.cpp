#include "draw/rolling_pick.h"

#include "bench_names.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// One tick with the real clock as the seed, as the rolling timer runs it: clearing
// the previous tick's marks, the picks and the display text included.
void BM_Tick(benchmark::State &state)
{
    draw::Roster roster;
    roster.assign(benchNames(static_cast<std::size_t>(state.range(0))));
    const std::string groupSize = std::to_string(state.range(1));
    draw::RollingPick pick;
    std::string display;
    pick.tick(roster, display, groupSize); // the marks a previous tick leaves
    for (auto _ : state) {
        pick.tick(roster, display, groupSize);
        benchmark::DoNotOptimize(display.data());
    }
    state.counters["selected"] = static_cast<double>(roster.selectedCount());
}

// The tick as the rolling timer runs it in the window: marks and the kept pick; the
// names are joined only when a frame shows them (BM_Tick's display).
void BM_TickKeepingPick(benchmark::State &state)
{
    draw::Roster roster;
    roster.assign(benchNames(static_cast<std::size_t>(state.range(0))));
    const std::string groupSize = std::to_string(state.range(1));
    draw::RollingPick pick;
    pick.tick(roster, groupSize);
    for (auto _ : state) {
        pick.tick(roster, groupSize);
        benchmark::ClobberMemory();
    }
    state.counters["selected"] = static_cast<double>(roster.selectedCount());
}

BENCHMARK(BM_TickKeepingPick)
    ->ArgNames({"roster", "group"})
    ->ArgsProduct({{100000, 1000000}, {999}})
    ->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_Tick)
    ->ArgNames({"roster", "group"})
    ->ArgsProduct({{1000, 10000, 100000, 1000000}, {5, 100, 999}})
    ->Unit(benchmark::kMicrosecond);

} // namespace
