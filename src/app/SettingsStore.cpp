#include "app/SettingsStore.h"

#include "app/SettingsKeys.h"
#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "base/RegistryStore.h"
#include "base/TextCodec.h"

#include <algorithm>
#include <ctime>

using namespace keys;

namespace {

constexpr std::size_t kPathBytes = 258;
constexpr int kAbsent = -1;

constexpr std::array<const char*, 10> kSizeNames{"A0", "B1", "A1", "B2", "A2",
                                                 "B3", "A3", "B4", "A4", "B5"};
constexpr std::array<const char*, 5> kFixedExtensions{"TIF", "TIFF", "JPG", "JPEG", "PDF"};
constexpr std::size_t kMaxExtraExtensions = 10;

int normaliseSide(int value, int fallback) {
    if (value <= 0) {
        return fallback;
    }
    return value <= 3 ? 3 : value;
}

int normaliseExportType(int value) {
    return (value >= 1 && value <= 4) ? value : 0;
}

Date parseStoredDate(std::string_view text) {
    Date d;
    d.year = ProfileFile::parseInt(text.substr(0, 4));
    d.month = text.size() > 5 ? ProfileFile::parseInt(text.substr(5, 2)) : 0;
    d.day = ProfileFile::parseInt(text.size() >= 2 ? text.substr(text.size() - 2) : text);
    return d;
}

std::vector<std::string> splitAt(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t pos = cp932::findChar(text, separator, start);
        parts.emplace_back(
            text.substr(start, pos == std::string_view::npos ? text.size() - start : pos - start));
        if (pos == std::string_view::npos) {
            return parts;
        }
        start = pos + 1;
    }
}

// ExportFilename as stored: the default only when the key is absent; an empty value stays empty,
// so that a run without the name dialog asks for a name instead of inventing one.
std::string exportFilenameOf(const ProfileFile& file) {
    return file.read(kSystem, "ExportFilename").value_or(textcodec::utf8ToCp932("リネームリスト"));
}

} // namespace

SettingsStore::SettingsStore(std::string settingsFile, std::string dataFolder, Clock today)
    : m_file(std::move(settingsFile)), m_dataFolder(std::move(dataFolder)),
      m_today(std::move(today)) {
    m_settings.exportFilename = textcodec::utf8ToCp932("リネームリスト");
}

Date SettingsStore::systemToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

int SettingsStore::readInt(const char* key, int fallback) const {
    return m_file.readInt(kSystem, key, fallback);
}

std::optional<bool> SettingsStore::readFlag(const char* key) const {
    const int v = readInt(key, kAbsent);
    if (v == kAbsent) {
        return std::nullopt;
    }
    return v == 1;
}

std::string SettingsStore::readPath(const char* key, const std::string& fallback) const {
    return cp932::cutBytes(m_file.readString(kPath, key, fallback), kPathBytes);
}

std::string SettingsStore::loadTargetExt() {
    auto value = m_file.read(kSystem, "TargetExt");
    if (value && !value->empty()) {
        return *value;
    }
    return {};
}

