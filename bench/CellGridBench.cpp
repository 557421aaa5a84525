// Core cost of the rename list's grid: 1001 rows x 303 columns filled, sorted and fitted.
#include "GridFill.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

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

// Heap bytes per cell of a 1000 x 300 list: the grid empty (every cell without text) and filled
// with the short texts of a typical list. The counter is the figure; the time is incidental.
void BM_HeapBytesPerCell(benchmark::State& state) {
    const bool filled = state.range(0) != 0;
    double perCell = 0;
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        CellGrid grid(kRows, kCols);
        if (filled) {
            fill(grid);
        }
        perCell = static_cast<double>(mallinfo2().uordblks - before) / (kRows * kCols);
        benchmark::DoNotOptimize(grid.text(kRows - 1, kCols - 1));
    }
    state.counters["bytesPerCell"] = perCell;
}
BENCHMARK(BM_HeapBytesPerCell)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
