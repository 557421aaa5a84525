// `nomira-cli --json check` on the largest rename list (1000 lines, 300 columns), the whole
// command as a script runs it: process start, template and list read, every cell written out as
// JSON and read by the caller. The yardstick in the same run is the core's load of the same list
// into the same template; the command should take well under 0.5 s.
#include "ChildProcess.h"
#include "WideRenameList.h"
#include "base/ScriptedPrompter.h"
#include "renamelist/RenameListRig.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"
#include "template/TemplateFolder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

// A data folder holding the wide template, and the wide list beside it.
struct CheckFolder {
    CheckFolder() {
        ScriptedPrompter prompter;
        TemplateFolder templates(data.file("template"), data.path());
        templates.writeTemplate(wideTemplate(), prompter);
        templatePath = templates.pathOf("bench");
        listPath = writeWideList(data.file("list.csv"));
    }
    TempDir data;
    std::string templatePath;
    std::string listPath;
};

void BM_CoreLoad(benchmark::State& state) {
    const CheckFolder folder;
    RenameListRig fixture(
        *TemplateFolder::readTemplateFile(folder.templatePath, folder.data.path()));
    for (auto _ : state) {
        fixture.import.load(folder.listPath);
        benchmark::DoNotOptimize(fixture.grid.text(1, 3));
    }
    state.counters["rows"] = fixture.list.loadedRowCount();
}
BENCHMARK(BM_CoreLoad)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CheckCommandJson(benchmark::State& state) {
    setenv("NOMIRA_CLI", NOMIRA_CLI_PATH, 0);
    const CheckFolder folder;
    const std::string arguments = "--json --data-folder " + shellQuote(folder.data.path()) +
                                  " check --template " + shellQuote(folder.templatePath) + " " +
                                  shellQuote(folder.listPath);
    std::size_t bytes = 0;
    const double cpuBefore = childCpuSeconds();
    for (auto _ : state) {
        const CliRun run = runNomiraCli(arguments);
        if (run.status != 0) {
            state.SkipWithError("nomira-cli check failed");
            break;
        }
        bytes = run.out.size();
    }
    state.counters["outputMB"] = static_cast<double>(bytes) / 1e6;
    // On a busy machine the command waits for a processor: its own time tells more.
    state.counters["commandCpuMs"] = benchmark::Counter((childCpuSeconds() - cpuBefore) * 1e3 /
                                                        static_cast<double>(state.iterations()));
}
BENCHMARK(BM_CheckCommandJson)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
