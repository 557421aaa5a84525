#pragma once

#include "base/Messages.h"

#include <optional>
#include <string>

struct Settings;

// The folders a rename run writes into: the template's storage folder and, when set, the folder
// of the export copies.
namespace storagefolders {

// A directory the user can write into and search. A folder without any write permission bit
// counts as read-only even for a user whom the bits do not stop.
bool isUsable(const std::string& folder);

// The folder checks made before a run, in their order; the message of the first that fails.
std::optional<Msg> check(const std::string& storageFolder, const Settings& settings);

} // namespace storagefolders
