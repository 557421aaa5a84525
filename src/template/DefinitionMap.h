#pragma once

#include "base/Messages.h"

#include <ctime>
#include <optional>
#include <string>
#include <vector>

class CellGrid;
class TemplateEditGrid;

// One item of the registration agent's map file: a field name and the rename-list CSV field that
// fills it.
struct DefinitionItem {
    std::string name;
    int sourceField = 0;
};

// The registration agent's last definition, read from its map file.
struct DefinitionMap {
    std::string docType;
    int cabinetField = 0;
    int folderField = 0;
    int docNameField = 0;
    std::vector<DefinitionItem> items;
};

namespace definitionmap {

// The local time as "%04d%02d%02d%02d%02d%02d".
std::string timeStamp(std::time_t time);

// The agent's last quentdef.xml: the profile's WorkPath/LastPath when that file exists, else the
// registry value LastPath under the agent key; nothing when neither can be read.
std::optional<std::string> lastDefinition(const std::string& profilePath,
                                          const std::string& registryPath,
                                          const std::string& agentKey);

// The map file beside an XML definition (same name, ".map").
std::string mapPathOf(const std::string& xmlPath);

// Reads a map file: "<DocType>", "<CabinetName>", "<FolderName>" and "<DocName>" lines give their
// second field; every line after "<DocName>" is an item (name, field).
std::optional<DefinitionMap> read(const std::string& mapPath);

// The checks after the definition program ended: the XML and map file exist and the map file was
// written at or after startStamp. Nothing to do (std::nullopt refusal, no map) when the map is
// older; a refusal when a file is missing, cannot be read or has too many items for the grid.
struct Outcome {
    std::optional<Msg> refusal;
    std::optional<DefinitionMap> map;
};
Outcome load(const std::string& xmlPath, const std::string& startStamp, int csvRowNum);

// Writes the definition into the grid: names and source fields of the document, cabinet and
// folder rows, then the items; everything else is cleared.
void apply(const DefinitionMap& map, TemplateEditGrid& grid);

} // namespace definitionmap
