#include "draw/draw_state.h"
#include "draw/name_list.h"

#include "bench_names.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Resuming a long evening: a 1,000,000-name roster and a record of 100,000 earlier
// winners spread over it, taken out of the roster as the start does.
void BM_RestoreWinners(benchmark::State &state)
{
    const auto names = static_cast<std::size_t>(state.range(0));
    const auto winners = static_cast<std::size_t>(state.range(1));
    const std::vector<std::string> roster = benchNames(names);
    std::string text;
    for (std::size_t i = 0; i < winners; ++i) {
        if (i > 0)
            text += draw::kNameSeparator;
        text += roster[i * (names / winners)];
    }
    const draw::TextList record = {"[a]", text};
    for (auto _ : state) {
        state.PauseTiming();
        draw::DrawState draw;
        draw.roster.assign(roster);
        draw.TierCount = 1;
        state.ResumeTiming();
        draw::restoreWinners(draw, record);
        benchmark::DoNotOptimize(draw.roster.size());
        state.PauseTiming();
        if (draw.roster.size() != names - winners)
            state.SkipWithError("wrong number of names left");
        draw = {};
        state.ResumeTiming();
    }
}

BENCHMARK(BM_RestoreWinners)
    ->ArgNames({"roster", "winners"})
    ->Args({1000000, 100000})
    ->Unit(benchmark::kMillisecond);

} // namespace