int SettingsStore::loadAll() {
    Settings& s = m_settings;
    s.templateFile = m_file.readString(kSystem, "Template");
    s.expanPreview = readInt("ExpanPreview", 0);
    s.loadPreview = readInt("LoadPreview", 0);
    s.margin = readInt("Margin", 12);
    s.autoCursol = readInt("AutoCursol", 0);
    s.addText = readInt("AddText", 0);
    s.initDateType = readInt("InitDateType", 0);
    const std::string storedDate = m_file.readString(kSystem, "InitDate");
    s.initDate =
        (s.initDateType == 0 || storedDate.empty()) ? m_today() : parseStoredDate(storedDate);
    s.dispInputDlg = readInt("DispInputDlg", 1);
    s.exportFilename = exportFilenameOf(m_file);
    s.exportSelectFolder = readInt("ExportSelectFolder", 0);
    s.exportSelectFolderPath = m_file.readString(kSystem, "ExportSelectFolderPath");
    s.enterKeyAssign = readInt("EnterKeyAssign", 0);
    s.prevPage = readInt("PrevPage", 0);
    s.prevPageSelect = m_file.readString(kSystem, "PrevPageSelect");
    s.expanPrevMemory = readInt("ExpanPrevMemory", 0);
    s.renameOverwrite = readInt("RenameOverwrite", 0);
    const int rows = readInt("CsvRowNum", 300);
    s.csvRowNum = (rows < 1 || rows > 300) ? 300 : rows;
    s.tiffInfanticide = std::clamp(readInt("TiffInfanticide", 6), 1, 10);
    s.tiffExpanMode = readInt("TiffExpanMode", 1) == 1;
    s.noiseErase = readInt("NoiseErase", 0) == 1;
    s.jpgResolution = std::clamp(readInt("JPGResolution", 96), 72, 600);
    s.keepRuns = std::clamp(readInt("KeepRuns", 5), 1, 100);
    s.threads = std::clamp(m_file.readInt(kWork, "Threads", 0), 0, 256);

    s.scanPath = readPath("Scan", files::join(m_dataFolder, "scan"));
    s.csvPath = readPath("Csv", files::join(m_dataFolder, "csv"));
    s.editDataPath = readPath("EditData", files::join(m_dataFolder, "editdata"));
    s.quentryPath = readPath("QuentryPath", "/opt/Orvane/QuentryHome/");
    if (s.quentryPath.empty() || s.quentryPath.back() != files::kSeparator) {
        s.quentryPath.push_back(files::kSeparator);
    }

    int result = 0;
    s.targetExt = loadTargetExt();
    if (s.targetExt.empty()) {
        s.targetExt = kDefaultTargetExt;
        if (!m_file.write(kSystem, "TargetExt", s.targetExt)) {
            result = -1;
        }
    }
    return result;
}

bool SettingsStore::writeInt(const char* section, const char* key, int value, bool& allOk) const {
    const bool ok = m_file.writeInt(section, key, value);
    allOk = allOk && ok;
    return ok;
}

bool SettingsStore::writeString(const char* section, const char* key, const std::string& value,
                                bool& allOk) const {
    const bool ok = m_file.write(section, key, value);
    allOk = allOk && ok;
    return ok;
}

int SettingsStore::saveAll() {
    const Settings& s = m_settings;
    bool ok = true;
    writeString(kSystem, "Template", s.templateFile, ok);
    writeInt(kSystem, "ExpanPreview", s.expanPreview, ok);
    writeInt(kSystem, "Margin", s.margin, ok);
    writeInt(kSystem, "AutoCursol", s.autoCursol, ok);
    writeInt(kSystem, "LoadPreview", s.loadPreview, ok);
    writeInt(kSystem, "AddText", s.addText, ok);
    writeInt(kSystem, "InitDateType", s.initDateType, ok);
    writeString(kSystem, "InitDate", formatDate(s.initDate), ok);
    writeInt(kSystem, "DispInputDlg", s.dispInputDlg, ok);
    writeString(kSystem, "ExportFilename", s.exportFilename, ok);
    writeInt(kSystem, "ExportSelectFolder", s.exportSelectFolder, ok);
    writeString(kSystem, "ExportSelectFolderPath", s.exportSelectFolderPath, ok);
    writeInt(kSystem, "EnterKeyAssign", s.enterKeyAssign, ok);
    writeInt(kSystem, "PrevPage", s.prevPage, ok);
    writeString(kSystem, "PrevPageSelect", s.prevPageSelect, ok);
    writeInt(kSystem, "ExpanPrevMemory", s.expanPrevMemory, ok);
    writeInt(kSystem, "RenameOverwrite", s.renameOverwrite, ok);
    writeInt(kSystem, "CsvRowNum", s.csvRowNum, ok);
    writeString(kPath, "Scan", s.scanPath, ok);
    writeString(kPath, "Csv", s.csvPath, ok);
    writeString(kPath, "EditData", s.editDataPath, ok);
    writeString(kPath, "QuentryPath", s.quentryPath, ok);
    writeInt(kSystem, "NoiseErase", s.noiseErase ? 1 : 0, ok);
    writeInt(kSystem, "JPGResolution", s.jpgResolution, ok);
    return ok ? 0 : -1;
}

bool SettingsStore::loadAtOpening(const RegistryStore& registry) {
    loadAll();
    const bool agentInstalled = applyRegistrationAgentPath(registry);
    loadMagnifiedAreas(true);
    loadSizeMemory();
    if (!initWindowMaximized()) {
        initWindowRect();
    }
    exportType();
    exportAddConse();
    displayFileExistCheck();
    return agentInstalled;
}

