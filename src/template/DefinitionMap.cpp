#include "template/DefinitionMap.h"

#include "base/CellGrid.h"
#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "base/ProfileFile.h"
#include "base/RegistryStore.h"
#include "base/TextCodec.h"
#include "template/TemplateEditGrid.h"

#include <cstdio>
#include <sys/stat.h>

namespace definitionmap {

namespace {

constexpr std::size_t kLineChars = 1023;

std::vector<std::string> fields(std::string line) {
    line += ",";
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t comma = cp932::findChar(line, ','); comma != std::string::npos;
         comma = cp932::findChar(line, ',', start)) {
        out.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
    return out;
}

int fieldNumber(const std::vector<std::string>& f) {
    return f.size() > 1 ? ProfileFile::parseInt(cp932::trim(f[1])) : 0;
}

std::string fieldText(const std::vector<std::string>& f, std::size_t i) {
    return f.size() > i ? f[i] : std::string();
}

} // namespace

std::string timeStamp(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d%02d%02d%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return buffer;
}

std::optional<std::string> lastDefinition(const std::string& profilePath,
                                          const std::string& registryPath,
                                          const std::string& agentKey) {
    const auto fromProfile = ProfileFile(profilePath).read("WorkPath", "LastPath");
    if (fromProfile && !fromProfile->empty() && files::isRegularFile(*fromProfile)) {
        return fromProfile;
    }
    return RegistryStore(registryPath).value(agentKey, "LastPath");
}

std::string mapPathOf(const std::string& xmlPath) {
    const std::size_t dot = xmlPath.rfind('.');
    const std::size_t slash = xmlPath.rfind('/');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? xmlPath.substr(0, dot) : xmlPath) + ".map";
}

std::optional<DefinitionMap> read(const std::string& mapPath) {
    const auto content = files::readAll(mapPath);
    if (!content) {
        return std::nullopt;
    }
    DefinitionMap map;
    bool inItems = false;
    std::size_t start = 0;
    while (start < content->size()) {
        std::size_t end = content->find('\n', start);
        if (end == std::string::npos) {
            end = content->size();
        }
        std::string line = content->substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        line = cp932::cutChars(line, kLineChars);
        const auto f = fields(line);
        if (inItems) {
            map.items.push_back({fieldText(f, 0), fieldNumber(f)});
        } else if (cp932::contains(line, "<DocType>")) {
            map.docType = fieldText(f, 1);
        } else if (cp932::contains(line, "<CabinetName>")) {
            map.cabinetField = fieldNumber(f);
        } else if (cp932::contains(line, "<FolderName>")) {
            map.folderField = fieldNumber(f);
        } else if (cp932::contains(line, "<DocName>")) {
            map.docNameField = fieldNumber(f);
            inItems = true;
        }
    }
    return map;
}

Outcome load(const std::string& xmlPath, const std::string& startStamp, int csvRowNum) {
    if (!files::isRegularFile(xmlPath)) {
        return {Msg::EditorDefinitionXmlMissing, std::nullopt};
    }
    const std::string mapPath = mapPathOf(xmlPath);
    struct stat st {};
    if (!files::isRegularFile(mapPath) || ::stat(files::native(mapPath).c_str(), &st) != 0) {
        return {Msg::EditorDefinitionMapMissing, std::nullopt};
    }
    if (timeStamp(st.st_mtime) < startStamp) {
        return {};
    }
    auto map = read(mapPath);
    if (!map) {
        return {Msg::EditorMapOpenFailed, std::nullopt};
    }
    if (static_cast<int>(map->items.size()) + 3 > csvRowNum) {
        return {Msg::EditorDefinitionTooManyItems, std::nullopt};
    }
    return {std::nullopt, std::move(map)};
}

void apply(const DefinitionMap& map, TemplateEditGrid& grid) {
    grid.clearRows();
    CellGrid& cells = grid.grid();
    const auto put = [&](int row, const std::string& name, int field) {
        cells.setText(row, TemplateEditGrid::Name, name);
        cells.setText(row, TemplateEditGrid::Source,
                      std::to_string(field) + textcodec::utf8ToCp932("列目"));
    };
    put(1, textcodec::utf8ToCp932("文書名"), map.docNameField);
    put(2, textcodec::utf8ToCp932("キャビネット名"), map.cabinetField);
    put(3, textcodec::utf8ToCp932("フォルダ名"), map.folderField);
    int row = 4;
    for (const DefinitionItem& item : map.items) {
        put(row++, item.name, item.sourceField);
    }
    grid.setNamesLocked(!map.docType.empty());
}

} // namespace definitionmap
