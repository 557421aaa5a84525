// The settings file read as the main window reads it when it opens (every SYSTEM and PATH key,
// the registration agent's path, the magnified areas and the 18 paper-size memories), on a 10 MB
// Nomira.ini whose own keys come after 200,000 lines of other sections. The yardstick is one
// plain read of the same file. Parsed once per change, opening costs the read and one parse of
// the file; read again for every key, it cost that for each of the some hundred keys.

#include "app/SettingsStore.h"
#include "base/FileSystem.h"
#include "base/RegistryStore.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

class LargeSettings {
public:
    LargeSettings() {
        std::string content;
        for (int i = 0; content.size() < 10u * 1000 * 1000; ++i) {
            content += "[Other" + std::to_string(i / 20) + "]\r\nKey" + std::to_string(i) +
                       "=some value of a moderate length for a key\r\n";
        }
        content += "[SYSTEM]\r\nTargetExt=tif,tiff,jpg,jpeg,pdf,\r\nMargin=7\r\nInitDateType="
                   "1\r\nInitDate=2010/04/01\r\n"
                   "[PATH]\r\nScan=/scan\r\n";
        m_path = m_dir.write("Nomira.ini", content);
    }
    const std::string& path() const { return m_path; }
    const TempDir& dir() const { return m_dir; }

private:
    TempDir m_dir;
    std::string m_path;
};

void BM_PlainReadOfTheFile(benchmark::State& state) {
    const LargeSettings settings;
    for (auto _ : state) {
        benchmark::DoNotOptimize(files::readAll(settings.path()));
    }
}
BENCHMARK(BM_PlainReadOfTheFile)->Unit(benchmark::kMillisecond);

void BM_LoadAtOpening(benchmark::State& state) {
    const LargeSettings settings;
    const RegistryStore registry(settings.dir().file("registry.ini"));
    for (auto _ : state) {
        SettingsStore store(settings.path(), settings.dir().path());
        benchmark::DoNotOptimize(store.loadAtOpening(registry));
    }
}
BENCHMARK(BM_LoadAtOpening)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
