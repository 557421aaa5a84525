#include "support/WorkbenchFixtures.h"

#include "base/FileSystem.h"
#include "support/ProfileFixtures.h"
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>

namespace {

void writeFile(const std::string& path, std::string_view bytes) {
    std::filesystem::create_directories(files::native(path).parent_path());
    std::ofstream out(files::native(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

template <typename F>
std::string joined(const std::vector<WorkbenchColumn>& columns, F value, std::string_view end) {
    std::string out;
    for (const WorkbenchColumn& c : columns) {
        out += value(c);
        out += end;
    }
    return out;
}

} // namespace

std::string workbenchTemplateText(const std::vector<WorkbenchColumn>& columns,
                                  std::string_view storageFolder, bool rememberWidths,
                                  std::string_view rowWidth) {
    bool first = true;
    const std::string fileName = joined(
        columns,
        [&first](const WorkbenchColumn&) {
            const char* v = first ? "1" : "0";
            first = false;
            return std::string(v);
        },
        ",");
    const auto zero = [](const WorkbenchColumn&) { return std::string("0"); };
    std::string text = "[ROWINFO]\r\n";
    text += "NAME=" +
            joined(
                columns, [](const WorkbenchColumn& c) { return sj(c.name); }, "\t") +
            "\r\n";
    text += "TYPE=" +
            joined(
                columns, [](const WorkbenchColumn& c) { return std::to_string(c.type); }, ",") +
            "\r\n";
    text += "LOAD=" +
            joined(
                columns, [](const WorkbenchColumn& c) { return std::to_string(c.load); }, ",") +
            "\r\n";
    text += "FILENAME=" + fileName + "\r\n";
    text += "SORT1=" +
            joined(
                columns, [](const WorkbenchColumn& c) { return std::to_string(c.sort1); }, ",") +
            "\r\n";
    text += "SORT2=" + joined(columns, zero, ",") + "\r\n";
    text += "DISP=" +
            joined(
                columns, [](const WorkbenchColumn& c) { return std::string(c.hidden ? "1" : "0"); },
                ",") +
            "\r\n";
    text += "OUTPUTPATH=" + std::string(storageFolder) + "\r\n";
    text += "REPLACE=0\r\nREPLACECHAR=\r\nSORTEXPORT=0\r\n";
    text += std::string("MEMORYROWWIDTH=") + (rememberWidths ? "1" : "0") + "\r\n";
    text += "CONNECTION=\r\n";
    text += "BEAMS1=" +
            joined(
                columns, [](const WorkbenchColumn& c) { return std::to_string(c.digits); }, ",") +
            "\r\n";
    text += "BEAMS2=" +
            joined(
                columns, [](const WorkbenchColumn& c) { return std::to_string(c.decimals); }, ",") +
            "\r\n";
    if (!rowWidth.empty()) {
        text += "ROWWIDTH=" + std::string(rowWidth) + "\r\n";
    }
    return text;
}

WorkbenchDataFolder::WorkbenchDataFolder(std::string root, std::vector<std::string> systemLines)
    : m_root(std::move(root)), m_data(files::join(m_root, "data")) {
    for (const char* sub : {"template", "editdata", "scan", "csv", "rename"}) {
        std::filesystem::create_directories(files::native(files::join(m_data, sub)));
    }
    writeFile(registryPath(), crlfLines({"[SOFTWARE\\Orvane\\DelmoSolution\\Nomira]",
                                         "DataPath=" + m_data, "Version=1.0.0", "Build_Number=7"}));
    std::string settings = "[SYSTEM]\r\n";
    for (const std::string& line : systemLines) {
        settings += line + "\r\n";
    }
    writeFile(settingsFile(), settings);
}

std::string WorkbenchDataFolder::registryPath() const {
    return files::join(m_root, "registry.ini");
}

std::string WorkbenchDataFolder::templateFolder() const {
    return files::join(m_data, "template");
}

std::string WorkbenchDataFolder::settingsFile() const {
    return files::join(m_data, "Nomira.ini");
}

std::string WorkbenchDataFolder::writeTemplate(std::string_view nameUtf8,
                                               std::string_view text) const {
    const std::string path = files::join(templateFolder(), sj(nameUtf8) + ".tpl");
    writeFile(path, text);
    return path;
}

std::string WorkbenchDataFolder::writeGoodTemplate(std::string_view nameUtf8, bool rememberWidths,
                                                   std::string_view rowWidth) const {
    return writeTemplate(
        nameUtf8,
        workbenchTemplateText(
            {{"図番", 1, false, 20, 0, 1}, {"枚数", 2, true, 3, 0, 2}, {"縮尺", 3, false, 4, 1, 3}},
            files::join(m_data, "rename"), rememberWidths, rowWidth));
}

std::string WorkbenchDataFolder::writeBrokenTemplate(std::string_view nameUtf8) const {
    return writeTemplate(nameUtf8, "[ROWINFO]\r\nNAME=a\tb\t\r\nLOAD=0,0,\r\n");
}
