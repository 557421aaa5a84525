#pragma once

#include <string>
#include <string_view>
#include <vector>

struct ColumnDef;
struct Settings;
struct Template;

// The rename name of a row: its file-name columns' display texts, formatted by column type and
// joined by the template's connector, with blanks replaced and the characters that cannot stand
// in file names made full-width. cells holds the row's display texts in template column order.

// The name the files of the row receive.
std::string RenameNameForFile(const Template& t, const std::vector<std::string>& cells,
                              const Settings& settings);
// The form the duplicate checks compare (case-insensitively).
std::string RenameNameForCheck(const Template& t, const std::vector<std::string>& cells,
                               const Settings& settings);

namespace renamename {

// One file-name column's value: padded or cut down to its date form by type and alignment. A
// padding never cuts; a double-byte character counts as one character in text columns.
std::string formatValue(const ColumnDef& column, std::string_view displayText);

} // namespace renamename
