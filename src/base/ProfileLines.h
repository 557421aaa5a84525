#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The line grammar of a profile file, shared by its reader, its index and its writer.
namespace profileline {

// The lines of a text split at "\n" (a "\r" before it stays on the line).
std::vector<std::string_view> split(std::string_view content);
// The section named by a "[name]" line, or nothing for other lines.
std::optional<std::string> sectionOf(std::string_view line);
// Splits "key=value" into its trimmed halves; false for lines without "=" or without a key.
bool keyValueOf(std::string_view line, std::string& key, std::string& value);
// A stored value as a reader sees it: its first line, one pair of enclosing quotes removed.
std::string valueOf(std::string_view trimmedValue);
// A value as a writer stores it: the text before its first line end or NUL.
std::string singleLine(std::string_view value);

} // namespace profileline
