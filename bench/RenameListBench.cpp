// Loading a rename list of 1000 lines into a template of 300 columns: every line split, every
// value checked and normalised by its column type, the rows sorted by the secondary and the
// primary sort column and renumbered.
#include "WideRenameList.h"
#include "renamelist/RenameListRig.h"
#include "renamelist/SplitCsvLine.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_LoadRenameList(benchmark::State& state) {
    RenameListRig fixture(wideTemplate());
    const std::string path = writeWideList(fixture.dir.file("list.csv"));
    for (auto _ : state) {
        fixture.import.load(path);
        benchmark::DoNotOptimize(fixture.grid.text(1, 3));
    }
    state.counters["rows"] = fixture.list.loadedRowCount();
    state.counters["messages"] = static_cast<double>(fixture.prompter.shown().size());
}
BENCHMARK(BM_LoadRenameList)->Unit(benchmark::kMillisecond);

void BM_SplitCsvLine(benchmark::State& state) {
    std::string line;
    for (int k = 0; k < kListColumns; ++k) {
        line += (k ? "," : "") + listField(1, k);
    }
    line += "\n";
    for (auto _ : state) {
        benchmark::DoNotOptimize(SplitCsvLine(line));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * line.size()));
}
BENCHMARK(BM_SplitCsvLine);

} // namespace

BENCHMARK_MAIN();
