#pragma once

#include "execute/RunLog.h"

#include <string>
#include <vector>

// What became of each planned row of a run, read from its journal and checked on the disk. A
// row is finished when the journal records it done, or, for the row a cut-off run was carrying
// out, when the step that completes its target (the move of its single image, the joined file
// renamed into place) was made: confirmed with the target still the file confirmed, or, where
// the run died before the confirmation, the target there and a moved source gone.
namespace runrows {

struct State {
    const RunLog::Row* row = nullptr;
    bool finished = false;
    // Finished by its target alone: the journal has no outcome for the row yet.
    bool withoutOutcome = false;
    std::string target; // where the row's images went; empty when the row is not finished
};

// One state per planned row, in plan order.
std::vector<State> of(const RunLog& log);

} // namespace runrows
