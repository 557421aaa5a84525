#include "renamelist/WorkDataFile.h"

#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "base/ProfileFile.h"

#include <algorithm>
#include <map>

namespace {

constexpr const char* kPath = "PATH";
constexpr const char* kInfo = "INFO";

std::string previewKey(int n) {
    return std::to_string(n) + "-PREV";
}

} // namespace

std::string WorkDataFile::compose(const Content& content) {
    std::string text;
    const auto put = [&text](std::string_view section, std::string_view key,
                             std::string_view value) {
        text = ProfileFile::withKey(text, section, key, value);
    };
    put(kPath, "TEMPLATE", content.templateFile);
    put(kPath, "CSV", content.csv);
    put(kPath, "IMAGE", content.imageFolder);
    std::vector<std::string> sections;
    std::map<std::string, int> counts;
    for (const CAssignInfo& r : content.records) {
        const std::string section = r.rowKey;
        const int n = ++counts[cp932::toUpperAscii(section)];
        put(section, "NUM", std::to_string(n));
        put(section, std::to_string(n), r.fileName);
        put(section, previewKey(n), std::to_string(r.preview));
        if (n == 1) {
            sections.push_back(section);
        }
    }
    std::string biblio;
    for (const std::string& s : sections) {
        biblio += s + ",";
    }
    put(kInfo, "BIBLIONUM", biblio);
    return text;
}

std::optional<WorkDataFile::Content> WorkDataFile::read(const std::string& path) {
    const auto text = files::readAll(path);
    if (!text) {
        return std::nullopt;
    }
    const auto value = [&text](std::string_view section, std::string_view key) {
        return ProfileFile::readFrom(*text, section, key);
    };
    Content c;
    c.templateFile = value(kPath, "TEMPLATE").value_or("");
    c.csv = value(kPath, "CSV").value_or("");
    c.imageFolder = value(kPath, "IMAGE").value_or("");
    const std::string biblio = value(kInfo, "BIBLIONUM").value_or("");
    std::vector<std::string> seen;
    std::size_t start = 0;
    while (start < biblio.size()) {
        std::size_t comma = cp932::findChar(biblio, ',', start);
        if (comma == std::string::npos) {
            comma = biblio.size();
        }
        const std::string section = biblio.substr(start, comma - start);
        start = comma + 1;
        const auto num = value(section, "NUM");
        // A section named twice is read once, so that the records of a row stay together.
        const bool repeated = std::any_of(seen.begin(), seen.end(), [&section](const auto& x) {
            return cp932::equalsNoCase(x, section);
        });
        if (section.empty() || !num || repeated) {
            continue;
        }
        seen.push_back(section);
        const int n = ProfileFile::parseInt(*num);
        int page = 0;
        for (int k = 1; k <= n; ++k) {
            const auto file = value(section, std::to_string(k));
            if (!file) {
                continue;
            }
            const auto preview = value(section, previewKey(k));
            c.records.push_back(
                CAssignInfo{section, *file, ++page, preview ? ProfileFile::parseInt(*preview) : 1});
        }
    }
    return c;
}
