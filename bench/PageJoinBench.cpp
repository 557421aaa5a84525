// Joining an A0, three A1 and an A3 1-bit G4 scan (200 dpi) into one multi-page TIFF, against two
// yardsticks in the same run: a plain copy of the same compressed bytes into one file through the
// same temporary-file, sync and rename steps (the join should take at most twice as long), and
// the libtiff tools' tiffcp on the same inputs (the join should be at least 20 times faster).

#include "execute/FileChangeSteps.h"
#include "execute/PageJoiner.h"
#include "execute/PosixFileChanges.h"

#include "ChildProcess.h"
#include "JoinSheets.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

class JoinInputs {
public:
    JoinInputs() {
        m_dir = fs::temp_directory_path() / ("nomira-join-bench-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
        for (const std::string& path : writeJoinSheets(m_dir.string())) {
            m_sources.push_back({path, 1});
            m_bytes += ImageFixtures::fileSize(path);
        }
    }
    ~JoinInputs() {
        std::error_code error;
        fs::remove_all(m_dir, error);
    }
    const std::vector<PageJoiner::Source>& sources() const { return m_sources; }
    std::string target() const { return (m_dir / "joined.tif").string(); }
    std::size_t bytes() const { return m_bytes; }

private:
    fs::path m_dir;
    std::vector<PageJoiner::Source> m_sources;
    std::size_t m_bytes = 0;
};

const JoinInputs& inputs() {
    static const JoinInputs shared;
    return shared;
}

void BM_JoinCopyingG4Strips(benchmark::State& state) {
    const JoinInputs& in = inputs();
    PosixFileChanges changes;
    for (auto _ : state) {
        if (PageJoiner(changes).join(in.sources(), in.target(), true) != 1) {
            state.SkipWithError("join failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.bytes()));
}
BENCHMARK(BM_JoinCopyingG4Strips)->Unit(benchmark::kMillisecond)->UseRealTime();

// Yardstick: the same compressed bytes copied into one file, through the same seam.
void BM_PlainCopyOfTheSameBytes(benchmark::State& state) {
    const JoinInputs& in = inputs();
    PosixFileChanges changes;
    std::vector<char> buffer(1 << 16);
    for (auto _ : state) {
        TempFile temp = changes.createTemp(fs::path(in.target()).parent_path().string());
        bool ok = static_cast<bool>(temp);
        for (const PageJoiner::Source& source : in.sources()) {
            std::ifstream file(source.path, std::ios::binary);
            while (ok && file) {
                file.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
                ok = changes.write(temp, buffer.data(), static_cast<std::size_t>(file.gcount()));
            }
        }
        if (!(ok && changes.sync(temp) && changes.commit(temp, in.target() + ".copy", true))) {
            state.SkipWithError("copy failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.bytes()));
}
BENCHMARK(BM_PlainCopyOfTheSameBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

// Yardstick: tiffcp, which decodes and encodes every page.
void BM_Tiffcp(benchmark::State& state) {
    const JoinInputs& in = inputs();
    std::vector<std::string> args = {"tiffcp", "-c", "g4"};
    for (const PageJoiner::Source& source : in.sources()) {
        args.push_back(source.path);
    }
    args.push_back(in.target() + ".tiffcp");
    for (auto _ : state) {
        fs::remove(args.back());
        if (runQuietly(args) != 0) {
            state.SkipWithError("tiffcp is not available");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.bytes()));
}
BENCHMARK(BM_Tiffcp)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
