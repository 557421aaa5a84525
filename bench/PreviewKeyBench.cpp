// Arrow-down through 20 A0 400-dpi drawings in the main window, driven headlessly through the
// workbench as the window's grid drives it (the image grid's Down key), with pages really
// decoded into the displays. Each case times one pass from row 1 to row 20 and reports per key
// the time from the key to the new entry's preview being on the display (mean_ms, max_ms):
//  - prefetched: the previews made ahead of the operator have finished before the next key
//    (target: under 50 ms a key);
//  - in flight: keys follow each other at once, so the key finds the conversion of the next
//    row queued or under way and waits for it;
//  - cold: nothing was made ahead, the key converts the page itself.
// The magnified views are not drawn (no screen); the hidden high-resolution page is loaded.

#include "app/AppContext.h"
#include "base/CellGridInput.h"
#include "base/FileSystem.h"
#include "base/RecordingMainView.h"
#include "base/ScriptedPrompter.h"
#include "image/ImageFolderScan.h"
#include "image/PreviewNaming.h"
#include "support/MagAreaViewRecorder.h"
#include "support/ScanFixtures.h"
#include "support/TempDir.h"
#include "support/WorkbenchDoubles.h"
#include "support/WorkbenchFixtures.h"
#include "support/WorkbenchPreviewDisplay.h"
#include "workbench/Ctl.h"
#include "workbench/Workbench.h"

#include "DrawingSheet.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

namespace {

constexpr int kScans = 20;

// A folder of kScans copies of one A0 drawing, a minute apart, and a main window that loaded it.
class PagingWindow {
public:
    PagingWindow() : m_data(m_tmp.path()) {
        const std::string scans = m_tmp.mkdir("scans");
        const std::string a0 = m_tmp.file("a0.tif");
        writeDrawing(a0, 841, 1189);
        for (int i = 0; i < kScans; ++i) {
            const std::string copy = scans + "/scan_" + std::to_string(1000 + i) + ".tif";
            std::filesystem::copy_file(a0, copy);
            ScanFixtures::setModified(copy, 1'700'000'000 + 60 * i);
        }
        StartupRequest request;
        request.imageFolderGiven = true;
        request.imageFolderPath = scans;
        m_context = std::make_unique<AppContext>(
            AppContext{AppPaths(RegistryStore(m_data.registryPath()), "/opt/nomira/Nomira"),
                       request,
                       {},
                       {},
                       0});
        m_wb = std::make_unique<Workbench>(*m_context,
                                           Workbench::Seams{m_view, m_list, m_prompter, m_host,
                                                            m_requester, m_display, m_areaView});
        m_wb->open();
        m_wb->actOnStartupRequest();
        m_temp = PreviewNaming::tempFolder(m_data.dataFolder());
    }

    Workbench& workbench() { return *m_wb; }
    int imageCount() const { return m_wb->state().imageCount; }
    int currentRow() const { return m_wb->pane().state().row; }

    // Back on row 1 with no preview made yet (not timed).
    void restart() {
        m_wb->prefetch().stop();
        ImageFolderScan::cleanTemp(m_temp);
        m_wb->imageList().selectFirst();
    }
    // Until every conversion made ahead has ended.
    void letPrefetchFinish() {
        while (m_wb->prefetch().pending() != 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
    // Nothing made ahead: the conversions made ahead stopped and every preview file gone (a
    // conversion stopped on its last page still finishes it).
    void dropPrefetch() {
        m_wb->prefetch().stop();
        ImageFolderScan::cleanTemp(m_temp);
    }
    // The Down key on the image grid; seconds until it returned with the new page on show.
    double pressDown() {
        const auto start = std::chrono::steady_clock::now();
        CellGridInput(m_wb->imageGrid()).keyDown(gridkey::Down, 0);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        return took.count();
    }
    // The preview on the display is the current entry's first one.
    bool showsCurrent() const {
        const std::string expected =
            files::native(PreviewNaming::previewPath(m_temp, m_wb->pane().state().fileName, 1))
                .string();
        return m_display.held(id(Ctl::Preview)).path == expected;
    }

private:
    TempDir m_tmp;
    WorkbenchDataFolder m_data;
    RecordingMainView m_view;
    RecordingListBox m_list;
    ScriptedPrompter m_prompter;
    RecordingDialogHost m_host;
    RecordingRequester m_requester;
    WorkbenchPreviewDisplay m_display;
    MagAreaViewRecorder m_areaView;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<Workbench> m_wb;
    std::string m_temp;
};

PagingWindow& window() {
    static PagingWindow shared;
    return shared;
}

enum class Ahead { Finished, InFlight, None };

void pageDown(benchmark::State& state, Ahead ahead) {
    PagingWindow& w = window();
    if (w.imageCount() != kScans) {
        state.SkipWithError("the folder did not load");
        return;
    }
    double total = 0.0;
    double longest = 0.0;
    int keys = 0;
    for (auto _ : state) {
        w.restart();
        double pass = 0.0;
        for (int row = 2; row <= kScans; ++row) {
            if (ahead == Ahead::Finished) {
                w.letPrefetchFinish();
            } else if (ahead == Ahead::None) {
                w.dropPrefetch();
            }
            const double took = w.pressDown();
            if (w.currentRow() != row || !w.showsCurrent()) {
                state.SkipWithError("the key did not show the next scan");
                return;
            }
            pass += took;
            longest = std::max(longest, took);
            ++keys;
        }
        total += pass;
        state.SetIterationTime(pass);
    }
    state.counters["mean_ms"] = total * 1e3 / keys;
    state.counters["max_ms"] = longest * 1e3;
    if (ahead == Ahead::Finished) {
        state.SetLabel(total / keys < 0.05 ? "within target" : "OVER target");
    }
}

void BM_DownToPrefetchedRow(benchmark::State& state) {
    pageDown(state, Ahead::Finished);
}
BENCHMARK(BM_DownToPrefetchedRow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

void BM_DownWhilePrefetching(benchmark::State& state) {
    pageDown(state, Ahead::InFlight);
}
BENCHMARK(BM_DownWhilePrefetching)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

void BM_DownToColdRow(benchmark::State& state) {
    pageDown(state, Ahead::None);
}
BENCHMARK(BM_DownToColdRow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

} // namespace

BENCHMARK_MAIN();
