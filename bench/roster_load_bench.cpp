#include "draw/draw_state.h"

#include "bench_names.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// Reading a 100,000-name roster file into the roster, as startup does.
void BM_ReadMan100000(benchmark::State &state)
{
    std::string folder = (std::filesystem::temp_directory_path() / "draw_bench_XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        state.SkipWithError("cannot create a temporary folder");
        return;
    }
    const std::filesystem::path file = std::filesystem::path(folder) / "roster.txt";
    draw::saveTextList(file, benchNames(100000));

    draw::Roster roster;
    for (auto _ : state) {
        draw::ReadMan(roster, file);
        benchmark::DoNotOptimize(roster.size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(file)));
    std::filesystem::remove_all(folder);
}

BENCHMARK(BM_ReadMan100000)->Unit(benchmark::kMillisecond);

} // namespace
