// Stand-in for the registration agent's registration program: "Quentry.exe /d=FOLDER". Every
// job (*.job) of FOLDER is registered: each file is copied into the agent's store under
// DOCTYPE/CABINET/FOLDER, one log line per file goes to quentry.log in the store, and the job
// is renamed to *.job.done. The store is Folder= of section [Store] in Quentry.ini in the
// agent's home folder (agent::homeFolder), else the folder "store" there. Exit code 0 when
// everything was registered, 1 when a job was malformed, 2 when a file could not be copied, 3
// when FOLDER held no job (nothing was recorded), 64 for a wrong command line.
#include "AgentJob.h"

#include "base/FileSystem.h"
#include "base/ProfileFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// Makes folder and the folders above it that are missing, each as the programs make folders,
// so that a store in the shared data folder stays open to the whole group.
void makeFolders(const fs::path& folder) {
    if (folder.empty() || fs::is_directory(folder)) {
        return;
    }
    makeFolders(folder.parent_path());
    files::createDirectory(files::fromNative(folder));
}

std::vector<fs::path> jobsIn(const fs::path& folder) {
    std::vector<fs::path> jobs;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (entry.is_regular_file(ec) && entry.path().extension() == ".job") {
            jobs.push_back(entry.path());
        }
    }
    std::sort(jobs.begin(), jobs.end());
    return jobs;
}

} // namespace

int main(int argc, char** argv) {
    const std::string arg = argc == 2 ? argv[1] : "";
    if (arg.size() <= 3 || (arg.rfind("/d=", 0) != 0 && arg.rfind("/D=", 0) != 0)) {
        std::fprintf(stderr, "usage: Quentry.exe /d=FOLDER\n");
        return 64;
    }
    const std::string folder = arg.substr(3);
    const std::string home = agent::homeFolder();
    const std::string store =
        ProfileFile(home + "Quentry.ini").readString("Store", "Folder", home + "store");
    std::error_code ec;
    makeFolders(files::native(store));
    const fs::path logPath = files::native(files::join(store, "quentry.log"));
    const bool newLog = !fs::exists(logPath, ec);
    std::ofstream log(logPath, std::ios::app);
    if (log && newLog) {
        files::setCreatedMode(logPath);
    }
    if (!log) {
        std::fprintf(stderr, "Quentry: cannot open the log in %s\n", store.c_str());
        return 2;
    }
    const auto jobs = jobsIn(files::native(folder));
    if (jobs.empty()) {
        std::fprintf(stderr, "Quentry: no job in %s\n", folder.c_str());
        return 3;
    }
    int exitCode = 0;
    for (const auto& jobPath : jobs) {
        const std::string jobName = files::fromNative(jobPath.filename());
        const auto text = files::readAll(files::fromNative(jobPath));
        const auto parsed = agent::parseJob(text.value_or(""));
        if (!parsed.job) {
            log << agent::timestamp() << "\tMALFORMED\t" << jobName << "\t" << parsed.error << "\n";
            exitCode = 1;
            continue;
        }
        const agent::Job& job = *parsed.job;
        bool allCopied = true;
        for (const auto& e : job.entries) {
            const std::string target = files::join(
                files::join(files::join(files::join(store, job.docType), e.cabinet), e.folder),
                e.file);
            makeFolders(files::native(files::parentFolder(target)));
            const bool copied =
                fs::copy_file(files::native(files::join(job.source, e.file)), files::native(target),
                              fs::copy_options::overwrite_existing, ec);
            if (copied) {
                files::setCreatedMode(files::native(target));
            }
            log << agent::timestamp() << (copied ? "\tREGISTERED\t" : "\tFAILED\t") << jobName
                << "\t" << e.file << "\t" << target << "\n";
            allCopied = allCopied && copied;
        }
        if (!allCopied) {
            exitCode = std::max(exitCode, 2);
            continue;
        }
        fs::rename(jobPath, fs::path(jobPath) += ".done", ec);
    }
    return exitCode;
}