bool SettingsStore::applyRegistrationAgentPath(const RegistryStore& registry) {
    const auto program = registry.value(kQuentryRegistryKey, "Path");
    if (!program || program->empty()) {
        return false;
    }
    std::string folder = files::parentFolder(*program);
    if (folder.empty() || folder.back() != files::kSeparator) {
        folder.push_back(files::kSeparator);
    }
    m_settings.quentryPath = cp932::cutBytes(folder, kPathBytes);
    return true;
}

EnvironmentValues SettingsStore::loadForEnvironmentDialog() {
    EnvironmentValues v;
    v.expanPreview = readInt("ExpanPreview", 0);
    v.loadPreview = readInt("LoadPreview", 0);
    v.margin = std::to_string(readInt("Margin", 12));
    v.autoCursol = readInt("AutoCursol", 0);
    v.addText = readInt("AddText", 0);
    v.initDateType = readInt("InitDateType", 0);
    const std::string storedDate = m_file.readString(kSystem, "InitDate");
    const Date date = storedDate.empty() ? m_today() : parseStoredDate(storedDate);
    if (isValidDate(date) && date.year >= 1900) {
        v.initDate = date;
    }
    v.targetExt = loadTargetExt();
    if (v.targetExt.empty()) {
        v.targetExt = kDefaultTargetExt;
        m_file.write(kSystem, "TargetExt", v.targetExt);
    }
    v.dispInputDlg = readInt("DispInputDlg", 1);
    v.exportFilename = exportFilenameOf(m_file);
    v.exportSelectFolder = readInt("ExportSelectFolder", 0);
    v.exportSelectFolderPath = m_file.readString(kSystem, "ExportSelectFolderPath");
    v.enterKeyAssign = readInt("EnterKeyAssign", 0);
    v.prevPage = readInt("PrevPage", 0);
    v.prevPageSelect = m_file.readString(kSystem, "PrevPageSelect");
    v.exportAddConse = exportAddConse();
    v.expanPrevMemory = readInt("ExpanPrevMemory", 0);
    v.renameOverwrite = readInt("RenameOverwrite", 0);
    v.exportType = exportType();
    v.displayFileExistCheck = displayFileExistCheck();
    return v;
}

int SettingsStore::saveFromEnvironmentDialog(const EnvironmentValues& v) {
    Settings& s = m_settings;
    bool ok = setExportType(v.exportType);
    s.expanPreview = v.expanPreview;
    writeInt(kSystem, "ExpanPreview", s.expanPreview, ok);
    s.margin = ProfileFile::parseInt(v.margin);
    writeInt(kSystem, "Margin", s.margin, ok);
    s.autoCursol = v.autoCursol;
    writeInt(kSystem, "AutoCursol", s.autoCursol, ok);
    s.loadPreview = v.loadPreview;
    writeInt(kSystem, "LoadPreview", s.loadPreview, ok);
    s.addText = v.addText;
    writeInt(kSystem, "AddText", s.addText, ok);
    s.initDateType = v.initDateType;
    writeInt(kSystem, "InitDateType", s.initDateType, ok);
    if (v.initDate) {
        s.initDate = *v.initDate;
        writeString(kSystem, "InitDate", formatDate(s.initDate), ok);
    }
    s.dispInputDlg = v.dispInputDlg;
    writeInt(kSystem, "DispInputDlg", s.dispInputDlg, ok);
    s.exportFilename = v.exportFilename;
    writeString(kSystem, "ExportFilename", s.exportFilename, ok);
    s.exportSelectFolder = v.exportSelectFolder;
    writeInt(kSystem, "ExportSelectFolder", s.exportSelectFolder, ok);
    s.exportSelectFolderPath = v.exportSelectFolderPath;
    writeString(kSystem, "ExportSelectFolderPath", s.exportSelectFolderPath, ok);
    s.enterKeyAssign = v.enterKeyAssign;
    writeInt(kSystem, "EnterKeyAssign", s.enterKeyAssign, ok);
    s.prevPage = v.prevPage;
    writeInt(kSystem, "PrevPage", s.prevPage, ok);
    s.prevPageSelect = v.prevPageSelect;
    writeString(kSystem, "PrevPageSelect", s.prevPageSelect, ok);
    ok = setDisplayFileExistCheck(v.displayFileExistCheck) && ok;
    ok = setExportAddConse(v.exportAddConse) && ok;
    s.expanPrevMemory = v.expanPrevMemory;
    writeInt(kSystem, "ExpanPrevMemory", s.expanPrevMemory, ok);
    s.renameOverwrite = v.renameOverwrite;
    writeInt(kSystem, "RenameOverwrite", s.renameOverwrite, ok);
    return ok ? 0 : -1;
}

