#include "workbench/SheetReadJob.h"
#include "base/WorkerPool.h"
#include "read/TextRecogniser.h"
#include "sheets/SheetDrawing.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>

namespace {

namespace sd = sheetdrawing;

// Four A6 scans in files, each with a QR code that names its own row.
SheetReadJob::Input codedScans(const TempDir& files) {
    sd::ensureApplication();
    SheetReadJob::Input input;
    input.dataPath = TextRecogniser::defaultDataPath();
    input.listedSizes.assign(5, "");
    input.fileNameColumns = true;
    for (int i = 1; i <= 4; ++i) {
        const std::string number = "KD-1000" + std::to_string(i);
        QImage page = sd::blankPage(148, 105, 150);
        sd::drawCode(page, 150, "QRCode", number, 20, 20, 30);
        const std::string path = files.path() + "/s" + std::to_string(i) + ".tif";
        EXPECT_TRUE(sd::writeG4(page, path, 150));
        input.images.push_back({i, "s" + std::to_string(i) + ".tif", "A6 横", path});
        input.rows.push_back({i, std::to_string(i), {number}, false});
    }
    return input;
}

// Read with the cancel flag set once the first result is in: whatever the workers did
// meanwhile, every image comes back in list order, read or cancelled, and a cancelled image gets
// no suggestion.
TEST(SheetReadJobTest, CancellingInTheMiddleEndsTheRestAsCancelled) {
    TempDir files;
    const SheetReadJob::Input input = codedScans(files);

    struct Case {
        unsigned workers; // 0: no pool, everything on this thread
        bool restExactlyCancelled;
    } cases[] = {{0, true}, {2, false}};
    for (const Case& c : cases) {
        std::unique_ptr<WorkerPool> pool;
        if (c.workers > 0) {
            pool = std::make_unique<WorkerPool>(c.workers);
        }
        std::atomic<bool> cancel = false;
        std::size_t reported = 0;
        const auto out = SheetReadJob::run(input, pool.get(), cancel, [&](std::size_t n) {
            reported = n;
            cancel = true;
        });
        ASSERT_EQ(out.size(), 4u) << c.workers;
        EXPECT_EQ(reported, 4u) << "every image is reported, cancelled or not";
        ASSERT_FALSE(out[0].reading.failed()) << c.workers;
        ASSERT_TRUE(out[0].match.suggestion) << c.workers;
        EXPECT_EQ(out[0].match.suggestion->row, 1);
        int cancelled = 0;
        for (std::size_t i = 0; i < out.size(); ++i) {
            EXPECT_EQ(out[i].image.fileName, input.images[i].fileName) << "list order";
            if (out[i].reading.failure == ReadFailure::Cancelled) {
                ++cancelled;
                EXPECT_FALSE(out[i].match.suggestion) << i;
            } else {
                ASSERT_TRUE(out[i].match.suggestion) << i;
                EXPECT_EQ(out[i].match.suggestion->row, static_cast<int>(i) + 1);
            }
        }
        if (c.restExactlyCancelled) {
            EXPECT_EQ(cancelled, 3);
        }
    }
}

// With a pool, only its workers read (one text engine per worker): while the one worker is
// held, the calling thread reads nothing itself.
TEST(SheetReadJobTest, WithAPoolOnlyItsWorkersRead) {
    TempDir files;
    const SheetReadJob::Input input = codedScans(files);
    WorkerPool pool(1);
    std::promise<void> release;
    pool.submit([gate = release.get_future().share()](std::stop_token) { gate.wait(); });
    std::atomic<bool> released = false;
    std::thread opener([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        released = true;
        release.set_value();
    });
    const std::atomic<bool> cancel = false;
    bool readBeforeRelease = false;
    const auto out = SheetReadJob::run(input, &pool, cancel,
                                       [&](std::size_t) { readBeforeRelease |= !released; });
    opener.join();
    EXPECT_FALSE(readBeforeRelease);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_TRUE(out[3].match.suggestion);
}

} // namespace
