// Folder scans and previews on synthetic 400-dpi line drawings: a scan of 1000 A4 1-bit TIFFs,
// the previews of one A0 and one A1 page, and a LoadPreview load of 100 mixed files. Each case
// reports the process's peak resident memory; run a case alone (--benchmark_filter) to read its
// own peak. The *VsPlain cases time the program against plain libtiff code doing the same job,
// alternating the two in every iteration, and report the ratio (targets: both previews of the A0
// page within 1.15x, the scan within 1.25x).

#include "base/CellGrid.h"
#include "base/FileSystem.h"
#include "base/RecordingMainView.h"
#include "base/ScriptedPrompter.h"
#include "base/WorkerPool.h"
#include "image/ImageEntry.h"
#include "image/ImageFolderScan.h"
#include "image/ImageLibrary.h"
#include "image/PreviewMaker.h"
#include "support/ImageFixtures.h"

#include "CpuSeconds.h"
#include "DrawingSheet.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <leptonica/allheaders.h>
#include <memory>
#include <sys/resource.h>
#include <tiffio.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

void writeJpeg(const std::string& path, int widthMm, int heightMm) {
    PIX* pix = pixCreate(static_cast<int>(pixels(widthMm, 150)),
                         static_cast<int>(pixels(heightMm, 150)), 8);
    pixSetAllArbitrary(pix, 230);
    for (int y = 0; y < pixGetHeight(pix); y += 50) {
        for (int x = 0; x < pixGetWidth(pix); ++x) {
            pixSetPixel(pix, x, y, 10);
        }
    }
    pixSetResolution(pix, 150, 150);
    pixWrite(path.c_str(), pix, IFF_JFIF_JPEG);
    pixDestroy(&pix);
}

// The fixtures live for the whole run and are made once.
struct Fixtures {
    fs::path root;
    std::string scanFolder;
    std::string mixedFolder;
    std::string a1Folder; // 40 copies of the A1 drawing
    std::string a0;
    std::string a1;
    std::string data;

    Fixtures() {
        root = fs::temp_directory_path() / "nomira-image-scan-bench";
        fs::remove_all(root);
        fs::create_directories(root / "scan1000");
        fs::create_directories(root / "mixed");
        fs::create_directories(root / "single");
        fs::create_directories(root / "data");
        scanFolder = (root / "scan1000").string();
        mixedFolder = (root / "mixed").string();
        data = (root / "data").string();
        a0 = (root / "single" / "a0.tif").string();
        a1 = (root / "single" / "a1.tif").string();
        writeDrawing(a0, 841, 1189);
        writeDrawing(a1, 594, 841);
        a1Folder = (root / "a1x40").string();
        fs::create_directories(a1Folder);
        for (int i = 0; i < 40; ++i) {
            fs::copy_file(a1, a1Folder + "/a1_" + std::to_string(100 + i) + ".tif");
        }
        const std::string a4 = (root / "single" / "a4.tif").string();
        writeDrawing(a4, 210, 297);
        const std::string a3 = (root / "single" / "a3.tif").string();
        writeDrawing(a3, 297, 420);
        for (int i = 0; i < 1000; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "/s%04d.tif", i);
            fs::copy_file(a4, scanFolder + name);
        }
        for (int i = 0; i < 100; ++i) {
            char name[32];
            const int kind = i % 10;
            if (kind < 6) {
                std::snprintf(name, sizeof name, "/m%03d.tif", i);
                fs::copy_file(kind == 5 ? a3 : a4, mixedFolder + name);
            } else if (kind < 8) {
                std::snprintf(name, sizeof name, "/m%03d.jpg", i);
                writeJpeg(mixedFolder + name, 210, 297);
            } else {
                std::snprintf(name, sizeof name, "/m%03d.pdf", i);
                ImageFixtures::writePdf(mixedFolder + name, 1, 595, 842);
            }
        }
    }
    ~Fixtures() {
        std::error_code error;
        fs::remove_all(root, error);
    }
};

Fixtures& fixtures() {
    static Fixtures f;
    return f;
}

ImageSettings settingsFor(const std::string& data, bool loadPreview) {
    ImageSettings s;
    s.dataFolder = data;
    s.tempFolder = data + "/temp";
    s.loadPreview = loadPreview;
    return s;
}

