#include "draw/draw_state.h"
#include "draw/rolling_pick.h"

#include "bench_names.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Stop's work in memory at 1,000,000 names: the display joined from the last pick,
// the commit to tier 1 and the 999 winners deleted from the roster. The record's
// durable write is measured by measure_rolling, on the disk it runs on.
void BM_StopCommit(benchmark::State &state)
{
    const std::vector<std::string> roster = benchNames(static_cast<std::size_t>(state.range(0)));
    const std::string groupSize = std::to_string(state.range(1));
    draw::RollingPick pick;
    for (auto _ : state) {
        state.PauseTiming();
        draw::DrawState draw;
        draw.roster.assign(roster);
        draw.TierCount = 1;
        std::string display;
        pick.tick(draw.roster, groupSize);
        state.ResumeTiming();
        pick.takeDisplay(draw.roster, display);
        draw::commitDraw(draw, 1, display);
        benchmark::DoNotOptimize(draw.roster.size());
        state.PauseTiming();
        draw = {};
        state.ResumeTiming();
    }
}

BENCHMARK(BM_StopCommit)
    ->ArgNames({"roster", "group"})
    ->Args({1000000, 999})
    ->Unit(benchmark::kMillisecond);

} // namespace
