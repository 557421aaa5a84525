#pragma once

#include <string>
#include <vector>

class AssignmentQueries;
class RenameList;
struct RunLog;

// The rows a run took from the rename list, given back after the run was undone: kept as a CSV
// file the list load button reads, and put into the rename list of the main window.
namespace returnedrows {

// A free name for the rows of the run: "<data folder>/rows/<run>-rows.csv", numbered "(2)", "(3)"
// … when taken. It lies beside the journals folder, not inside a run's folder, so that the file
// outlives the removal of old runs.
std::string fileFor(const std::string& journalPath);

enum class Place {
    AtTheirRows, // each at the row number it had when the run took it (the list is the run's)
    AtTheEnd,    // after the last row that holds text (the list is another one)
};

enum class Fit {
    Fits,
    OtherTemplate, // the list's template columns are not the run's
    NoRoom,        // the last rows of the 1000 hold text or assignments
    Listed,        // a row of the same file name is in the list already (it was loaded again)
};
// Whether the done rows of the run can go into the list.
Fit fitOf(const RenameList& list, const AssignmentQueries& assignments, const RunLog& log);
// Whether the list holds no text at all.
bool listEmpty(const RenameList& list);
// Puts the done rows of the run into the list; assignments below them move with their rows.
// Returns how many rows went in (0 unless they fit).
int putBack(RenameList& list, AssignmentQueries& assignments, const RunLog& log, Place place);

} // namespace returnedrows
