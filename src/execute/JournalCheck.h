#pragma once

#include "base/Messages.h"

#include <optional>
#include <string>

struct RunLog;

// Whether a journal may be acted on. A journal lies in a folder the whole group may write, so it
// is taken as outside input: it must be of the current format, made in the data folder it lies
// in (not a copy of it), and every path it names must lie directly in a folder that its own plan
// header names (image folder, storage folder, second-copy folder, the run's keep folder, or a
// keep folder of the run beside one of them) with no "..". Undo, settling and pruning act only
// on a journal that passes.
namespace journalcheck {

struct Refusal {
    Msg msg;
    std::string detail; // the journal, or "journal:line" for the line that names a path
};

// "<data folder>" of "<data folder>/journal/<run>/journal.txt".
std::string dataFolderOf(const std::string& journalPath);
// The journal was made in the data folder it lies in.
bool belongsHere(const RunLog& log);
std::optional<Refusal> check(const RunLog& log);

} // namespace journalcheck
