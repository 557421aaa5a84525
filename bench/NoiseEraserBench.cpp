// The noise eraser over a whole 1-bit A0 page at 400 dpi (13,250 x 18,750 pixels) at strength 10,
// against the yardstick of one Leptonica opening and closing of the same size on that page. The
// eraser should take at most twice the yardstick's time; its peak resident memory per page pixel
// is reported as a counter and is meant to stay at or below 2.5 bytes.

#include "image/ImageLibrary.h"
#include "image/NoiseEraser.h"

#include <benchmark/benchmark.h>
#include <leptonica/allheaders.h>
#include <sys/resource.h>

namespace {

constexpr int A0Width = 13250;
constexpr int A0Height = 18750;
constexpr int Strength = 10;

// A drawing's worth of lines with a speck every few hundred pixels.
PixHandle speckledA0() {
    PixHandle pix(pixCreate(A0Width, A0Height, 1));
    for (int y = 200; y < A0Height; y += 400) {
        pixRasterop(pix.get(), 100, y, A0Width - 200, 3, PIX_SET, nullptr, 0, 0);
    }
    for (int x = 300; x < A0Width; x += 900) {
        pixRasterop(pix.get(), x, 100, 3, A0Height - 200, PIX_SET, nullptr, 0, 0);
    }
    for (int y = 37; y < A0Height; y += 251) {
        for (int x = 53; x < A0Width; x += 263) {
            pixRasterop(pix.get(), x, y, 1 + (x + y) % 4, 1 + (x * y) % 3, PIX_SET, nullptr, 0, 0);
        }
    }
    return pix;
}

double peakBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

void BM_YardstickOpenCloseA0(benchmark::State& state) {
    const PixHandle page = speckledA0();
    for (auto _ : state) {
        PixHandle opened(pixOpenBrick(nullptr, page.get(), Strength + 1, Strength + 1));
        PixHandle closed(pixCloseBrick(nullptr, opened.get(), Strength + 1, Strength + 1));
        benchmark::DoNotOptimize(closed.get());
    }
}
BENCHMARK(BM_YardstickOpenCloseA0)->Unit(benchmark::kMillisecond);

void BM_EraseNoiseA0(benchmark::State& state) {
    BitmapGray8 gray;
    {
        const PixHandle page = speckledA0();
        ImageLibrary::exportGray8(page, gray);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(NoiseEraser::erase(gray, Strength));
    }
    state.counters["peakBytesPerPixel"] = peakBytes() / (static_cast<double>(A0Width) * A0Height);
}
BENCHMARK(BM_EraseNoiseA0)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
