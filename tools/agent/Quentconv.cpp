// Stand-in for the registration agent's conversion program: "Quentconv.exe STORAGE". It reads
// the definition (quentdef.xml) and the newest agent list (*.csv) of the storage folder and
// writes the converted job into STORAGE/WORK, named after the list with the extension ".job".
// The document type is quentdef.xml's, or, when that has none, the one of quentdef.map's
// "<DocType>" line, which the rename program reads too. A job the registration program would
// refuse (no document type, a name leaving the store, a value holding a tab) is not written.
#include "AgentJob.h"

#include "base/FileSystem.h"
#include "execute/ReadDocType.h"
#include "renamelist/SplitCsvLine.h"

#include <cstdio>
#include <filesystem>
#include <pugixml.hpp>
#include <sstream>

namespace {

bool isCsv(const std::filesystem::path& p) {
    std::string ext = p.extension().string();
    for (auto& c : ext) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return ext == ".csv";
}

std::optional<std::filesystem::path> newestList(const std::filesystem::path& folder) {
    std::optional<std::filesystem::path> newest;
    std::filesystem::file_time_type newestTime{};
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (!entry.is_regular_file(ec) || !isCsv(entry.path())) {
            continue;
        }
        const auto time = entry.last_write_time(ec);
        if (!newest || time > newestTime) {
            newest = entry.path();
            newestTime = time;
        }
    }
    return newest;
}

std::string field(const std::vector<std::string>& fields, std::size_t i) {
    return i < fields.size() ? fields[i] : std::string{};
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: Quentconv.exe STORAGE\n");
        return 64;
    }
    const std::string storage = files::withoutTrailingSeparator(argv[1]);
    pugi::xml_document definition;
    if (!definition.load_file(files::native(files::join(storage, "quentdef.xml")).c_str())) {
        std::fprintf(stderr, "Quentconv: no readable quentdef.xml in %s\n", storage.c_str());
        return 2;
    }
    const auto root = definition.child("Quentdef");
    agent::Job job;
    job.docType = root.child_value("DocType");
    if (job.docType.empty()) {
        job.docType = ReadDocType(files::join(storage, "quentdef.map")).value_or("");
    }
    job.source = storage;
    for (const auto& p : root.child("Properties").children("Property")) {
        job.propertyNames.emplace_back(p.attribute("name").value());
    }
    const auto list = newestList(files::native(storage));
    const auto text = list ? files::readAll(files::fromNative(*list)) : std::nullopt;
    if (!text) {
        std::fprintf(stderr, "Quentconv: no agent list in %s\n", storage.c_str());
        return 3;
    }
    std::istringstream lines(*text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const auto fields = SplitCsvLine(line);
        if (field(fields, 0).empty()) {
            continue;
        }
        agent::JobEntry e{fields[0], field(fields, 1), field(fields, 2), field(fields, 3), {}};
        for (std::size_t i = 4; i < fields.size(); ++i) {
            e.properties.push_back(fields[i]);
        }
        job.entries.push_back(std::move(e));
    }
    const std::string jobText = agent::formatJob(job);
    // A value with a tab or a line break would shift or split the job's fields: the job must
    // read back as exactly what was converted.
    if (const auto parsed = agent::parseJob(jobText); !parsed.job || *parsed.job != job) {
        std::fprintf(stderr, "Quentconv: the job would be malformed (%s)\n",
                     parsed.job ? "a value holds a tab or a line break" : parsed.error.c_str());
        return 4;
    }
    const std::string work = files::join(storage, "WORK");
    const std::string jobName = files::fromNative(list->stem()) + ".job";
    if (!files::createDirectory(work) ||
        !files::writeAtomically(files::join(work, jobName), jobText)) {
        std::fprintf(stderr, "Quentconv: cannot write the job into %s\n", work.c_str());
        return 1;
    }
    return 0;
}
