#pragma once

#include "execute/ExportType.h"

#include <string>
#include <vector>

struct Template;

// The optional order of export lines: when the template sorts its exports and has a primary
// sort column, the lines are sorted by the secondary key and then, stably, by the primary key,
// comparing the key fields (split at ",") as byte texts.
namespace exportsort {

// The field of a line that holds template column k.
std::size_t fieldOf(int column, ExportType type, int addText);

void sortLines(std::vector<std::string>& lines, const Template& t, ExportType type, int addText);

} // namespace exportsort
