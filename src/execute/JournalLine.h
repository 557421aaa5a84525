#pragma once

#include <string>
#include <string_view>
#include <vector>

// One line of a run journal: tab-separated fields in UTF-8 so that a person can read it, with
// "\\", "\t", "\n" and "\r" escaped inside fields. Fields are cp932 texts in memory.
namespace journalline {

std::string compose(const std::vector<std::string>& fields);
std::vector<std::string> split(std::string_view line);

} // namespace journalline