int SettingsStore::exportType() {
    m_settings.exportType = normaliseExportType(readInt("ExportType", kAbsent));
    return m_settings.exportType;
}

bool SettingsStore::setExportType(int type) {
    m_settings.exportType = normaliseExportType(type);
    return m_file.writeInt(kSystem, "ExportType", m_settings.exportType);
}

bool SettingsStore::rememberedFlag(RememberedFlag& flag, bool fallback) {
    if (!flag.remembered) {
        flag.remembered = readFlag(flag.key);
    }
    return flag.remembered.value_or(fallback);
}

bool SettingsStore::setRememberedFlag(RememberedFlag& flag, bool on) {
    if (!m_file.writeInt(kSystem, flag.key, on ? 1 : 0)) {
        return false;
    }
    flag.remembered = on;
    return true;
}

bool SettingsStore::setChangedFlag(RememberedFlag& flag, bool on) {
    if (!flag.remembered) {
        flag.remembered = readFlag(flag.key);
    }
    return flag.remembered == on || setRememberedFlag(flag, on);
}

bool SettingsStore::exportAddConse() {
    return m_settings.exportAddConse = rememberedFlag(m_exportAddConse, true);
}

bool SettingsStore::setExportAddConse(bool on) {
    m_settings.exportAddConse = on;
    return setChangedFlag(m_exportAddConse, on);
}

bool SettingsStore::displayFileExistCheck() {
    return m_settings.displayFileExistCheck = rememberedFlag(m_displayFileExistCheck, false);
}

bool SettingsStore::setDisplayFileExistCheck(bool on) {
    m_settings.displayFileExistCheck = on;
    return setChangedFlag(m_displayFileExistCheck, on);
}

bool SettingsStore::initWindowMaximized() {
    return m_settings.initWindowMaximized = rememberedFlag(m_maximized, false);
}

bool SettingsStore::setInitWindowMaximized(bool on) {
    m_settings.initWindowMaximized = on;
    return setRememberedFlag(m_maximized, on);
}

WindowRect SettingsStore::initWindowRect() {
    WindowRect r{readInt("InitWindowRectLeft", kAbsent), readInt("InitWindowRectTop", kAbsent),
                 readInt("InitWindowRectRight", kAbsent), readInt("InitWindowRectBottom", kAbsent)};
    if (r.left == kAbsent || r.top == kAbsent || r.right == kAbsent || r.bottom == kAbsent) {
        r = WindowRect{};
    }
    m_settings.windowRect = r;
    return r;
}

bool SettingsStore::setInitWindowRect(const WindowRect& rect) {
    m_settings.windowRect = rect;
    bool ok = true;
    writeString(kSystem, "InitWindowRectLeft", std::to_string(rect.left), ok);
    writeString(kSystem, "InitWindowRectTop", std::to_string(rect.top), ok);
    writeString(kSystem, "InitWindowRectRight", std::to_string(rect.right), ok);
    writeString(kSystem, "InitWindowRectBottom", std::to_string(rect.bottom), ok);
    return ok;
}

void SettingsStore::loadMagnifiedAreas(bool withAreas) {
    const int expan = readInt("ExpanPreview", 0);
    m_settings.expanPreview = (expan == 0 || expan == 1) ? expan : 0;
    if (!withAreas) {
        return;
    }
    const char* sections[2] = {kExpanPreviewInfo1, kExpanPreviewInfo2};
    for (std::size_t i = 0; i < 2; ++i) {
        MagAreaSetting& a = m_settings.magAreas[i];
        const int origin = m_file.readInt(sections[i], "Origin", 3);
        a.origin = (origin < 0 || origin > 4) ? 0 : origin;
        a.posX = m_file.readInt(sections[i], "PosX", 0);
        a.posY = m_file.readInt(sections[i], "PosY", 0);
        a.width = normaliseSide(m_file.readInt(sections[i], "Width", 100), 100);
        a.height = normaliseSide(m_file.readInt(sections[i], "Height", 50), 50);
    }
}

