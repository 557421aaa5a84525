#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// Lines joined with "\r\n", each one ended, as the program writes profile files.
std::string crlfLines(std::initializer_list<std::string_view> lines);

// The key names of one section of a profile text, in file order (section matched without
// regard to case; the first such section only).
std::vector<std::string> keysOfSection(std::string_view content, std::string_view section);

// True when every line end of the text is "\r\n".
bool onlyCrlfLineEnds(std::string_view content);
