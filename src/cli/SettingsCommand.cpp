#include "cli/SettingsCommand.h"

#include "app/AppPaths.h"
#include "app/SettingsStore.h"
#include "base/FileSystem.h"
#include "cli/CliSession.h"

#include <sstream>

using json = Json;

namespace {

json systemJson(const Settings& s) {
    const auto o = &CliSession::out;
    return json{{"Template", o(s.templateFile)},
                {"ExpanPreview", s.expanPreview},
                {"LoadPreview", s.loadPreview},
                {"Margin", s.margin},
                {"AutoCursol", s.autoCursol},
                {"AddText", s.addText},
                {"InitDateType", s.initDateType},
                {"InitDate", formatDate(s.initDate)},
                {"DispInputDlg", s.dispInputDlg},
                {"ExportFilename", o(s.exportFilename)},
                {"ExportSelectFolder", s.exportSelectFolder},
                {"ExportSelectFolderPath", o(s.exportSelectFolderPath)},
                {"EnterKeyAssign", s.enterKeyAssign},
                {"PrevPage", s.prevPage},
                {"PrevPageSelect", o(s.prevPageSelect)},
                {"ExpanPrevMemory", s.expanPrevMemory},
                {"RenameOverwrite", s.renameOverwrite},
                {"CsvRowNum", s.csvRowNum},
                {"TargetExt", o(s.targetExt)},
                {"TiffInfanticide", s.tiffInfanticide},
                {"TiffExpanMode", s.tiffExpanMode ? 1 : 0},
                {"NoiseErase", s.noiseErase ? 1 : 0},
                {"JPGResolution", s.jpgResolution},
                {"ExportType", s.exportType},
                {"ExportAddConse", s.exportAddConse ? 1 : 0},
                {"DisplayFileExistCheck", s.displayFileExistCheck ? 1 : 0},
                {"InitWindowMaximized", s.initWindowMaximized ? 1 : 0},
                {"KeepRuns", s.keepRuns}};
}

json areaJson(const MagAreaSetting& a) {
    return json{{"Origin", a.origin},
                {"PosX", a.posX},
                {"PosY", a.posY},
                {"Width", a.width},
                {"Height", a.height}};
}

std::string text(const json& doc) {
    std::ostringstream out;
    out << "settings file: " << doc["settingsFile"].get<std::string>() << "\n";
    for (const char* section :
         {"SYSTEM", "PATH", "WORK", "window", "ExpanPreviewInfo1", "ExpanPreviewInfo2"}) {
        out << "[" << section << "]\n";
        for (const auto& [key, value] : doc[section].items()) {
            out << "  " << key << " = "
                << (value.is_string() ? value.get<std::string>() : CliSession::dumped(value))
                << "\n";
        }
    }
    out << "[sizeMemory]\n";
    for (const auto& e : doc["sizeMemory"]) {
        out << "  " << e["section"].get<std::string>() << " = " << e["origin"] << "," << e["x"]
            << "," << e["y"] << "," << e["width"] << "," << e["height"] << "\n";
    }
    return out.str();
}

} // namespace

int runSettingsCommand(CliSession& session) {
    const auto dataFolder = session.dataFolder();
    if (!dataFolder) {
        return session.fail();
    }
    const RegistryStore registry(RegistryStore::defaultPath());
    SettingsStore store(files::join(*dataFolder, "Nomira.ini"), *dataFolder);
    store.loadAtOpening(registry);
    const Settings& s = store.settings();

    json sizeMemory = json::array();
    for (int i = 0; i < kSizeMemoryCount; ++i) {
        const SizeMemoryEntry& e = s.sizeMemory[static_cast<std::size_t>(i)];
        sizeMemory.push_back({{"section", SettingsStore::sizeMemorySection(i)},
                              {"origin", e.origin},
                              {"x", e.x},
                              {"y", e.y},
                              {"width", e.width},
                              {"height", e.height}});
    }
    json doc{{"settingsFile", CliSession::out(store.settingsFile())},
             {"SYSTEM", systemJson(s)},
             {"PATH",
              {{"Scan", CliSession::out(s.scanPath)},
               {"Csv", CliSession::out(s.csvPath)},
               {"EditData", CliSession::out(s.editDataPath)},
               {"QuentryPath", CliSession::out(s.quentryPath)}}},
             {"WORK", {{"Threads", s.threads}}},
             {"window",
              {{"left", s.windowRect.left},
               {"top", s.windowRect.top},
               {"right", s.windowRect.right},
               {"bottom", s.windowRect.bottom}}},
             {"ExpanPreviewInfo1", areaJson(s.magAreas[0])},
             {"ExpanPreviewInfo2", areaJson(s.magAreas[1])},
             {"sizeMemory", sizeMemory}};
    const std::string readable = text(doc);
    return session.finish(std::move(doc), readable, CliSession::Done);
}
