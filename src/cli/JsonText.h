#pragma once

#include <string>
#include <string_view>

// Pieces of JSON text for output that is written as it is produced instead of being built as a
// document first.
namespace JsonText {

// Appends the UTF-8 text as a JSON string: quoted, with quotes, backslashes and control
// characters escaped, and bytes that are not UTF-8 replaced by U+FFFD.
void appendString(std::string& out, std::string_view utf8);

} // namespace JsonText
