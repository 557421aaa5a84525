#pragma once

#include <string>
#include <string_view>

// A name shortened to about width bytes for a narrow field: a name shorter than width bytes comes
// back unchanged; otherwise the characters that start within the first (width - 4) / 2 + 1 bytes,
// "...", and the characters that start within the last (width - 4) / 2 bytes. A double-byte
// character is never split.
std::string ShortenForDisplay(std::string_view name, int width);
