#pragma once

#include "app/ProgramLauncher.h"
#include "app/SettingsStore.h"
#include "base/CellGrid.h"
#include "base/WorkerPool.h"
#include "execute/PosixFileChanges.h"
#include "execute/ScriptedExecuteDialogs.h"
#include "workbench/AssignmentCommands.h"
#include "workbench/AssignmentRelay.h"
#include "workbench/CommandTable.h"
#include "workbench/EnvironmentCommand.h"
#include "workbench/ExecuteCommand.h"
#include "workbench/ImageListCommands.h"
#include "workbench/MagAreaCommands.h"
#include "workbench/PreviewPane.h"
#include "workbench/PreviewPrefetch.h"
#include "workbench/RenameListCommands.h"
#include "workbench/RunUndoCommands.h"
#include "workbench/TemplateBox.h"
#include "workbench/WindowPlacement.h"
#include "workbench/WorkDataCommands.h"
#include "workbench/WorkbenchState.h"

#include <memory>

struct AppContext;
struct LaunchAttachment;
class DialogHost;
class LaunchRequester;
class ListBoxView;
class MagAreaView;
class MainView;
class PreviewDisplay;
class Prompter;

// The main window's state and command handlers, without a screen. It owns the working state, the
// rename-list and image-list grids with the rename list and the image list on them, the preview
// pane and the settings for the life of the window, and talks to the window only through
// MainView, ListBoxView, PreviewDisplay and DialogHost, to the operator through Prompter.
class Workbench {
public:
    struct Seams {
        MainView& view;
        ListBoxView& list;
        Prompter& prompter;
        DialogHost& dialogs;
        LaunchRequester& requester;
        PreviewDisplay& display;
        MagAreaView& areaView;
    };

    Workbench(AppContext& context, Seams seams);
    Workbench(const Workbench&) = delete;
    Workbench& operator=(const Workbench&) = delete;

    // Opening, once the window's controls exist: settings, template box, grids, save commands,
    // default button and the first control states.
    void open();
    // Where the window goes at first (after open()), given its outer design size.
    StartPlacement startPlacement(WindowSize design) { return m_placement.atStart(design); }
    // The start-up request, once the window is shown: template, image folder, rename list, work
    // data.
    void actOnStartupRequest();

    // The assignment list the rename list, the image list and the template box consult: the
    // window's own unless another is put in its place.
    void setAssignments(AssignmentPort& assignments) { m_assignments.setTarget(assignments); }
    AssignmentPort& assignments() { return m_assignments; }
    AssignmentCommands& assignmentCommands() { return m_assignmentCommands; }
    WorkDataCommands& workData() { return m_workData; }

    // Menu items, accelerators and buttons; false when the id is no command.
    bool command(int id);
    const CommandTable& commands() const { return m_commands; }

    // The completion message of a watched launch made for this window (0x464: the application
    // opened for the current image has ended). False when the message is not the window's.
    bool launchEnded(int message, std::unique_ptr<LaunchAttachment> attachment);
    // The window laid its controls out anew: the preview's metrics follow.
    void previewResized();
    // The settings of measuring and previews changed (at opening, after the environment
    // settings were confirmed): the preview pane takes them.
    void imageSettingsChanged();

    // The worker pool of the window (WORK/Threads), made when first needed.
    WorkerPool& pool();
    PreviewPrefetch& prefetch() { return m_prefetch; }
    // A window without a screen makes no preview file: the list's flags are found out in a
    // scratch folder, the pane only measures, nothing is made ahead. Before open().
    void setPreviewsMade(bool made);
    bool previewsMade() const { return m_previewsMade; }

    // The template box is listed again when it gets the focus, when its drop-down opens and when
    // the template folder changed; never on a repaint, which may come often.
    void templateBoxFocused();
    void templateListWanted();
    void templateSelected(int index);

    // The control-state routine; busy disables every control that starts work.
    void updateControlStates(bool busy);
    // The control states as the window stands: busy while an image folder is listed and while
    // the magnified areas are designated. The help viewer, an application opened for a scan and
    // the modal dialogs set the launcher's modal and running flags, which leave the controls to
    // their rules.
    void refreshControlStates() {
        updateControlStates(m_state.loadingImages || m_state.areaDesignation);
    }

    // The background reading of "読取り割り当て..." started or ended; its menu item waits.
    void setReading(bool on) {
        m_state.reading = on;
        refreshControlStates();
    }

    WindowPlacement& placement() { return m_placement; }
    // Closing: true when the window may close (the settings written, changed work data saved or
    // given up by the operator, the widths written and the rectangle stored unless maximised).
    bool requestClose(const WindowRect& rect, bool maximized);

    CellGrid& renameGrid() { return m_renameGrid; }
    Prompter& prompter() { return m_seams.prompter; }
    CellGrid& imageGrid() { return m_imageGrid; }
    RenameListCommands& renameList() { return m_renameList; }
    ImageListCommands& imageList() { return m_imageList; }
    PreviewPane& pane() { return m_pane; }
    MagAreaCommands& magAreas() { return m_magAreas; }
    const WorkbenchState& state() const { return m_state; }
    SettingsStore& settingsStore() { return m_settings; }
    TemplateBox& templateBox() { return m_templateBox; }
    ProgramLauncher& launcher() { return m_launcher; }
    // Number of magnified previews the pane shows (1 or 2).
    int magViewCount() const;
    // The button Enter presses: "割り当て" when EnterKeyAssign is on, else the hidden "ダミー".
    int defaultButton() const;

    // The dialogs of "実行" (the file name dialog, the overwrite list). Until a window gives its
    // own, the export name is the preset, no other name is given and nothing is overwritten.
    void setExecuteDialogs(ExecuteDialogs& dialogs) { m_executeDialogs = &dialogs; }
    // "実行" as the button runs it, and its dry run (no file touched).
    ExecuteCommand executeCommand();
    // What the last "実行" did; nothing when its checks stopped it or it never ran.
    const std::optional<RenameRun::Outcome>& lastRun() const { return m_lastRun; }
    RunUndoCommands& runUndo() { return m_runUndo; }

private:
    void buildCommandTable();
    void pageCommand(int id);
    void openWithApplication();
    void help();
    void version();
    void execute();
    void relistAfterUndo();
    void templateEditor();

    AppContext& m_context;
    Seams m_seams;
    WorkbenchState m_state;
    SettingsStore m_settings;
    CellGrid m_renameGrid;
    CellGrid m_imageGrid;
    AssignmentRelay m_assignments;
    RenameListCommands m_renameList;
    ImageListCommands m_imageList;
    PreviewPane m_pane;
    TemplateBox m_templateBox;
    WindowPlacement m_placement;
    ProgramLauncher m_launcher;
    AssignmentCommands m_assignmentCommands;
    WorkDataCommands m_workData;
    MagAreaCommands m_magAreas;
    EnvironmentCommand m_environment;
    CommandTable m_commands;
    PosixFileChanges m_fileChanges;
    ScriptedExecuteDialogs m_presetDialogs;
    ExecuteDialogs* m_executeDialogs = &m_presetDialogs;
    std::optional<RenameRun::Outcome> m_lastRun;
    RunUndoCommands m_runUndo;
    bool m_previewsMade = true;
    PreviewPrefetch m_prefetch{[this]() -> WorkerPool& { return pool(); }};
    // Last, so that it goes first: its threads are joined before anything a job reads goes.
    std::unique_ptr<WorkerPool> m_pool;
};
