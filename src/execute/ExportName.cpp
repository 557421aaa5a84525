#include "execute/ExportName.h"

#include "app/Settings.h"
#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "execute/TargetPath.h"

namespace exportname {

namespace {

bool fileExistsNoCase(const std::string& folder, const std::string& name) {
    return files::findNoCase(folder, name).has_value();
}

bool hasRefusedChar(std::string_view name) {
    constexpr std::string_view refused = "\t\"*/:<>?\\|";
    for (std::size_t i = 0; i < name.size(); i += cp932::charLength(name, i)) {
        if (cp932::charLength(name, i) == 1 && refused.find(name[i]) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

// The path stays below the program's length and the file name (name with its extension) within
// what the file system takes.
bool fitsIn(const std::string& folder, const std::string& name, const std::string& dotted) {
    return files::join(folder, name).size() < kMaxPathBytes &&
           !targetpath::nameTooLong(files::join(folder, name + dotted));
}

} // namespace

std::string exportFile(const std::string& folder, const std::string& name) {
    return files::join(folder, name + ".csv");
}

std::string numbered(const std::string& folder, const std::string& name) {
    if (!fileExistsNoCase(folder, name + ".csv")) {
        return name;
    }
    for (int n = 1; n <= 9999; ++n) {
        const std::string candidate = name + "(" + std::to_string(n) + ")";
        if (!fileExistsNoCase(folder, candidate + ".csv")) {
            return candidate;
        }
    }
    return name;
}

Checked checkExportName(const std::string& text, bool fromDialog, const std::string& storageFolder,
                        const Settings& settings) {
    Checked out;
    out.typed = text;
    if (fromDialog) {
        out.typed = cp932::trim(text);
        if (exportTypeOf(settings.exportType) == ExportType::Agent) {
            out.typed = cp932::trimLeftBlanksWide(out.typed);
        }
    }
    if (out.typed.empty()) {
        out.refusal = fromDialog ? Msg::FileNameEmpty : Msg::ExportNameEmpty;
        return out;
    }
    out.name = settings.exportAddConse ? numbered(storageFolder, out.typed) : out.typed;
    const bool second =
        settings.exportSelectFolder == 1 && !settings.exportSelectFolderPath.empty();
    if (!fitsIn(storageFolder, out.name, ".csv") ||
        (second && !fitsIn(settings.exportSelectFolderPath, out.name, ".csv"))) {
        out.refusal = fromDialog ? Msg::FileNameTooLong : Msg::ExportNameTooLong;
    } else if (hasRefusedChar(out.name)) {
        out.refusal = fromDialog ? Msg::FileNameBadChar : Msg::ExportNameBadChar;
    }
    return out;
}

Checked checkRenameName(const std::string& text, ExportType type, const std::string& folder,
                        const std::string& extension) {
    Checked out;
    std::string name = text;
    if (type == ExportType::Ledgra || type == ExportType::Agent) {
        name = cp932::trimLeft(name);
    }
    out.typed = out.name = cp932::forbiddenToFullWidth(name);
    const std::string dotted = extension.empty() ? std::string() : "." + extension;
    if (out.name.empty()) {
        out.refusal = Msg::FileNameEmpty;
    } else if (!fitsIn(folder, out.name, dotted)) {
        out.refusal = Msg::FileNameTooLong;
    } else if (fileExistsNoCase(folder, out.name + dotted)) {
        out.refusal = Msg::FileNameExists;
    }
    return out;
}

} // namespace exportname
