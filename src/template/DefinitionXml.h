#pragma once

#include <optional>
#include <string>

// The registration agent's definition file quentdef.xml: its CabinetName and FolderName elements
// name the default cabinet and folder of the agent list. Texts come back in cp932 whether the
// file is written in UTF-8 or in Shift-JIS.
struct DefinitionXml {
    std::string cabinetName;
    std::string folderName;

    // Nothing when the file cannot be read or parsed.
    static std::optional<DefinitionXml> read(const std::string& xmlPath);
};
