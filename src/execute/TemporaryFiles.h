#pragma once

#include <string>
#include <string_view>

class FileChanges;

// The temporary files of rename runs: "~nmr", six letters or digits, ".tmp". A run that was cut
// off (killed, power cut) can leave one behind; the next run into the same folder removes it.
namespace temporaries {

inline constexpr std::string_view kPattern = "~nmrXXXXXX.tmp";
inline constexpr std::string_view kSuffix = ".tmp";

bool isTemporaryName(std::string_view fileName);

// Removes the leftover temporary files of folder that no running program holds open; returns
// how many were removed.
int removeLeftovers(FileChanges& changes, const std::string& folder);

} // namespace temporaries
