#include "read/TextRecogniser.h"

#include <gtest/gtest.h>
#include <leptonica/allheaders.h>
#include <omp.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

namespace {

// The OpenMP nesting limit of a fresh thread before and after its engine read one bitmap, with
// OMP_THREAD_LIMIT as given (nullopt: unset).
std::pair<int, int> levelsAroundReading(const std::optional<std::string>& threadLimit) {
    const char* old = std::getenv("OMP_THREAD_LIMIT");
    const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
    if (threadLimit) {
        setenv("OMP_THREAD_LIMIT", threadLimit->c_str(), 1);
    } else {
        unsetenv("OMP_THREAD_LIMIT");
    }
    std::pair<int, int> levels;
    std::thread([&levels] {
        TextRecogniser engine(TextRecogniser::defaultDataPath(), "eng");
        Pix* pix = pixCreate(120, 40, 1);
        levels.first = omp_get_max_active_levels();
        int confidence = 0;
        engine.recognise(pix, confidence);
        levels.second = omp_get_max_active_levels();
        pixDestroy(&pix);
    }).join();
    if (saved) {
        setenv("OMP_THREAD_LIMIT", saved->c_str(), 1);
    } else {
        unsetenv("OMP_THREAD_LIMIT");
    }
    return levels;
}

TEST(TextRecogniserTest, AnEngineReadsOnItsOwnThreadUnlessTheUserLimitedOpenMpThreads) {
    if (!TextRecogniser::missingLanguages(TextRecogniser::defaultDataPath(), "eng").empty()) {
        GTEST_SKIP() << "no English text data";
    }
    struct Case {
        std::optional<std::string> threadLimit;
        bool nestingOff; // no OpenMP region of the reading thread starts a team
    } cases[] = {{std::nullopt, true}, {"3", false}};
    for (const Case& c : cases) {
        const auto [before, after] = levelsAroundReading(c.threadLimit);
        EXPECT_GT(before, 0);
        EXPECT_EQ(after == 0, c.nestingOff) << c.threadLimit.value_or("unset");
    }
}

} // namespace
