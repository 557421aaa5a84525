#pragma once

#include "workbench/SheetReadJob.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <thread>

class MainView;
class Prompter;
class QShortcut;
class QTimer;
class QWidget;
class WorkerPool;
class Workbench;

// "読取り割り当て..." for the main window: the unassigned images are read on a worker thread
// (itself spreading the work over the cores) while the window stays usable; the status bar's
// progress bar follows, and Esc cancels. When the reading is over the suggestions are shown for
// confirmation and the checked ones assigned, on the window's thread.
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
    // Made at the first reading and kept, so each worker's text engine is made once.
    std::unique_ptr<WorkerPool> m_pool;
    SheetReadJob::Input m_input;
    std::vector<ReadSuggestion> m_results;
    std::thread m_thread;
    std::atomic<bool> m_cancel{false};
    std::atomic<std::size_t> m_done{0};
    std::atomic<bool> m_finished{false};
    bool m_languagesTold = false;
};
