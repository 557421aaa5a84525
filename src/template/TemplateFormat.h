#pragma once

#include "template/Template.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class ProfileFile;

// The ROWINFO section's keys: how a Template becomes key values and back.
namespace templateformat {

inline constexpr const char* kSection = "ROWINFO";
inline constexpr std::size_t kValueBuffer = 65536;
inline constexpr std::size_t kNameBuffer = 60400;

// NAME split at tabs; a last name without a following tab still counts.
std::vector<std::string> splitNames(std::string_view value);
// A comma list: an element counts only when a "," follows it.
std::vector<std::string> splitCommaList(std::string_view value);

// Reads a template; nothing when NAME, TYPE, LOAD, FILENAME, SORT1, SORT2 or REPLACE is absent.
std::optional<Template> read(const ProfileFile& file, const std::string& name,
                             const std::string& dataFolder);
// The keys NAME to DOCTYPE with their values, in the order they are written.
std::vector<std::pair<std::string, std::string>> encode(const Template& t);
// The ROWWIDTH value for the given widths.
std::string encodeWidths(const std::vector<int>& widths);

} // namespace templateformat
