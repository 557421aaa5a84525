#pragma once

#include <string>

class FileChanges;
struct RunLog;

// A run that was cut off (the program died, the power went) as the journal tells it, and how
// it is settled when the operator does not undo it: what was done stays done.
namespace runrecovery {

struct Account {
    int doneRows = 0;  // rows whose files reached their target
    int otherRows = 0; // rows not carried out, or cut off: their images are where they were
};
Account account(const RunLog& log);

// Settles the run as far as it got: the sources of joined rows that were done go to the keep
// folder, as the run would have done at its end; the run's leftover temporary files are removed
// and the journal is marked finished. False when the journal could not take that, when it fails
// journalcheck, or while another run or undo holds the data folder.
bool finish(FileChanges& changes, const RunLog& log);

// The folders in which the run may have left temporary files; removes those no program holds.
void removeLeftovers(FileChanges& changes, const RunLog& log);

} // namespace runrecovery
