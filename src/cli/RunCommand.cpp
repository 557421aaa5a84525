#include "cli/RunCommand.h"

#include "base/TextCodec.h"
#include "cli/CliExecuteDialogs.h"
#include "cli/CliSession.h"
#include "cli/HeadlessWindow.h"
#include "cli/RunReport.h"
#include "cli/WorkingState.h"
#include "workbench/Ctl.h"

#include <optional>

namespace {

enum class Kind { Names, Run };

// The arguments of run that are not state options or operations.
struct RunArguments {
    std::optional<ExecuteDialogs::TypedName> exportName;
    std::vector<ExecuteDialogs::TypedName> renameAs;
};

int runWorking(CliSession& session, Kind kind) {
    const auto& args = session.options().command;
    std::vector<std::string> stateArgs;
    RunArguments run;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const bool own =
            kind == Kind::Run && (args[i] == "--export-name" || args[i] == "--rename-as");
        if (!own) {
            stateArgs.push_back(args[i]);
        } else if (i + 1 >= args.size()) {
            return session.usageError(args[i] + " needs a value");
        } else if (args[i] == "--export-name") {
            run.exportName = textcodec::utf8ToCp932Strict(args[++i]);
        } else {
            run.renameAs.push_back(textcodec::utf8ToCp932Strict(args[++i]));
        }
    }
    std::string error;
    const auto state = WorkingState::parse(stateArgs, error);
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
    case WorkingState::Outcome::Failed:
        return session.finish(WorkingState::report(window), WorkingState::reportText(window),
                              CliSession::Failed);
    case WorkingState::Outcome::Unavailable:
        break;
    case WorkingState::Outcome::Done:
        Workbench& wb = window.workbench();
        wb.refreshControlStates();
        if (window.view().isEnabled(static_cast<int>(Ctl::Execute))) {
            unavailable.clear();
        } else {
            unavailable = "実行";
        }
        break;
    }
    if (!unavailable.empty()) {
        Json report = WorkingState::report(window);
        report["unavailable"] = unavailable;
        return session.finish(report, "unavailable: " + unavailable + "\n", CliSession::Failed);
    }
    Workbench& wb = window.workbench();
    CliExecuteDialogs dialogs(session.prompter(), run.exportName, run.renameAs);
    wb.setExecuteDialogs(dialogs);
    if (kind == Kind::Names) {
        const ExecuteCommand::Planned planned = wb.executeCommand().plan();
        const bool ok = planned.ok && runreport::planWritesEveryRow(planned.plan);
        return session.finish(runreport::planJson(planned.plan, planned.ok, dialogs.listed()),
                              runreport::planText(planned.plan, planned.ok),
                              ok ? CliSession::Done : CliSession::Failed);
    }
    wb.command(static_cast<int>(Ctl::Execute));
    const auto& outcome = wb.lastRun();
    if (!outcome) {
        return session.fail();
    }
    return session.finish(runreport::outcomeJson(*outcome), runreport::outcomeText(*outcome),
                          outcome->failed() || runreport::agentProgramsFailed(*outcome)
                              ? CliSession::Failed
                              : CliSession::Done);
}

} // namespace

int runNamesCommand(CliSession& session) {
    return runWorking(session, Kind::Names);
}

int runRunCommand(CliSession& session) {
    return runWorking(session, Kind::Run);
}
