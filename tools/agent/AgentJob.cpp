#include "AgentJob.h"

#include "app/SettingsKeys.h"
#include "base/FileSystem.h"
#include "base/RegistryStore.h"

#include <ctime>
#include <filesystem>
#include <sstream>

namespace agent {

namespace {

constexpr const char* kHeader = "QUENTJOB 1";

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

// A name the store may use as one folder or file name: no separator, not "." or "..".
bool isPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

// A folder value may name nested folders with "/"; every part must be plain.
bool isPlainFolder(const std::string& folder) {
    std::size_t start = 0;
    for (;;) {
        const auto slash = folder.find('/', start);
        const std::string part = folder.substr(start, slash - start);
        if (!part.empty() && !isPlainName(part)) {
            return false;
        }
        if (slash == std::string::npos) {
            return true;
        }
        start = slash + 1;
    }
}

} // namespace

std::string programFolder() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return files::fromNative(self.parent_path()) + "/";
}

std::string homeFolder() {
    const auto data =
        RegistryStore(RegistryStore::defaultPath()).value(keys::kQuentryRegistryKey, "DataPath");
    if (data && files::isDirectory(*data)) {
        return files::withoutTrailingSeparator(*data) + "/";
    }
    return programFolder();
}

std::string formatJob(const Job& job) {
    std::string text = std::string(kHeader) + "\nDOCTYPE\t" + job.docType + "\nSOURCE\t" +
                       job.source + "\nPROPERTIES";
    for (const auto& name : job.propertyNames) {
        text += "\t" + name;
    }
    text += "\n";
    for (const auto& e : job.entries) {
        text += "FILE\t" + e.file + "\t" + e.cabinet + "\t" + e.folder + "\t" + e.title;
        for (const auto& p : e.properties) {
            text += "\t" + p;
        }
        text += "\n";
    }
    return text;
}

ParsedJob parseJob(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kHeader) {
        return {std::nullopt, "no job header"};
    }
    Job job;
    bool haveType = false;
    bool haveSource = false;
    while (std::getline(in, line)) {
        if (line.empty()) {
            continue;
        }
        auto fields = splitTabs(line);
        const std::string tag = fields.front();
        if (tag == "DOCTYPE" && fields.size() == 2) {
            job.docType = fields[1];
            haveType = isPlainName(job.docType);
        } else if (tag == "SOURCE" && fields.size() == 2) {
            job.source = fields[1];
            haveSource = !job.source.empty();
        } else if (tag == "PROPERTIES") {
            job.propertyNames.assign(fields.begin() + 1, fields.end());
        } else if (tag == "FILE" && fields.size() >= 5 && isPlainName(fields[1]) &&
                   isPlainFolder(fields[2]) && isPlainFolder(fields[3])) {
            JobEntry e{fields[1], fields[2], fields[3], fields[4], {}};
            e.properties.assign(fields.begin() + 5, fields.end());
            job.entries.push_back(std::move(e));
        } else {
            return {std::nullopt, "bad line: " + line};
        }
    }
    if (!haveType || !haveSource) {
        return {std::nullopt, "no document type or source folder"};
    }
    return {std::move(job), {}};
}

std::string timestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

} // namespace agent
