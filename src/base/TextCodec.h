#pragma once

#include <optional>
#include <string>
#include <string_view>

// Conversion between the program's cp932 byte strings and UTF-8, used only at the borders: handing
// text to Qt, to JSON output, and to the file system.
namespace textcodec {

// Bytes that are not valid cp932 become U+FFFD, one per byte, and conversion goes on.
std::string cp932ToUtf8(std::string_view cp932);
// Characters without a cp932 form become "?", and conversion goes on.
std::string utf8ToCp932(std::string_view utf8);
// Strict forms: nothing when any byte or character does not convert.
std::optional<std::string> cp932ToUtf8Strict(std::string_view cp932);
std::optional<std::string> utf8ToCp932Strict(std::string_view utf8);

} // namespace textcodec