int SettingsStore::saveMagnifiedAreas() {
    bool ok = true;
    writeInt(kSystem, "ExpanPreview", m_settings.expanPreview, ok);
    const char* sections[2] = {kExpanPreviewInfo1, kExpanPreviewInfo2};
    for (std::size_t i = 0; i < 2; ++i) {
        const MagAreaSetting& a = m_settings.magAreas[i];
        writeInt(sections[i], "Origin", a.origin, ok);
        writeInt(sections[i], "PosX", a.posX, ok);
        writeInt(sections[i], "PosY", a.posY, ok);
        writeInt(sections[i], "Width", a.width, ok);
        writeInt(sections[i], "Height", a.height, ok);
    }
    return ok ? 0 : -1;
}

std::string SettingsStore::sizeMemorySection(int index) {
    const int perPreview = kSizeMemoryCount / 2; // 10 sizes x 2 orientations + UnFixed
    const int number = index / perPreview + 1;
    const int within = index % perPreview;
    std::string name = "ExpanPreview_";
    if (within == perPreview - 1) {
        name += "UnFixed";
    } else {
        name += kSizeNames[static_cast<std::size_t>(within / 2)];
        name += within % 2 == 0 ? "_P" : "_L";
    }
    return name + std::to_string(number);
}

void SettingsStore::loadSizeMemory() {
    for (int i = 0; i < kSizeMemoryCount; ++i) {
        SizeMemoryEntry e{-1, 0, 0, 0, 0, 0, 0};
        const auto info = m_file.read(sizeMemorySection(i), "Info", 256);
        if (info) {
            const auto parts = splitAt(*info, ',');
            if (parts.size() == 5) {
                e.origin = ProfileFile::parseInt(parts[0]);
                e.x = ProfileFile::parseInt(parts[1]);
                e.y = ProfileFile::parseInt(parts[2]);
                e.width = ProfileFile::parseInt(parts[3]);
                e.height = ProfileFile::parseInt(parts[4]);
            }
        }
        e.width = normaliseSide(e.width, 100);
        e.height = normaliseSide(e.height, 50);
        e.right = std::int64_t{e.x} + e.width;
        e.bottom = std::int64_t{e.y} + e.height;
        m_settings.sizeMemory[static_cast<std::size_t>(i)] = e;
    }
}

int SettingsStore::saveSizeMemory() {
    bool ok = true;
    for (int i = 0; i < kSizeMemoryCount; ++i) {
        const SizeMemoryEntry& e = m_settings.sizeMemory[static_cast<std::size_t>(i)];
        const std::string info = std::to_string(e.origin) + "," + std::to_string(e.x) + "," +
                                 std::to_string(e.y) + "," + std::to_string(e.width) + "," +
                                 std::to_string(e.height);
        ok = m_file.write(sizeMemorySection(i), "Info", info) && ok;
    }
    return ok ? 0 : -1;
}

std::vector<std::string> SettingsStore::loadTargetExtensions() {
    std::string value = loadTargetExt();
    if (value.empty()) {
        value = kDefaultTargetExt;
    }
    m_settings.targetExt = value;
    std::vector<std::string> extra;
    for (const std::string& token : splitAt(value, '/')) {
        const bool fixed =
            std::any_of(kFixedExtensions.begin(), kFixedExtensions.end(),
                        [&](const char* f) { return cp932::equalsNoCase(token, f); });
        if (!fixed && !token.empty() && extra.size() < kMaxExtraExtensions) {
            extra.push_back(token);
        }
    }
    return extra;
}

bool SettingsStore::saveTargetExtensions(const std::vector<std::string>& extensions) {
    std::string value = kDefaultTargetExt;
    for (const std::string& e : extensions) {
        value += "/" + e;
    }
    m_settings.targetExt = value;
    return m_file.write(kSystem, "TargetExt", value);
}
