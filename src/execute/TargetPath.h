#pragma once

#include <string>
#include <string_view>
#include <vector>

// Where a row's images go: the storage folder, the name, and the extension.
namespace targetpath {

// Paths are cut after the character that takes them past this many bytes.
inline constexpr std::size_t kCutBytes = 243;

// folder + separator + name, cut so that characters are copied while the bytes copied so far do
// not exceed 243 (a double-byte character is never split).
std::string cutBase(std::string_view folder, std::string_view name);
// The text after the last "." of a file name, as written; empty when there is none.
std::string extensionOf(std::string_view fileName);
// The target of a row: one image keeps its own extension, several become one ".tif".
std::string forRow(std::string_view folder, std::string_view name,
                   const std::vector<std::string>& imageFileNames);

} // namespace targetpath
