#pragma once

#include "workbench/SheetReadJob.h"

#include <QObject>

#include <atomic>
#include <thread>

class MainView;
class Prompter;
class QShortcut;
class QTimer;
class QWidget;
class Workbench;

// "読取り割り当て..." for the main window: the unassigned images are read on a worker thread
// (itself spreading the work over the window's worker pool, whose workers keep their text engines
// from one reading to the next) while the window stays usable; the status bar's progress bar
// follows, and Esc cancels. When the reading is over the suggestions are shown for confirmation
// and the checked ones assigned, on the window's thread.
class ReadAssignRunner : public QObject {
    Q_OBJECT

public:
    ReadAssignRunner(QWidget* window, Workbench& workbench, MainView& view, Prompter& prompter);
    ~ReadAssignRunner() override;

    void start();
    bool running() const { return m_thread.joinable(); }
    void cancel() { m_cancel = true; }

private:
    void poll();
    void finish();

    QWidget* m_window;
    Workbench& m_workbench;
    MainView& m_view;
    Prompter& m_prompter;
    QTimer* m_timer;
    QShortcut* m_escape;
    SheetReadJob::Input m_input;
    std::vector<ReadSuggestion> m_results;
    std::thread m_thread;
    std::atomic<bool> m_cancel{false};
    std::atomic<std::size_t> m_done{0};
    std::atomic<bool> m_finished{false};
    bool m_languagesTold = false;
};
