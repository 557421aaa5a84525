#include "cli/AssignCommand.h"

#include "cli/CliSession.h"
#include "cli/HeadlessWindow.h"
#include "cli/WorkingState.h"

int runAssignCommand(CliSession& session) {
    const auto& args = session.options().command;
    std::string error;
    const auto state =
        WorkingState::parse(std::vector<std::string>(args.begin() + 1, args.end()), error);
    if (!state) {
        return session.usageError(error);
    }
    const auto dataFolder = session.dataFolder();
    if (!dataFolder) {
        return session.fail();
    }
    HeadlessWindow window(*dataFolder, session.prompter());
    if (!state->build(window, session)) {
        return session.finish(WorkingState::report(window), WorkingState::reportText(window),
                              CliSession::Failed);
    }
    std::string unavailable;
    switch (state->operate(window, session, unavailable, error)) {
    case WorkingState::Outcome::Usage:
        return session.usageError(error);
    case WorkingState::Outcome::Unavailable: {
        Json report = WorkingState::report(window);
        report["unavailable"] = unavailable;
        return session.finish(
            report, WorkingState::reportText(window) + "unavailable: " + unavailable + "\n",
            CliSession::Failed);
    }
    case WorkingState::Outcome::Failed:
        return session.finish(WorkingState::report(window), WorkingState::reportText(window),
                              CliSession::Failed);
    case WorkingState::Outcome::Done:
        break;
    }
    return session.finish(WorkingState::report(window), WorkingState::reportText(window),
                          CliSession::Done);
}
