#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The paths of a run journal. A run writes every path as the file system resolves it (absolute,
// the folder's links and "." and ".." resolved), so that the journal names each file exactly
// once and every file lies directly in one of the folders its plan names. Undo reads them back
// as outside input: a journal lies in a folder the whole group may write.
namespace journalpaths {

// path (cp932) absolute, with its folder resolved by the file system; the name itself as it is,
// so that a link is named, never what it points to.
std::string resolved(std::string_view path);
// A folder resolved by the file system, when it exists; else made absolute.
std::string resolvedFolder(std::string_view folder);

// path without a trailing separator when it is absolute and has no empty, "." or ".." part;
// nothing otherwise.
std::optional<std::string> plain(std::string_view path);

// path lies directly in one of folders, or in a keep folder of runId right beside one of them
// (".nomira-keep-<runId>"). folders are plain.
bool inside(std::string_view path, const std::vector<std::string>& folders, std::string_view runId);

} // namespace journalpaths
