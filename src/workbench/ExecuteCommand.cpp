#include "workbench/ExecuteCommand.h"

#include "app/Settings.h"
#include "base/MainView.h"
#include "execute/CheckRegistrationPrerequisites.h"
#include "execute/ExportType.h"
#include "execute/RunLists.h"
#include "execute/RunPreparation.h"
#include "renamelist/RenameList.h"
#include "workbench/Ctl.h"
#include "workbench/WorkbenchState.h"

ExecuteCommand::Planned ExecuteCommand::plan() {
    RenamePlan::Source source{m_p.state.currentTemplate,
                              m_p.settings,
                              m_p.settings.scanPath,
                              m_p.records(),
                              [this](int row) { return runlists::rowCells(m_p.renameList, row); },
                              [this](const std::string& fileName) {
                                  return runlists::listedPages(m_p.imageGrid, fileName);
                              }};
    Planned planned{RenamePlan::compute(source), false};
    const Template& t = m_p.state.currentTemplate;
    planned.ok = (!isAgentType() ||
                  CheckRegistrationPrerequisites(
                      {m_p.settings.quentryPath, t.storageFolder, t.docType}, m_p.prompter)) &&
                 prepareRun(planned.plan, m_p.settings, m_p.prompter, m_p.dialogs);
    if (!planned.ok && m_p.settings.enterKeyAssign == 1) {
        m_p.view.focusControl(static_cast<int>(Ctl::RenameGrid));
    }
    return planned;
}

std::optional<RenameRun::Outcome> ExecuteCommand::execute() {
    const Planned planned = plan();
    if (!planned.ok) {
        return std::nullopt;
    }
    m_p.view.setWaitCursor(true);
    RenameRun run({m_p.changes, m_p.prompter, m_p.dialogs, m_p.state.currentTemplate, m_p.settings,
                   m_p.journals});
    RenameRun::Outcome outcome = run.run(planned.plan);
    m_p.releaseAll();
    runlists::removeRows(m_p.renameList, outcome.doneRows);
    m_p.state.modified = true;
    m_p.relist();
    m_p.renameList.showFirstDataRow();
    m_p.view.setWaitCursor(false);
    RenameRun::tellFailures(m_p.prompter, outcome);
    if (isAgentType()) {
        outcome.agentRuns = RunRegistrationPrograms(m_p.launcher, m_p.settings.quentryPath,
                                                    m_p.state.currentTemplate.storageFolder);
    }
    RenameRun::tellDone(m_p.prompter, outcome);
    return outcome;
}

bool ExecuteCommand::isAgentType() const {
    return exportTypeOf(m_p.settings.exportType) == ExportType::Agent;
}
