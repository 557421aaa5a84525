// `nomira-cli run` of one row that joins an A0, three A1 and an A3 1-bit G4 scan into one
// multi-page TIFF, the whole command as an unattended job runs it, against two yardsticks in the
// same iteration: the dry run of the same job (`names`, which builds the same state and makes every
// check but touches no file; target: at most half of the run) and tiffcp joining the same files
// (target: at least ten times the run). Every iteration starts from fresh copies of the scans, an
// empty storage folder and no journal; making them is not timed.
//
// The figures are per command, wall clock (dry_ms, run_ms, tiffcp_ms) and processor time of the
// children (…_cpu_ms), which is the fairer one while other work shares the processors.

#include "ChildProcess.h"
#include "JoinSheets.h"
#include "support/RenameListFixtures.h"
#include "support/ScanFixtures.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A data folder, a job folder with the template, the list, the scans and the storage folder,
// and a folder of the original scans the job's scans are copied from.
class RunJob {
public:
    RunJob() {
        m_data.write("Nomira.ini", "[SYSTEM]\r\nExportType=0\r\n");
        m_store = m_files.mkdir("store");
        m_scans = m_files.mkdir("scans");
        std::string text = renameListTemplate({{"図番", 1, 1, true}, {"名称", 1, 2, false}});
        const std::string stored = "OUTPUTPATH=/tmp";
        text.replace(text.find(stored), stored.size(), "OUTPUTPATH=" + m_store);
        m_template = m_files.write("job.tpl", text);
        m_originals = writeJoinSheets(m_files.mkdir("originals"));
        std::string assign = "1=";
        for (const JoinSheet& sheet : kJoinSheets) {
            assign += std::string(assign.size() > 2 ? "," : "") + sheet.name;
        }
        for (const char* command : {"names", "run"}) {
            m_commands.push_back({NOMIRA_CLI_PATH, "--json", "--yes", "--data-folder",
                                  m_data.path(), command, "--template", m_template, "--list",
                                  m_files.file("list.csv"), "--images", m_scans, "--assign",
                                  assign});
        }
        m_tiffcp = {"tiffcp", "-c", "g4"};
        m_tiffcp.insert(m_tiffcp.end(), m_originals.begin(), m_originals.end());
        m_tiffcp.push_back(m_files.file("tiffcp.tif"));
    }

    // The scans copied afresh, a minute apart in joining order (the image list's order), the
    // list as written by hand, an empty storage folder and no journal of earlier runs.
    void reset() const {
        std::error_code error;
        fs::remove_all(m_data.file("journal"), error);
        fs::remove_all(m_store, error);
        fs::create_directories(m_store);
        fs::remove(m_tiffcp.back(), error);
        m_files.write("list.csv", renameListCsv({"D-1,joined"}));
        for (std::size_t i = 0; i < m_originals.size(); ++i) {
            const std::string copy = m_scans + "/" + kJoinSheets[i].name;
            fs::copy_file(m_originals[i], copy, fs::copy_options::overwrite_existing);
            ScanFixtures::setModified(copy, 1'700'000'000 + 60 * static_cast<long long>(i));
        }
    }

    const std::vector<std::string>& dryRun() const { return m_commands[0]; }
    const std::vector<std::string>& run() const { return m_commands[1]; }
    const std::vector<std::string>& tiffcp() const { return m_tiffcp; }
    // What a finished run wrote: the joined file with one page per scan, and no scan left.
    bool joined() const {
        return ImageFixtures::readTiffPages(m_store + "/D-1.tif").size() == m_originals.size() &&
               fs::is_empty(m_scans);
    }
    // What a dry run leaves: every scan and an empty storage folder.
    bool untouched() const {
        return fs::is_empty(m_store) &&
               static_cast<std::size_t>(
                   std::distance(fs::directory_iterator(m_scans), fs::directory_iterator())) ==
                   m_originals.size();
    }

private:
    TempDir m_data;
    TempDir m_files;
    std::string m_store;
    std::string m_scans;
    std::string m_template;
    std::vector<std::string> m_originals;
    std::vector<std::vector<std::string>> m_commands;
    std::vector<std::string> m_tiffcp;
};

// Wall and processor seconds of one command, summed over the iterations.
struct Timed {
    double wall = 0.0;
    double cpu = 0.0;

    // Runs the command; false when it did not exit with 0.
    bool add(const std::vector<std::string>& command) {
        const double cpuBefore = childCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        const int status = runQuietly(command);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        wall += took.count();
        cpu += childCpuSeconds() - cpuBefore;
        return status == 0;
    }
};

void BM_RunJoinVsDryRunVsTiffcp(benchmark::State& state) {
    ::setenv("NOMIRA_REGISTRY", "/nonexistent/registry.ini", 1);
    const RunJob job;
    Timed dry;
    Timed run;
    Timed tiffcp;
    for (auto _ : state) {
        job.reset();
        const double runBefore = run.wall;
        if (!dry.add(job.dryRun()) || !job.untouched()) {
            state.SkipWithError("the dry run failed or touched a file");
            break;
        }
        if (!run.add(job.run()) || !job.joined()) {
            state.SkipWithError("the run failed or did not join the scans");
            break;
        }
        if (!tiffcp.add(job.tiffcp())) {
            state.SkipWithError("tiffcp is not available");
            break;
        }
        state.SetIterationTime(run.wall - runBefore);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["dry_ms"] = dry.wall * 1e3 / n;
    state.counters["run_ms"] = run.wall * 1e3 / n;
    state.counters["tiffcp_ms"] = tiffcp.wall * 1e3 / n;
    state.counters["dry_cpu_ms"] = dry.cpu * 1e3 / n;
    state.counters["run_cpu_ms"] = run.cpu * 1e3 / n;
    state.counters["tiffcp_cpu_ms"] = tiffcp.cpu * 1e3 / n;
    const double dryRatio = dry.wall / run.wall;
    const double tiffcpRatio = tiffcp.wall / run.wall;
    state.counters["dry/run"] = dryRatio;
    state.counters["tiffcp/run"] = tiffcpRatio;
    state.counters["dry/run_cpu"] = dry.cpu / run.cpu;
    state.counters["tiffcp/run_cpu"] = tiffcp.cpu / run.cpu;
    state.SetLabel(std::string(dryRatio <= 0.5 ? "dry run within target" : "dry run OVER target") +
                   (tiffcpRatio >= 10.0 ? ", tiffcp within target" : ", tiffcp UNDER target"));
}
BENCHMARK(BM_RunJoinVsDryRunVsTiffcp)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3.0);

} // namespace

BENCHMARK_MAIN();
