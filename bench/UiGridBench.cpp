// Screen cost of the rename list's grid: 1001 rows x 303 columns behind a CVSFlexGrid, filled
// with redraw off, painted, scrolled and fitted with real font metrics.
#include "GridFill.h"
#include "ui/base/CVSFlexGrid.h"

#include <QApplication>
#include <QPixmap>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <string>

namespace {

struct Fixture {
    CellGrid grid{kRows, kCols};
    CVSFlexGrid view{&grid};
    Fixture() {
        view.resize(1000, 600);
        view.show();
        grid.setRedraw(false);
        fill(grid);
        grid.setRedraw(true);
        QApplication::processEvents();
    }
};

void BM_FillWithViewAttached(benchmark::State& state) {
    Fixture fixture;
    for (auto _ : state) {
        fixture.grid.setRedraw(false);
        fill(fixture.grid);
        fixture.grid.setRedraw(true);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_FillWithViewAttached)->Unit(benchmark::kMillisecond);

void BM_PaintVisibleCells(benchmark::State& state) {
    Fixture fixture;
    for (auto _ : state) {
        QPixmap shot = fixture.view.grab();
        benchmark::DoNotOptimize(shot);
    }
}
BENCHMARK(BM_PaintVisibleCells)->Unit(benchmark::kMillisecond);

void BM_ScrollAndPaint(benchmark::State& state) {
    Fixture fixture;
    QScrollBar* bar = fixture.view.verticalScrollBar();
    int value = 0;
    for (auto _ : state) {
        value = (value + 37) % bar->maximum();
        bar->setValue(value);
        QPixmap shot = fixture.view.grab();
        benchmark::DoNotOptimize(shot);
    }
}
BENCHMARK(BM_ScrollAndPaint)->Unit(benchmark::kMillisecond);

void BM_SortAndRepaint(benchmark::State& state) {
    Fixture fixture;
    for (auto _ : state) {
        fixture.grid.select(1, 5, kRows - 1, 5);
        fixture.grid.sort(CellGridSort::Ascending);
        fixture.grid.setCurrentCell(1, 4);
        fixture.grid.sort(CellGridSort::Ascending);
        QPixmap shot = fixture.view.grab();
        benchmark::DoNotOptimize(shot);
    }
}
BENCHMARK(BM_SortAndRepaint)->Unit(benchmark::kMillisecond);

void BM_FitColumnsWithFontMetrics(benchmark::State& state) {
    Fixture fixture;
    for (auto _ : state) {
        fixture.grid.autoSize(3, kCols - 1);
    }
}
BENCHMARK(BM_FitColumnsWithFontMetrics)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
