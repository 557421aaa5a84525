#pragma once

#include "execute/ExportLines.h"

#include <optional>
#include <string>

// The registration agent's definition file quentdef.xml in a storage folder: its CabinetName and
// FolderName elements give the default cabinet and folder of the agent list. Texts come back in
// cp932 whether the file is written in UTF-8 or in Shift-JIS.
namespace agentdefinition {

inline constexpr const char* kFileName = "quentdef.xml";

// nullopt when the file is missing or cannot be parsed.
std::optional<exportlines::AgentDefaults> readDefaults(const std::string& storageFolder);

} // namespace agentdefinition
