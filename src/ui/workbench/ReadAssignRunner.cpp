#include "ui/workbench/ReadAssignRunner.h"

#include "app/ReadSettings.h"
#include "app/SettingsStore.h"
#include "base/MainView.h"
#include "base/Messages.h"
#include "base/ProfileFile.h"
#include "base/Prompter.h"
#include "base/WorkerPool.h"
#include "ui/workbench/CReadAssignDlg.h"
#include "workbench/ReadAssignment.h"
#include "workbench/Workbench.h"

#include <QShortcut>
#include <QTimer>
#include <QWidget>

namespace {
constexpr int kPollMs = 100;
}

ReadAssignRunner::ReadAssignRunner(QWidget* window, Workbench& workbench, MainView& view,
                                   Prompter& prompter)
    : QObject(window), m_window(window), m_workbench(workbench), m_view(view), m_prompter(prompter),
      m_timer(new QTimer(this)), m_escape(new QShortcut(QKeySequence(Qt::Key_Escape), window)) {
    m_timer->setInterval(kPollMs);
    connect(m_timer, &QTimer::timeout, this, &ReadAssignRunner::poll);
    m_escape->setContext(Qt::WindowShortcut);
    m_escape->setEnabled(false);
    connect(m_escape, &QShortcut::activated, this, &ReadAssignRunner::cancel);
}

ReadAssignRunner::~ReadAssignRunner() {
    m_cancel = true;
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void ReadAssignRunner::start() {
    if (running()) {
        return;
    }
    const ReadSettings settings =
        ReadSettings::load(ProfileFile(m_workbench.settingsStore().settingsFile()));
    m_input = SheetReadJob::collect(m_workbench, settings);
    if (m_input.images.empty()) {
        m_prompter.tell(Msg::ReadNothingUnassigned);
        return;
    }
    SheetReadJob::tellBefore(m_input, m_prompter, m_languagesTold);
    m_cancel = false;
    m_done = 0;
    m_finished = false;
    m_workbench.setReading(true);
    m_view.setProgressRange(0, static_cast<int>(m_input.images.size()));
    m_view.setProgressPos(0);
    m_view.setStatusText(texts::readingStatus());
    m_escape->setEnabled(true);
    // The window's one pool: reading and the previews made ahead share its workers.
    WorkerPool& pool = m_workbench.pool();
    m_thread = std::thread([this, &pool] {
        m_results =
            SheetReadJob::run(m_input, &pool, m_cancel, [this](std::size_t n) { m_done = n; });
        m_finished = true;
    });
    m_timer->start();
}

void ReadAssignRunner::poll() {
    m_view.setProgressPos(static_cast<int>(m_done.load()));
    if (m_finished) {
        finish();
    }
}

void ReadAssignRunner::finish() {
    m_timer->stop();
    m_thread.join();
    m_escape->setEnabled(false);
    m_view.setStatusText(" ");
    m_view.setProgressPos(0);
    m_workbench.setReading(false);
    if (m_cancel) {
        return;
    }
    CReadAssignDlg dialog(m_results, ReadAssignment::presetChecks(m_results, m_input.read.minScore),
                          m_window);
    if (dialog.exec() == QDialog::Accepted) {
        ReadAssignment::apply(m_workbench, m_results, dialog.checks());
        m_workbench.refreshControlStates();
    }
}
