// Loading a rename list of 1000 lines into a template of 300 columns: every line split, every
// value checked and normalised by its column type, the rows sorted by the secondary and the
// primary sort column and renumbered.
#include "base/CellGrid.h"
#include "base/RecordingMainView.h"
#include "base/ScriptedPrompter.h"
#include "base/TextCodec.h"
#include "renamelist/AssignmentList.h"
#include "renamelist/RenameList.h"
#include "renamelist/RenameListLoader.h"
#include "renamelist/SplitCsvLine.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr int kColumns = 300;
constexpr int kLines = 1000;

Template wideTemplate() {
    Template t;
    t.name = "bench";
    for (int k = 0; k < kColumns; ++k) {
        ColumnDef c;
        c.name = "c" + std::to_string(k);
        c.type = k % 5 + 1;
        c.sourceField = k + 1;
        c.fileName = k == 0;
        c.restriction = {0, 0, 0, 1, 0};
        t.columns.push_back(c);
    }
    t.columns[0].sort1 = 1;
    t.columns[1].sort2 = 2;
    return t;
}

// Deterministic values of every type; the kanji text exercises the double-byte paths.
std::string field(int line, int k) {
    static const std::string kanji = textcodec::utf8ToCp932("図面番号");
    const int v = (line * 7919 + k * 104729) % 100000;
    switch (k % 5) {
    case 0:
        return kanji + std::to_string(v % 97);
    case 1:
        return std::to_string(v);
    case 2:
        return std::to_string(v / 100) + "." + std::to_string(v % 1000);
    case 3:
        return std::to_string(1970 + v % 60) + "/" + std::to_string(v % 12 + 1) + "/" +
               std::to_string(v % 28 + 1);
    default:
        return "A" + std::to_string(v % 5);
    }
}

std::string listFile() {
    const auto path = std::filesystem::temp_directory_path() / "nomira-bench-renamelist.csv";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (int line = 1; line <= kLines; ++line) {
        for (int k = 0; k < kColumns; ++k) {
            out << (k ? "," : "") << (k % 10 == 5 ? "\"" + field(line, k) + "\"" : field(line, k));
        }
        out << "\r\n";
    }
    return path.string();
}

void BM_LoadRenameList(benchmark::State& state) {
    const std::string path = listFile();
    CellGrid grid;
    RenameList list(grid);
    list.applyTemplate(wideTemplate());
    AssignmentList assignments;
    RecordingMainView view;
    ScriptedPrompter prompter;
    Settings settings;
    RenameListLoader loader(list, assignments, view, prompter, settings, [] {
        return Date{2026, 12, 8};
    });
    for (auto _ : state) {
        loader.LoadRenameList(path, false);
        loader.finish(false);
        benchmark::DoNotOptimize(grid.text(1, 3));
    }
    state.counters["rows"] = list.loadedRowCount();
    state.counters["messages"] = static_cast<double>(prompter.shown().size());
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadRenameList)->Unit(benchmark::kMillisecond);

void BM_SplitCsvLine(benchmark::State& state) {
    std::string line;
    for (int k = 0; k < kColumns; ++k) {
        line += (k ? "," : "") + field(1, k);
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
