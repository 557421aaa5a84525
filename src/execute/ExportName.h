#pragma once

#include "base/Messages.h"
#include "execute/ExportType.h"

#include <optional>
#include <string>

struct Settings;

// The names that the operator gives to export files and, when a target exists, to an image: the
// checks of the file name dialog and of the stored export name, and the "(n)" numbering.
namespace exportname {

inline constexpr std::size_t kMaxPathBytes = 244; // folder, separator and name stay below this

struct Checked {
    std::optional<Msg> refusal; // the message to show; the name is not taken
    std::string name;           // the accepted name, numbered
    std::string typed;          // the accepted name before numbering
};

// The file of an export name in a folder: folder, separator, name, ".csv".
std::string exportFile(const std::string& folder, const std::string& name);
// name, or "name(n)" with the smallest n from 1 to 9999 whose export file is not in folder yet
// (files compared without regard to case); name itself when all are taken.
std::string numbered(const std::string& folder, const std::string& name);

// A name typed into the export dialog (fromDialog) or taken from ExportFilename.
Checked checkExportName(const std::string& text, bool fromDialog, const std::string& storageFolder,
                        const Settings& settings);
// A new name for an image whose target exists: taken from the dialog in its rename mode.
Checked checkRenameName(const std::string& text, ExportType type, const std::string& folder,
                        const std::string& extension);

} // namespace exportname
