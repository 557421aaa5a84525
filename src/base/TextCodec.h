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
// The cp932 form of a UTF-8 text that converts back to exactly the same bytes; nothing when any
// character has no such form (a name the program could not hand back to the file system).
std::optional<std::string> utf8ToCp932Exact(std::string_view utf8);
// The UTF-8 text with every byte that is not part of a well-formed UTF-8 sequence replaced by
// U+FFFD, so that it can be written where only valid UTF-8 may go (JSON, a terminal).
std::string validUtf8(std::string_view text);
// A readable cp932 stand-in for a text that may have no cp932 form: each character without one
// becomes "<U+XXXX>", each byte that is not UTF-8 "<xXX>"; the rest converts as usual.
std::string utf8ToCp932Marked(std::string_view utf8);

} // namespace textcodec
