#pragma once

#include "cli/CliSession.h"
#include "execute/RenamePlan.h"
#include "execute/RenameRun.h"

#include <optional>
#include <string>
#include <vector>

// The reports of nomira-cli names (the plan) and run (the outcome), as JSON and as text.
namespace runreport {

// True when the run would write every row of the plan: none is refused for a file an earlier row
// writes or for a name too long.
bool planWritesEveryRow(const RenamePlan& plan);
// True when a registration program after an agent-type run could not be started or ended with a
// failure.
bool agentProgramsFailed(const RenameRun::Outcome& outcome);

Json planJson(const RenamePlan& plan, bool ok, const std::vector<std::string>& overwritten);
std::string planText(const RenamePlan& plan, bool ok);
Json outcomeJson(const RenameRun::Outcome& outcome);
std::string outcomeText(const RenameRun::Outcome& outcome);

} // namespace runreport
