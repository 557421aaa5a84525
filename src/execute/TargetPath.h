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

// The longest file name the file system takes, in bytes of its own encoding (UTF-8).
inline constexpr std::size_t kMaxNameBytes = 255;

// The file a path reaches, in a form to compare without regard to case: the file system's
// spelling (UTF-8) with ASCII letters upper-cased. Two cp932 texts that convert to one name (the
// pair 0x8754 and 0xFA4A are both "Ⅰ") give one key.
std::string fileKey(std::string_view path);
// True when the last part of path is longer than the file system takes.
bool nameTooLong(std::string_view path);

} // namespace targetpath
