#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The storage folder as the main window shows it: a path longer than maxBytes keeps its first
// (maxBytes - length of its last component) bytes, then ".../" and the last component. A
// double-byte character is never split; the kept head shrinks instead. cp932 text.
std::string shortenFolderForDisplay(std::string_view path, std::size_t maxBytes = 35);
