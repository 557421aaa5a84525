// Reading the sheet, measured on sheets the bench draws itself: title blocks as CAD templates draw
// them in the IPA Gothic face on 1-bit G4 pages, QR codes from ZXing's writer, skew and speckle
// added. Prints the top-1 accuracy of codes and text (clean, and with 1.5° skew and 0.5 %
// speckle), the wrong suggestions, the CPU time of one A1 sheet at 400 dpi against the
// `tesseract` program reading the whole page, and the time of many sheets on one and two threads.
//
//   SheetReadBench [SHEETS]      (default 40)
#include "CpuSeconds.h"
#include "base/WorkerPool.h"
#include "read/SheetReader.h"
#include "read/TextRecogniser.h"
#include "sheets/SheetDrawing.h"
#include "support/TempDir.h"
#include "workbench/SheetReadJob.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace sd = sheetdrawing;

// Drawing numbers that differ from their neighbours in one character.
std::string number(int i) {
    char text[32];
    std::snprintf(text, sizeof text, "KD-%05d-%02d", 20400 + i / 4, i % 4);
    return text;
}

const char* const kTitles[] = {"配管系統図", "機器配置図", "平面図", "詳細図", "電気系統図"};

std::string drawSheet(const TempDir& dir, int i, double wMm, double hMm, int dpi, bool flawed,
                      bool withCode) {
    QImage page = sd::blankPage(wMm, hMm, dpi);
    sd::drawTitleBlock(page, dpi,
                       {number(i), kTitles[i % 5], "1:100", "2026/12/08",
                        withCode ? number(i) : std::string(), ""});
    if (flawed) {
        page = sd::skewed(page, i % 2 == 0 ? 1.5 : -1.5);
        sd::speckle(page, 0.005, static_cast<unsigned>(i));
    }
    const std::string path = dir.file("sheet" + std::to_string(i) + (flawed ? "f" : "") +
                                      (withCode ? "c" : "") + ".tif");
    sd::writeG4(page, path, dpi);
    return path;
}

SheetReadJob::Input input(const std::vector<std::string>& paths, int sheets) {
    SheetReadJob::Input in;
    in.dataPath = TextRecogniser::defaultDataPath();
    for (int i = 0; i < sheets; ++i) {
        in.rows.push_back({i + 1, std::to_string(i + 1), {number(i)}, false});
    }
    in.listedSizes.assign(static_cast<std::size_t>(sheets) + 1, {});
    for (std::size_t i = 0; i < paths.size(); ++i) {
        in.images.push_back({static_cast<int>(i) + 1, "", "", paths[i]});
    }
    return in;
}

struct Tally {
    int right = 0;
    int wrong = 0;
    int none = 0;
};

Tally tally(const std::vector<ReadSuggestion>& results, const std::vector<int>& rows) {
    Tally t;
    for (std::size_t i = 0; i < results.size(); ++i) {
        const auto& s = results[i].match.suggestion;
        if (!s) {
            ++t.none;
        } else if (s->row == rows[i]) {
            ++t.right;
        } else {
            ++t.wrong;
        }
    }
    return t;
}

double childCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// CPU seconds of `tesseract PAGE - -l jpn+eng` on one thread; negative when it cannot run.
double tesseractCli(const std::string& page) {
    const double before = childCpuSeconds();
    std::vector<std::string> args{"tesseract", page, "/dev/null", "-l", "jpn+eng", "quiet"};
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    std::string limit = "OMP_THREAD_LIMIT=1";
    std::vector<char*> env{limit.data()};
    for (char** e = environ; *e != nullptr; ++e) {
        env.push_back(*e);
    }
    env.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, "tesseract", nullptr, nullptr, argv.data(), env.data()) != 0) {
        return -1.0;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? childCpuSeconds() - before : -1.0;
}

} // namespace

int main(int argc, char** argv) {
    sd::ensureApplication();
    const int sheets = argc > 1 ? std::max(4, std::atoi(argv[1])) : 40;
    TempDir dir;

    // Accuracy: A3 landscape sheets at 300 dpi; every other one carries a QR code.
    std::vector<std::string> coded, clean, flawed;
    std::vector<int> codedRows, plainRows;
    for (int i = 0; i < sheets; ++i) {
        if (i % 2 == 0) {
            coded.push_back(drawSheet(dir, i, 420, 297, 300, true, true));
            codedRows.push_back(i + 1);
        } else {
            clean.push_back(drawSheet(dir, i, 420, 297, 300, false, false));
            flawed.push_back(drawSheet(dir, i, 420, 297, 300, true, false));
            plainRows.push_back(i + 1);
        }
    }
    const std::atomic<bool> cancel{false};
    WorkerPool pool2(2);
    auto report = [&](const char* what, const std::vector<std::string>& paths,
                      const std::vector<int>& rows) {
        const Tally t = tally(SheetReadJob::run(input(paths, sheets), &pool2, cancel, {}), rows);
        std::printf("%-28s top-1 %5.1f %%  (%d right, %d wrong, %d none of %zu)\n", what,
                    100.0 * t.right / paths.size(), t.right, t.wrong, t.none, paths.size());
    };
    report("codes (skewed, speckled)", coded, codedRows);
    report("text, clean", clean, plainRows);
    report("text, 1.5 deg skew + speckle", flawed, plainRows);

    // One A1 sheet at 400 dpi, mostly empty: the reader against the text program on the page.
    const std::string a1 = drawSheet(dir, 1, 841, 594, 400, false, false);
    const SheetReader reader({TextRecogniser::defaultDataPath(), "jpn+eng"});
    reader.read(a1, {SheetReader::defaultRegion()}); // the engine is made once per thread
    SheetReading reading;
    const double ours =
        cpuSecondsOf([&] { reading = reader.read(a1, {SheetReader::defaultRegion()}); });
    const double theirs = tesseractCli(a1);
    std::printf("A1 400 dpi sheet: reader %.2f s CPU", ours);
    if (theirs > 0) {
        std::printf(", tesseract on the whole page %.2f s CPU (%.1fx)\n", theirs, theirs / ours);
    } else {
        std::printf(", tesseract program not available\n");
    }

    // All the sheets (codes and clean text) on one and on two threads (wall time; the processor
    // time beside it shows whether other load on the machine held the threads back). Without a
    // pool the caller reads alone; with one, only the pool's workers read.
    struct Timed {
        double wall;
        double cpu;
    };
    std::vector<std::string> all = coded;
    all.insert(all.end(), clean.begin(), clean.end());
    auto timed = [&](WorkerPool* pool) {
        Timed t{};
        const auto start = std::chrono::steady_clock::now();
        t.cpu = cpuSecondsOf([&] { SheetReadJob::run(input(all, sheets), pool, cancel, {}); });
        t.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return t;
    };
    timed(&pool2); // the workers' engines are made before the clock runs
    const Timed one = timed(nullptr);
    const Timed two = timed(&pool2);
    std::printf("%zu sheets: 1 thread %.1f s (CPU %.1f s), 2 threads %.1f s (CPU %.1f s): %.2fx "
                "the one-thread time\n",
                all.size(), one.wall, one.cpu, two.wall, two.cpu, two.wall / one.wall);
    return 0;
}
