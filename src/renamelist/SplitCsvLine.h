#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits one line of the rename list at commas. Works on bytes, which is safe for cp932 because
// its trail bytes are never '"' or ','. Every LF becomes a comma and the line gets a closing comma;
// a double quote opens a quoted part only when another double quote follows later in the line,
// and quotes themselves are never copied; a comma inside a quoted part is kept. Fields are not
// trimmed; a last field that is empty is not emitted.
std::vector<std::string> SplitCsvLine(std::string_view line);
