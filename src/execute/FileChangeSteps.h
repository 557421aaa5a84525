#pragma once

#include <string>
#include <string_view>

class FileChanges;

// Whole-file writes made of the seam's steps: a temporary file beside the target, written,
// synced and renamed onto the target. The target is either the old file or the complete new one.
namespace filesteps {

bool writeWhole(FileChanges& changes, const std::string& target, std::string_view content,
                bool replace);
// Copies source to target (source stays).
bool copy(FileChanges& changes, const std::string& source, const std::string& target, bool replace);

} // namespace filesteps
