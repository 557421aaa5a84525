#pragma once

#include "base/Messages.h"

#include <optional>
#include <string>

struct Settings;

// The folders a rename run writes into: the template's storage folder and, when set, the folder
// of the export copies.
namespace storagefolders {

// A directory the user can list, write into and search: a run reads the folder to find names
// that differ only in case and opens it to make its changes durable. A folder without any read,
// write or search permission bit counts as unusable even for a user whom the bits do not stop.
bool isUsable(const std::string& folder);

// The folder checks made before a run, in their order; the message of the first that fails.
std::optional<Msg> check(const std::string& storageFolder, const Settings& settings);

} // namespace storagefolders
