// The previews of a 24-bit A0 page at 400 dpi (13,244 x 18,724 pixels, 744 MB of samples), stored
// uncompressed and LZW-compressed: the /6 preview and the /2 magnified one, against the plain
// decoding of the same page by libtiff in the same iterations. Targets: the previews within 3x
// the decoding, the process's peak resident memory within 256 MB (this program holds nothing
// else, so the peak reported is the previews' own).

#include "image/ImageSettings.h"
#include "image/PreviewMaker.h"

#include "CpuSeconds.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <sys/resource.h>
#include <tiffio.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t A0Width = 13244;
constexpr std::uint32_t A0Height = 18724;
constexpr double MemoryBudgetMb = 256.0;
constexpr double TimeBudget = 3.0;

// One row of a coloured drawing: paper white, a coloured 200-pixel grid, two photographs as
// smooth gradients and a pale wash over the title block.
void drawRow(std::uint32_t y, std::vector<std::uint8_t>& row) {
    for (std::uint32_t x = 0; x < A0Width; ++x) {
        std::uint8_t* p = &row[3 * static_cast<std::size_t>(x)];
        p[0] = p[1] = p[2] = 250;
        if (x % 200 < 3 || y % 200 < 3) {
            p[0] = static_cast<std::uint8_t>(40 + x / 200 % 4 * 50);
            p[1] = 90;
            p[2] = static_cast<std::uint8_t>(200 - y / 200 % 4 * 40);
        }
        const bool photo = (x > 1000 && x < 5000 && y > 1000 && y < 4000) ||
                           (x > 7000 && x < 12000 && y > 9000 && y < 15000);
        if (photo) {
            p[0] = static_cast<std::uint8_t>(x * 7 + y);
            p[1] = static_cast<std::uint8_t>(x + y * 3);
            p[2] = static_cast<std::uint8_t>((x ^ y) >> 3);
        } else if (x > 9000 && y > 17000) {
            p[2] = 200;
        }
    }
}

class A0Colour {
public:
    A0Colour() {
        m_dir = fs::temp_directory_path() / ("nomira-colour-bench-" + std::to_string(::getpid()));
        fs::create_directories(m_dir / "temp");
        m_ready = write(source(COMPRESSION_NONE), COMPRESSION_NONE) &&
                  write(source(COMPRESSION_LZW), COMPRESSION_LZW);
    }
    ~A0Colour() {
        std::error_code error;
        fs::remove_all(m_dir, error);
    }
    bool ready() const { return m_ready; }
    std::string source(int compression) const {
        return (m_dir / ("a0-rgb-" + std::to_string(compression) + ".tif")).string();
    }
    std::string folder() const { return m_dir.string(); }

private:
    static bool write(const std::string& path, int compression) {
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
        TIFF* tif = TIFFOpen(path.c_str(), "w");
        if (tif == nullptr) {
            return false;
        }
        TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, A0Width);
        TIFFSetField(tif, TIFFTAG_IMAGELENGTH, A0Height);
        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tif, TIFFTAG_COMPRESSION, compression);
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0));
        TIFFSetField(tif, TIFFTAG_XRESOLUTION, 400.0f);
        TIFFSetField(tif, TIFFTAG_YRESOLUTION, 400.0f);
        TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        std::vector<std::uint8_t> row(static_cast<std::size_t>(A0Width) * 3);
        bool ok = true;
        for (std::uint32_t y = 0; ok && y < A0Height; ++y) {
            drawRow(y, row);
            ok = TIFFWriteScanline(tif, row.data(), y, 0) == 1;
        }
        TIFFClose(tif);
        return ok;
    }

    fs::path m_dir;
    bool m_ready = false;
};

const A0Colour& page() {
    static const A0Colour instance;
    return instance;
}

// The yardstick: libtiff decoding every row of the page, read rather than mapped.
bool decodeRows(const std::string& path) {
    TIFF* tif = TIFFOpen(path.c_str(), "rm");
    if (tif == nullptr) {
        return false;
    }
    std::vector<std::uint8_t> row(static_cast<std::size_t>(TIFFScanlineSize(tif)));
    bool ok = true;
    for (std::uint32_t y = 0; ok && y < A0Height; ++y) {
        ok = TIFFReadScanline(tif, row.data(), y, 0) == 1;
    }
    TIFFClose(tif);
    return ok;
}

void BM_A0ColourPreviewVsDecode(benchmark::State& state) {
    if (!page().ready()) {
        state.SkipWithError("could not write the A0 page");
        return;
    }
    const std::string source = page().source(static_cast<int>(state.range(0)));
    ImageSettings settings;
    settings.dataFolder = page().folder();
    settings.tempFolder = page().folder() + "/temp";
    double preview = 0.0;
    double decode = 0.0;
    for (auto _ : state) {
        decode += cpuSecondsOf([&] {
            if (!decodeRows(source)) {
                state.SkipWithError("decoding failed");
            }
        });
        preview += cpuSecondsOf([&] {
            const PreviewResult r = PreviewMaker(settings).make(source, ImageType::Tiff);
            if (r.result != 0 || r.files.size() != 2) {
                state.SkipWithError("preview failed");
            }
        });
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    const double ratio = preview / decode;
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["decode_ms"] = decode * 1000.0 / iterations;
    state.counters["preview_ms"] = preview * 1000.0 / iterations;
    state.counters["ratio"] = ratio;
    state.counters["peak_rss_MB"] = peakMb;
    state.SetLabel(std::string(ratio <= TimeBudget ? "time within 3x" : "time OVER 3x") +
                   (peakMb <= MemoryBudgetMb ? ", memory within 256 MB" : ", memory OVER 256 MB"));
}
BENCHMARK(BM_A0ColourPreviewVsDecode)
    ->Arg(COMPRESSION_NONE)
    ->Arg(COMPRESSION_LZW)
    ->ArgName("compression")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace

BENCHMARK_MAIN();
