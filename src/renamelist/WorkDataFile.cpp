#include "renamelist/WorkDataFile.h"

#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "base/ProfileFile.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr const char* kPath = "PATH";
constexpr const char* kInfo = "INFO";

std::string previewKey(int n) {
    return std::to_string(n) + "-PREV";
}

// The text of each section from its header line to the next header, by the section's name in
// upper case; the first section of a name wins, as in every profile file.
std::map<std::string, std::string_view> sectionTexts(std::string_view text) {
    std::map<std::string, std::string_view> sections;
    std::string current;
    std::size_t start = 0;
    const auto close = [&](std::size_t end) {
        if (!current.empty()) {
            sections.emplace(current, text.substr(start, end - start));
        }
    };
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t end = text.find('\n', pos);
        end = end == std::string_view::npos ? text.size() : end + 1;
        const std::string line = cp932::trim(text.substr(pos, end - pos));
        if (!line.empty() && line.front() == '[') {
            close(pos);
            const std::size_t bracket = cp932::findChar(line, ']');
            current = cp932::toUpperAscii(cp932::trim(
                line.substr(1, bracket == std::string::npos ? std::string::npos : bracket - 1)));
            start = pos;
        }
        pos = end;
    }
    close(text.size());
    return sections;
}

// The numbers k from 1 to n that are keys of the section, in ascending order. The records of a
// row are keyed 1 to NUM, but a NUM is only a claim: walking the keys that are there keeps a NUM
// of two billion from costing two billion look-ups.
std::vector<int> numberedKeys(std::string_view sectionText, int n) {
    std::vector<int> keys;
    for (std::size_t pos = 0; pos < sectionText.size();) {
        std::size_t end = sectionText.find('\n', pos);
        end = end == std::string_view::npos ? sectionText.size() : end + 1;
        const std::string_view line = sectionText.substr(pos, end - pos);
        pos = end;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const std::string key = cp932::trim(line.substr(0, equals));
        const bool canonical =
            !key.empty() && key.size() <= 10 && key.front() != '0' &&
            std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (canonical && std::stoll(key) <= n) {
            keys.push_back(static_cast<int>(std::stoll(key)));
        }
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
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
    // A file of a thousand rows has thousands of keys: each is looked up in the text of its own
    // section rather than in the whole file.
    const std::map<std::string, std::string_view> sections = sectionTexts(*text);
    const auto value = [&sections](std::string_view section, std::string_view key) {
        const auto it = sections.find(cp932::toUpperAscii(cp932::trim(section)));
        return it == sections.end() ? std::nullopt
                                    : ProfileFile::readFrom(it->second, section, key);
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
        const auto text = sections.find(cp932::toUpperAscii(cp932::trim(section)));
        for (const int k : numberedKeys(text->second, n)) {
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
