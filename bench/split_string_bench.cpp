#include "draw/name_list.h"

#include "bench_names.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Splitting a winners text of 10,000 names, as resuming a long evening's record does.
void BM_SplitWinners10000(benchmark::State &state)
{
    std::string winners;
    for (const std::string &name : benchNames(10000))
        winners = draw::Join(winners, name);
    for (auto _ : state) {
        draw::TextList pieces = draw::SplitString(winners, draw::kNameSeparator);
        benchmark::DoNotOptimize(pieces.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(winners.size()));
}

BENCHMARK(BM_SplitWinners10000)->Unit(benchmark::kMicrosecond);

} // namespace
