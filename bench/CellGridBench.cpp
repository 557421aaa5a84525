// Core cost of the rename list's grid: 1001 rows x 303 columns filled, sorted and fitted.
#include "GridFill.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_FillRenameList(benchmark::State& state) {
    for (auto _ : state) {
        CellGrid grid(kRows, kCols);
        grid.setRedraw(false);
        fill(grid);
        grid.setRedraw(true);
        benchmark::DoNotOptimize(grid.text(kRows - 1, kCols - 1));
    }
}
BENCHMARK(BM_FillRenameList)->Unit(benchmark::kMillisecond);

void BM_ClearAndRefill(benchmark::State& state) {
    CellGrid grid(kRows, kCols);
    for (auto _ : state) {
        grid.clearScrollable();
        fill(grid);
    }
}
BENCHMARK(BM_ClearAndRefill)->Unit(benchmark::kMillisecond);

void BM_SortThousandRows(benchmark::State& state) {
    const int col = static_cast<int>(state.range(0));
    CellGrid grid(kRows, kCols);
    fill(grid);
    CellGridSort order = CellGridSort::Ascending;
    for (auto _ : state) {
        grid.select(1, col, kRows - 1, col);
        grid.sort(order);
        order =
            order == CellGridSort::Ascending ? CellGridSort::Descending : CellGridSort::Ascending;
    }
}
// Column 4 holds numbers, column 5 cp932 text.
BENCHMARK(BM_SortThousandRows)->Arg(4)->Arg(5)->Unit(benchmark::kMicrosecond);

void BM_MoveRowsToTop(benchmark::State& state) {
    CellGrid grid(kRows, kCols);
    fill(grid);
    for (auto _ : state) {
        for (int r = 1; r < kRows; r += 2) {
            grid.setRowPosition(r, 1);
        }
    }
}
BENCHMARK(BM_MoveRowsToTop)->Unit(benchmark::kMillisecond);

void BM_AutoSizeAllColumns(benchmark::State& state) {
    CellGrid grid(kRows, kCols);
    fill(grid);
    for (auto _ : state) {
        grid.autoSize(3, kCols - 1);
    }
}
BENCHMARK(BM_AutoSizeAllColumns)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
