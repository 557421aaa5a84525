#include "workbench/AssignmentCommands.h"

#include "app/Settings.h"
#include "base/CellGrid.h"
#include "base/MainView.h"
#include "base/Prompter.h"
#include "renamelist/RenameList.h"
#include "workbench/Ctl.h"
#include "workbench/ImageListCommands.h"
#include "workbench/Workbench.h"
#include "workbench/WorkbenchState.h"

#include <string>

AssignmentCommands::AssignmentCommands(Parts parts)
    : m_p(parts),
      m_rules(AssignmentRules::Parts{m_list, parts.renameList, parts.imageGrid,
                                     parts.state.currentTemplate, parts.settings.exportType}),
      m_work(AssignmentWork::Parts{m_list, parts.renameList, parts.imageGrid, parts.view,
                                   parts.prompter, parts.settings, m_rules}) {
}

int AssignmentCommands::currentRenameRow() const {
    const int row = m_p.renameList.grid().row();
    return row < 1 ? 1 : row;
}

AssignmentCommands::Availability AssignmentCommands::availability() const {
    return m_rules.availability(currentRenameRow(), m_p.state.currentImageRow);
}

void AssignmentCommands::hold() {
    m_p.workbench.updateControlStates(true);
    m_p.workbench.magAreas().assignmentStarted();
    m_p.view.setWaitCursor(true);
}

void AssignmentCommands::done(bool changed) {
    m_p.view.setWaitCursor(false);
    if (changed) {
        m_p.state.modified = true;
    }
    m_p.workbench.refreshControlStates();
    m_p.workbench.magAreas().assignmentDone();
    if (m_p.settings.enterKeyAssign == 1) {
        m_p.view.focusControl(id(Ctl::RenameGrid));
    }
}

RenameListOwner::EnterAssign AssignmentCommands::assignRow(int row, bool moveRenameCursor) {
    using Outcome = RenameListOwner::EnterAssign;
    if (!m_rules.availability(row, m_p.state.currentImageRow).assign) {
        return Outcome::NotAssigned;
    }
    if (m_rules.clashesWithAssigned(row)) {
        m_p.prompter.tell(Msg::AssignDuplicateName);
        return Outcome::Duplicate;
    }
    hold();
    m_work.assign(row, m_rules.selectedImageRows());
    if (m_p.settings.autoCursol == 1) {
        m_p.view.focusControl(id(Ctl::RenameGrid));
        const int image = m_rules.nextImageRow(m_p.state.currentImageRow);
        if (image > 0) {
            m_p.workbench.imageList().selectRow(image);
        }
        const int next = moveRenameCursor ? m_rules.nextRenameRow(row) : 0;
        if (next > 0) {
            m_p.renameList.selectRow(next);
        }
    }
    done(true);
    return Outcome::Assigned;
}

void AssignmentCommands::assign() {
    assignRow(currentRenameRow(), true);
}

void AssignmentCommands::assignByEnter() {
    assignRow(currentRenameRow(), false);
}

RenameListOwner::EnterAssign AssignmentCommands::assignEditedRow(int row) {
    return assignRow(row, false);
}

void AssignmentCommands::release() {
    if (!availability().release) {
        return;
    }
    hold();
    m_work.release(m_rules.selectedImageRows());
    done(true);
}

void AssignmentCommands::batchAssign() {
    if (!availability().batchAssign) {
        return;
    }
    const AssignmentRules::BatchPlan plan = m_rules.batchPlan();
    if (plan.duplicate) {
        m_p.prompter.tell(Msg::BatchAssignDuplicateNames, {std::to_string(plan.duplicate->first),
                                                           std::to_string(plan.duplicate->second)});
        m_p.renameList.selectRow(plan.duplicate->second);
        return;
    }
    hold();
    const int rows = static_cast<int>(plan.completeRows.size());
    const Answer answer =
        rows == plan.imageCount
            ? m_p.prompter.tell(Msg::BatchAssignQuestion)
            : m_p.prompter.tell(Msg::BatchAssignCountQuestion,
                                {std::to_string(rows), std::to_string(plan.imageCount)});
    if (answer != Answer::Yes) {
        done(false);
        return;
    }
    if (!m_work.batchAssign()) {
        m_p.prompter.tell(Msg::BatchAssignFailed);
    }
    done(true);
}

void AssignmentCommands::batchRelease() {
    if (m_list.empty()) {
        return;
    }
    hold();
    if (m_p.prompter.tell(Msg::BatchReleaseQuestion) != Answer::Yes) {
        done(false);
        return;
    }
    if (!m_work.releaseAll(true)) {
        m_p.prompter.tell(Msg::BatchReleaseFailed);
    }
    done(true);
}

void AssignmentCommands::reapplyAfterReload() {
    const std::size_t before = m_list.size();
    m_work.reapplyAfterReload();
    if (m_list.size() != before) {
        m_p.state.modified = true;
    }
    m_p.workbench.refreshControlStates();
}

void AssignmentCommands::restore(const std::vector<CAssignInfo>& records) {
    m_work.restore(records);
    m_p.workbench.refreshControlStates();
}
