#pragma once

#include <optional>
#include <string>
#include <string_view>

// The document type named in a registration agent's map file (quentdef.map). The file is read in
// lines of at most 1023 bytes, as a 1024-byte line buffer takes them; a "," is appended to each
// line and the first line holding "<DocType>" is split at ","; its second field, with CR and LF
// made blanks and trimmed, is the type. Empty when no line holds the tag; nothing when the file
// cannot be read.
std::optional<std::string> ReadDocType(std::string_view mapPath);
