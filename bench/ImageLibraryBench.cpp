// Joining and thinning a synthetic 1-bit A0 scan at 400 dpi (13,250 x 18,750 pixels). Both paths
// stream rows through libtiff; the peak resident memory of the process is reported as a counter and
// is meant to stay under 100 MB.

#include "image/ImageLibrary.h"
#include "image/TiffG4Writer.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t A0Width = 13250;
constexpr std::uint32_t A0Height = 18750;
constexpr double MemoryBudgetMb = 100.0;

void setBlack(std::vector<std::uint8_t>& row, std::uint32_t x) {
    if (x < A0Width) {
        row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
    }
}

// One row of a deterministic line drawing: a frame, a title block, a 250-pixel grid of thin
// lines, two diagonals and short dashes that stand for lettering.
void drawRow(std::uint32_t y, std::vector<std::uint8_t>& row) {
    std::fill(row.begin(), row.end(), 0);
    const bool frameRow = y < 40 || y >= A0Height - 40;
    for (std::uint32_t x = 0; x < A0Width; ++x) {
        const bool frame = frameRow || x < 40 || x >= A0Width - 40;
        const bool grid = (x % 250 < 2) || (y % 250 < 2);
        const bool titleBlock =
            x > A0Width - 4000 && y > A0Height - 1500 && (x % 500 < 4 || y % 300 < 4);
        const bool lettering = x > A0Width - 3900 && y > A0Height - 1400 && (y / 12) % 3 == 0 &&
                               ((x * 7 + y / 36 * 13) % 23) < 9;
        if (frame || (grid && y % 1000 < 900) || titleBlock || lettering) {
            setBlack(row, x);
        }
    }
    const std::uint64_t diagonal = static_cast<std::uint64_t>(y) * A0Width / A0Height;
    for (std::uint32_t t = 0; t < 3; ++t) {
        setBlack(row, static_cast<std::uint32_t>(diagonal) + t);
        setBlack(row, A0Width - 1 - static_cast<std::uint32_t>(diagonal) - t);
    }
}

class A0Scan {
public:
    A0Scan() {
        m_dir = fs::temp_directory_path() / ("nomira-bench-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
        TiffG4Writer writer;
        TiffG4Writer::PageFormat format;
        format.width = A0Width;
        format.height = A0Height;
        format.xResolution = format.yResolution = 400.0f;
        std::vector<std::uint8_t> row((A0Width + 7) / 8);
        bool ok = writer.open(source(), false) && writer.beginPage(format);
        for (std::uint32_t y = 0; ok && y < A0Height; ++y) {
            drawRow(y, row);
            ok = writer.writeRow(row.data());
        }
        m_ready = ok && writer.endPage() && writer.close();
    }
    ~A0Scan() {
        std::error_code error;
        fs::remove_all(m_dir, error);
    }
    bool ready() const { return m_ready; }
    std::string source() const { return (m_dir / "a0-400dpi.tif").string(); }
    std::string file(const std::string& name) const { return (m_dir / name).string(); }

private:
    fs::path m_dir;
    bool m_ready = false;
};

const A0Scan& scan() {
    static const A0Scan instance;
    return instance;
}

void reportMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["peak_rss_MB"] = peakMb;
    state.SetLabel(peakMb < MemoryBudgetMb ? "within 100 MB" : "OVER the 100 MB budget");
}

void BM_AppendA0Page(benchmark::State& state) {
    if (!scan().ready()) {
        state.SkipWithError("could not write the A0 scan");
        return;
    }
    const std::string target = scan().file("joined.tif");
    for (auto _ : state) {
        std::error_code error;
        fs::remove(target, error);
        for (int page = 0; page < 2; ++page) {
            if (ImageLibrary::appendPage(scan().source(), 1, target) != ImageLibrary::Success) {
                state.SkipWithError("append failed");
                return;
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * 2);
    reportMemory(state);
}
BENCHMARK(BM_AppendA0Page)->Unit(benchmark::kMillisecond);

void BM_ThinA0Page(benchmark::State& state) {
    if (!scan().ready()) {
        state.SkipWithError("could not write the A0 scan");
        return;
    }
    const int factor = static_cast<int>(state.range(0));
    const std::string target = scan().file("a0-tif-0001.png");
    for (auto _ : state) {
        if (ImageLibrary::thinTiffPage(scan().source(), 1, factor, target) !=
            ImageLibrary::Success) {
            state.SkipWithError("thinning failed");
            return;
        }
    }
    reportMemory(state);
}
BENCHMARK(BM_ThinA0Page)->Arg(6)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