void reportPeak(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peakRssMB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void scanFolder(benchmark::State& state, const std::string& folder, bool loadPreview, int workers) {
    ImageSettings settings = settingsFor(fixtures().data, loadPreview);
    std::unique_ptr<WorkerPool> pool;
    if (workers >= 0) {
        pool = std::make_unique<WorkerPool>(WorkerPool::threadsFor(workers));
    }
    for (auto _ : state) {
        CellGrid grid;
        ImageEntry::prepareGrid(grid);
        RecordingMainView view;
        ScriptedPrompter prompter;
        ImageFolderScan scan(grid, view, prompter);
        scan.setPool(pool.get());
        scan.scan(folder, settings, ImageFolderScan::Mode::Reload);
        benchmark::DoNotOptimize(scan.imageCount());
        if (scan.imageCount() != (loadPreview ? 100 : 1000)) {
            state.SkipWithError("unexpected image count");
        }
    }
    reportPeak(state);
}

void BM_Scan1000A4(benchmark::State& state) {
    scanFolder(state, fixtures().scanFolder, false, -1);
}
BENCHMARK(BM_Scan1000A4)->Unit(benchmark::kMillisecond);

void BM_LoadPreview100Mixed(benchmark::State& state) {
    scanFolder(state, fixtures().mixedFolder, true, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_LoadPreview100Mixed)
    ->Arg(-1)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("workers") // -1 none (this thread), 0 one per core
    ->Unit(benchmark::kMillisecond);

// 40 A1 400 dpi G4 scans loaded with LoadPreview = 1: one worker, then one per core; the ratio
// of the two is the figure to read.
void BM_LoadPreview40A1(benchmark::State& state) {
    ImageSettings settings = settingsFor(fixtures().data, true);
    WorkerPool pool(WorkerPool::threadsFor(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        CellGrid grid;
        ImageEntry::prepareGrid(grid);
        RecordingMainView view;
        ScriptedPrompter prompter;
        ImageFolderScan scan(grid, view, prompter);
        scan.setPool(&pool);
        scan.scan(fixtures().a1Folder, settings, ImageFolderScan::Mode::Reload);
        if (scan.imageCount() != 40) {
            state.SkipWithError("unexpected image count");
        }
    }
    state.counters["workers"] = pool.size();
}
BENCHMARK(BM_LoadPreview40A1)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("threads") // 0 one per core
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The same load alternately on one worker and on the given number (0: one per core) in every
// iteration, so that both meet the same load on the machine; the ratio of the two wall times is
// the figure to read (target on 2 cores: at most 0.6).
void BM_LoadPreview40A1ManyVsOne(benchmark::State& state) {
    ImageSettings settings = settingsFor(fixtures().data, true);
    WorkerPool one(1);
    WorkerPool many(WorkerPool::threadsFor(static_cast<int>(state.range(0))));
    double oneSeconds = 0.0;
    double manySeconds = 0.0;
    double oneCpu = 0.0;
    double manyCpu = 0.0;
    for (auto _ : state) {
        for (WorkerPool* pool : {&one, &many}) {
            const auto start = std::chrono::steady_clock::now();
            const double cpu = cpuSecondsOf([&] {
                CellGrid grid;
                ImageEntry::prepareGrid(grid);
                RecordingMainView view;
                ScriptedPrompter prompter;
                ImageFolderScan scan(grid, view, prompter);
                scan.setPool(pool);
                scan.scan(fixtures().a1Folder, settings, ImageFolderScan::Mode::Reload);
                if (scan.imageCount() != 40) {
                    state.SkipWithError("unexpected image count");
                }
            });
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            (pool == &one ? oneSeconds : manySeconds) += took.count();
            (pool == &one ? oneCpu : manyCpu) += cpu;
        }
    }
    const double n = static_cast<double>(state.iterations());
    const double ratio = manySeconds / oneSeconds;
    state.counters["workers"] = many.size();
    state.counters["one_ms"] = oneSeconds * 1e3 / n;
    state.counters["many_ms"] = manySeconds * 1e3 / n;
    state.counters["ratio"] = ratio;
    // Processor time of all threads: equal on both sides when the workers split the work without
    // overhead, so that a ratio over the target then says the cores were busy with other work.
    state.counters["one_cpu_ms"] = oneCpu * 1e3 / n;
    state.counters["many_cpu_ms"] = manyCpu * 1e3 / n;
    state.SetLabel(ratio <= 0.6 ? "within target" : "OVER target");
}
BENCHMARK(BM_LoadPreview40A1ManyVsOne)
    ->Arg(0)
    ->ArgName("threads") // 0 one per core
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(5.0);

void preview(benchmark::State& state, const std::string& path) {
    const ImageSettings settings = settingsFor(fixtures().data, false);
    RecordingMainView view;
    for (auto _ : state) {
        const PreviewResult r = PreviewMaker(settings, &view).make(path, ImageType::Tiff);
        if (r.result != 0 || r.files.size() != 2) {
            state.SkipWithError("preview failed");
        }
    }
    reportPeak(state);
}

void BM_PreviewA0(benchmark::State& state) {
    preview(state, fixtures().a0);
}
BENCHMARK(BM_PreviewA0)->Unit(benchmark::kMillisecond);

void BM_PreviewA1(benchmark::State& state) {
    preview(state, fixtures().a1);
}
BENCHMARK(BM_PreviewA1)->Unit(benchmark::kMillisecond);

// The reference for the thinning: libtiff decoding every row of the same A0 page.
void BM_DecodeA0Rows(benchmark::State& state) {
    const std::string path = fixtures().a0;
    for (auto _ : state) {
        TIFF* tif = TIFFOpen(path.c_str(), "r");
        std::uint32_t h = 0;
        TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h);
        std::vector<std::uint8_t> row(static_cast<std::size_t>(TIFFScanlineSize(tif)));
        for (std::uint32_t y = 0; y < h; ++y) {
            TIFFReadScanline(tif, row.data(), y, 0);
        }
        TIFFClose(tif);
    }
    reportPeak(state);
}
BENCHMARK(BM_DecodeA0Rows)->Unit(benchmark::kMillisecond);

// The thinning alone, by the preview factor and by the magnified preview's factor.
void BM_ThinA0(benchmark::State& state) {
    const std::string path = fixtures().a0;
    const std::string target = fixtures().data + "/thinned.tif";
    for (auto _ : state) {
        if (ImageLibrary::thinTiffPage(path, 1, static_cast<int>(state.range(0)), target) !=
            ImageLibrary::Success) {
            state.SkipWithError("thinning failed");
        }
    }
    reportPeak(state);
}
BENCHMARK(BM_ThinA0)->Arg(6)->Arg(2)->ArgName("factor")->Unit(benchmark::kMillisecond);

void reportRatio(benchmark::State& state, double programSeconds, double plainSeconds,
                 double target) {
    const double ratio = programSeconds / plainSeconds;
    state.counters["program_ms"] =
        programSeconds * 1000.0 / static_cast<double>(state.iterations());
    state.counters["plain_ms"] = plainSeconds * 1000.0 / static_cast<double>(state.iterations());
    state.counters["ratio"] = ratio;
    state.SetLabel(ratio <= target ? "within target" : "OVER target");
    reportPeak(state);
}

// A plain libtiff program: decode the page once (read, not mapped) and write the /6 and /2
// one-strip G4 copies row by row; the /2 copy picks its bits through a table of the even bits of a
// byte, the /6 copy (a ninth of the pixels) one bit at a time.
bool plainBothPreviews(const std::string& source, const std::string& small,
                       const std::string& half) {
    TIFF* in = TIFFOpen(source.c_str(), "rm");
    if (in == nullptr) {
        return false;
    }
    std::uint8_t evenBits[256];
    for (int v = 0; v < 256; ++v) {
        evenBits[v] =
            static_cast<std::uint8_t>((v >> 4 & 8) | (v >> 3 & 4) | (v >> 2 & 2) | (v >> 1 & 1));
    }
    std::uint32_t w = 0;
    std::uint32_t h = 0;
    TIFFGetField(in, TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(in, TIFFTAG_IMAGELENGTH, &h);
    const std::uint32_t factors[2] = {6, 2};
    TIFF* out[2] = {TIFFOpen(small.c_str(), "w"), TIFFOpen(half.c_str(), "w")};
    std::vector<std::uint8_t> rows[2];
    for (int i = 0; i < 2; ++i) {
        const std::uint32_t ow = (w + factors[i] - 1) / factors[i];
        const std::uint32_t oh = (h + factors[i] - 1) / factors[i];
        TIFFSetField(out[i], TIFFTAG_IMAGEWIDTH, ow);
        TIFFSetField(out[i], TIFFTAG_IMAGELENGTH, oh);
        TIFFSetField(out[i], TIFFTAG_BITSPERSAMPLE, 1);
        TIFFSetField(out[i], TIFFTAG_SAMPLESPERPIXEL, 1);
        TIFFSetField(out[i], TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
        TIFFSetField(out[i], TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
        TIFFSetField(out[i], TIFFTAG_ROWSPERSTRIP, oh);
        TIFFSetField(out[i], TIFFTAG_XRESOLUTION, static_cast<float>(kDpi));
        TIFFSetField(out[i], TIFFTAG_YRESOLUTION, static_cast<float>(kDpi));
        TIFFSetField(out[i], TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        rows[i].resize((ow + 7) / 8 + 1);
    }
    std::vector<std::uint8_t> row(static_cast<std::size_t>(TIFFScanlineSize(in)) + 2);
    const std::size_t rowBytes = (w + 7) / 8;
    for (std::uint32_t y = 0; y < h; ++y) {
        TIFFReadScanline(in, row.data(), y, 0);
        if (y % 6 == 0) {
            std::fill(rows[0].begin(), rows[0].end(), 0);
            for (std::uint32_t x = 0, from = 0; from < w; ++x, from += 6) {
                if (row[from >> 3] & (0x80 >> (from & 7))) {
                    rows[0][x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
                }
            }
            TIFFWriteScanline(out[0], rows[0].data(), y / 6, 0);
        }
        if (y % 2 == 0) {
            for (std::size_t k = 0; 2 * k < rowBytes; ++k) {
                rows[1][k] =
                    static_cast<std::uint8_t>(evenBits[row[2 * k]] << 4 | evenBits[row[2 * k + 1]]);
            }
            TIFFWriteScanline(out[1], rows[1].data(), y / 2, 0);
        }
    }
    TIFFClose(out[0]);
    TIFFClose(out[1]);
    TIFFClose(in);
    return true;
}

void BM_PreviewA0VsPlain(benchmark::State& state) {
    const ImageSettings settings = settingsFor(fixtures().data, false);
    const std::string small = fixtures().data + "/plain-small.tif";
    const std::string half = fixtures().data + "/plain-half.tif";
    double program = 0.0;
    double plain = 0.0;
    for (auto _ : state) {
        plain += cpuSecondsOf([&] {
            if (!plainBothPreviews(fixtures().a0, small, half)) {
                state.SkipWithError("plain libtiff failed");
            }
        });
        program += cpuSecondsOf([&] {
            const PreviewResult r = PreviewMaker(settings).make(fixtures().a0, ImageType::Tiff);
            if (r.result != 0 || r.files.size() != 2) {
                state.SkipWithError("preview failed");
            }
        });
    }
    reportRatio(state, program, plain, 1.15);
}
BENCHMARK(BM_PreviewA0VsPlain)->Unit(benchmark::kMillisecond)->MinTime(5.0);

// A plain first-directory reader: list the folder and read each TIFF's first directory.
int plainFirstDirectories(const std::string& folder) {
    int read = 0;
    DIR* dir = ::opendir(folder.c_str());
    while (const dirent* item = dir != nullptr ? ::readdir(dir) : nullptr) {
        const std::string name = item->d_name;
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".tif") != 0) {
            continue;
        }
        TIFF* tif = TIFFOpen((folder + "/" + name).c_str(), "rm");
        if (tif == nullptr) {
            continue;
        }
        std::uint32_t w = 0;
        std::uint32_t h = 0;
        float xRes = 0.0f;
        float yRes = 0.0f;
        read += TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &w) == 1 &&
                TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h) == 1 &&
                TIFFGetField(tif, TIFFTAG_XRESOLUTION, &xRes) == 1 &&
                TIFFGetField(tif, TIFFTAG_YRESOLUTION, &yRes) == 1;
        TIFFClose(tif);
    }
    if (dir != nullptr) {
        ::closedir(dir);
    }
    return read;
}

void BM_Scan1000A4VsPlain(benchmark::State& state) {
    const ImageSettings settings = settingsFor(fixtures().data, false);
    double program = 0.0;
    double plain = 0.0;
    for (auto _ : state) {
        plain += cpuSecondsOf([&] {
            if (plainFirstDirectories(fixtures().scanFolder) != 1000) {
                state.SkipWithError("plain reader failed");
            }
        });
        program += cpuSecondsOf([&] {
            CellGrid grid;
            ImageEntry::prepareGrid(grid);
            RecordingMainView view;
            ScriptedPrompter prompter;
            ImageFolderScan scan(grid, view, prompter);
            scan.scan(fixtures().scanFolder, settings, ImageFolderScan::Mode::Reload);
            if (scan.imageCount() != 1000) {
                state.SkipWithError("unexpected image count");
            }
        });
    }
    reportRatio(state, program, plain, 1.25);
}
BENCHMARK(BM_Scan1000A4VsPlain)->Unit(benchmark::kMillisecond)->MinTime(5.0);

} // namespace

BENCHMARK_MAIN();
