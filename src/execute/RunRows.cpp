#include "execute/RunRows.h"

#include "base/Cp932.h"
#include "base/FileSystem.h"

namespace runrows {

namespace {

// Whether a step was carried out: confirmed with the file it made still as confirmed, or, where
// the confirmation is missing, as the disk tells it: the target exists (its name was free when
// the step was announced) and a moved source is gone.
bool made(const RunLog::Step& step) {
    if (step.done) {
        return FileStamp::of(step.to) == step.stamp;
    }
    return files::exists(step.to) &&
           (step.kind != RunLog::StepKind::Move || !files::exists(step.from));
}

// The step that completed the row's target: the move of its one image, or the joined file (the
// row's own CSV, written first in the per-row CSV type, does not count).
const RunLog::Step* completingStep(const RunLog& log, std::size_t index) {
    const RunLog::Row& row = log.rows[index];
    const RunLog::Step* found = nullptr;
    for (const RunLog::Step& step : log.steps) {
        if (step.row != index) {
            continue;
        }
        const bool single = row.sources.size() == 1 && step.kind == RunLog::StepKind::Move &&
                            step.from == row.sources.front();
        const bool joined = row.sources.size() > 1 && step.kind == RunLog::StepKind::Write &&
                            !cp932::endsWithNoCase(step.to, ".csv");
        if (single || joined) {
            found = &step;
        }
    }
    return found;
}

} // namespace

std::vector<State> of(const RunLog& log) {
    std::vector<State> states;
    for (std::size_t i = 0; i < log.rows.size(); ++i) {
        State state;
        state.row = &log.rows[i];
        const RunLog::Step* step = completingStep(log, i);
        if (log.rowDone(state.row->rowKey)) {
            state.finished = true;
            state.target = step ? step->to : state.row->target;
        } else if (i >= log.rowOutcomes && step && made(*step)) {
            state.finished = true;
            state.withoutOutcome = true;
            state.target = step->to;
        }
        states.push_back(std::move(state));
    }
    return states;
}

} // namespace runrows
