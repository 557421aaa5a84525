// The dry run of "実行" on 1000 assigned rows: the plan with its rename names, targets and
// existence tests, then the duplicate check. The yardstick in the same run is listing the same
// storage folder once; the plan is meant to stay well under a second.

#include "app/Settings.h"
#include "base/FileSystem.h"
#include "execute/RenamePlan.h"
#include "template/Template.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kRows = 1000;

struct PlanInputs {
    PlanInputs() {
        folder = fs::temp_directory_path() / ("nomira-plan-bench-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        ColumnDef text;
        text.fileName = true;
        ColumnDef number;
        number.type = 2;
        number.fileName = true;
        number.digits = 5;
        number.alignment = 3;
        t.columns = {text, number, ColumnDef{}};
        t.connector = "-";
        t.storageFolder = folder.string();
        for (int row = 1; row <= kRows; ++row) {
            records.push_back({std::to_string(row), "scan_" + std::to_string(row) + ".tif"});
            if (row % 10 == 0) {
                files::writeAtomically(
                    files::join(t.storageFolder, "dwg-" + std::to_string(100000 + row) + ".tif"),
                    "x");
            }
        }
    }
    ~PlanInputs() {
        std::error_code error;
        fs::remove_all(folder, error);
    }
    fs::path folder;
    Template t;
    Settings settings;
    std::vector<RenamePlan::Record> records;
};

const PlanInputs& inputs() {
    static const PlanInputs shared;
    return shared;
}

void BM_PlanOfThousandRows(benchmark::State& state) {
    const PlanInputs& in = inputs();
    for (auto _ : state) {
        RenamePlan::Source source{
            in.t,
            in.settings,
            "/images",
            in.records,
            [](int row) {
                return std::vector<std::string>{"dwg", std::to_string(100000 + row), "note"};
            },
            [](const std::string&) { return 1; }};
        const RenamePlan plan = RenamePlan::compute(source);
        benchmark::DoNotOptimize(plan.duplicateNames());
    }
}
BENCHMARK(BM_PlanOfThousandRows)->Unit(benchmark::kMillisecond);

void BM_ListingTheStorageFolder(benchmark::State& state) {
    const PlanInputs& in = inputs();
    for (auto _ : state) {
        benchmark::DoNotOptimize(files::listFolder(in.t.storageFolder));
    }
}
BENCHMARK(BM_ListingTheStorageFolder)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
