#pragma once

#include "execute/RunLog.h"

#include <optional>
#include <string>
#include <vector>

class FileChanges;

// The journals folder of the data folder: one folder per run, named by its start time, so that
// the names sort in the order the runs started.
namespace runjournals {

// "<data folder>/journal".
std::string folderOf(const std::string& dataFolder);
// The journal files of the runs, oldest first.
std::vector<std::string> list(const std::string& journals);
// The newest run, when it can still be undone (it has not been undone yet).
std::optional<RunLog> undoable(const std::string& journals);
// The newest run, when it was cut off: it neither reached its end nor was settled or undone.
std::optional<RunLog> unfinished(const std::string& journals);
// Removes the oldest runs with their kept files until keep finished runs are left; a run that
// was cut off is never removed. Returns how many went.
int prune(FileChanges& changes, const std::string& journals, int keep);

} // namespace runjournals
