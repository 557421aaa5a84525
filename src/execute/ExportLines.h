#pragma once

#include <string>
#include <vector>

struct Template;

// The lines of the export files, built from a row's display texts (template column order). Lines
// carry no line end; values are written as they are, embedded quotes not doubled.
namespace exportlines {

// The Ledgra list: every column as "value", then 1 and the file name.
std::string ledgraLine(const Template& t, const std::vector<std::string>& cells,
                       const std::string& fileName);

// The agent registration list's fields of a row: the title from the first column, cabinet and
// folder from the second and third, "value", of every further column.
struct AgentFields {
    std::string title;
    std::string cabinet;
    std::string folder;
    std::string properties;
};
AgentFields agentFields(const Template& t, const std::vector<std::string>& cells);
// Cabinet and folder of the agent's definition file, used where a row has none.
struct AgentDefaults {
    std::string cabinet;
    std::string folder;
};
std::string agentLine(const std::string& fileName, const AgentFields& fields,
                      const AgentDefaults& defaults);

// The rename list CSV: the columns joined by ",", with the renamed file name in quotes before
// (addText 2) or after (addText 1) them, an empty field when the row's images all failed. The
// per-row CSV is this line with addText 0.
std::string renameListLine(const Template& t, const std::vector<std::string>& cells, int addText,
                           const std::string& renamedName);

} // namespace exportlines
