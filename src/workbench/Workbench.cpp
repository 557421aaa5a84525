#include "workbench/Workbench.h"

#include "app/AppContext.h"
#include "app/HelpLauncher.h"
#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "base/MainView.h"
#include "execute/RunJournals.h"
#include "workbench/Cmd.h"
#include "workbench/ControlStates.h"
#include "workbench/Ctl.h"
#include "workbench/DialogHost.h"
#include "workbench/PreviewApplicationChooser.h"

#include <initializer_list>

namespace {

std::string templateFolderOf(AppContext& context) {
    return files::join(context.paths.dataFolder(), "template");
}

// The start-up request names a template by its file; the box lists it by its name.
std::string templateNameOf(const std::string& path) {
    std::string name = files::fileName(path);
    if (cp932::endsWithNoCase(name, ".tpl")) {
        name.resize(name.size() - 4);
    }
    return name;
}

} // namespace

Workbench::Workbench(AppContext& context, Seams seams)
    : m_context(context), m_seams(seams),
      m_settings(context.paths.settingsFilePath(), context.paths.dataFolder()),
      m_renameList(RenameListCommands::Parts{*this, m_state, m_settings.settings(), m_renameGrid,
                                             m_imageGrid, seams.view, seams.prompter, seams.dialogs,
                                             m_assignments}),
      m_imageList(ImageListCommands::Parts{
          *this, m_state, m_settings, m_imageGrid, m_renameGrid, seams.view, seams.prompter,
          seams.dialogs, m_assignments, context.paths.dataFolder(), context.paths.programFolder()}),
      m_pane(
          PreviewPane::Seams{seams.view, seams.prompter, seams.display, m_imageGrid, m_imageList}),
      m_templateBox(TemplateBox::Parts{m_state, m_settings.settings(), m_renameList.list(),
                                       seams.view, seams.list, seams.prompter, m_assignments},
                    TemplateFolder(templateFolderOf(context), context.paths.dataFolder())),
      m_placement(m_settings),
      m_assignmentCommands(AssignmentCommands::Parts{*this, m_state, m_settings.settings(),
                                                     m_renameList.list(), m_imageGrid, seams.view,
                                                     seams.prompter}),
      m_workData(WorkDataCommands::Parts{*this, m_state, m_settings, seams.view, seams.prompter,
                                         templateFolderOf(context)}),
      m_magAreas(MagAreaCommands::Parts{*this, m_state, m_settings, m_pane, seams.view,
                                        seams.dialogs, seams.areaView}),
      m_environment(EnvironmentCommand::Parts{*this, m_state, m_settings, m_magAreas, m_imageList,
                                              seams.view, seams.prompter, seams.dialogs}),
      m_runUndo(RunUndoCommands::Parts{seams.prompter, m_fileChanges,
                                       runjournals::folderOf(context.paths.dataFolder()),
                                       [this] { relistAfterUndo(); }, m_renameList.list(),
                                       m_assignments, m_state, m_settings.settings(),
                                       [this] {
                                           m_state.modified = true;
                                           refreshControlStates();
                                       }}) {
    m_assignments.setTarget(m_assignmentCommands);
    m_pane.setObserver(&m_magAreas);
    m_pane.setPrefetch(&m_prefetch);
    buildCommandTable();
}

void Workbench::buildCommandTable() {
    m_commands.add(id(Cmd::Exit), [this] { m_seams.dialogs.closeWindow(); });
    m_commands.add(id(Cmd::Help), [this] { help(); });
    m_commands.add(id(Cmd::Version), [this] { version(); });
    m_commands.add(id(Cmd::TemplateEditor), [this] { templateEditor(); });
    m_commands.add(id(Cmd::InsertRow), [this] { m_renameList.insertRow(); });
    m_commands.add(id(Cmd::DeleteRow), [this] { m_renameList.deleteRow(); });
    m_commands.add(id(Cmd::DeleteImages), [this] { m_imageList.deleteSelected(); });
    m_commands.add(id(Ctl::LoadRenameList), [this] { m_renameList.load(std::nullopt); });
    m_commands.add(id(Ctl::LoadImages), [this] { m_imageList.loadFolder(std::nullopt); });
    m_commands.add(id(Ctl::ReloadImages), [this] { m_imageList.reload(); });
    for (Ctl c : {Ctl::FirstPage, Ctl::PreviousPage, Ctl::NextPage, Ctl::LastPage}) {
        m_commands.add(id(c), [this, c] { pageCommand(id(c)); });
    }
    m_commands.add(id(Ctl::OpenWithApplication), [this] { openWithApplication(); });
    m_commands.add(id(Ctl::EditImage), [this] {
        if (m_pane.editImage(m_seams.dialogs, m_settings.settings().noiseErase)) {
            refreshControlStates();
        }
    });
    m_commands.add(id(Ctl::Assign), [this] { m_assignmentCommands.assign(); });
    m_commands.add(id(Ctl::Release), [this] { m_assignmentCommands.release(); });
    m_commands.add(id(Ctl::BatchAssign), [this] { m_assignmentCommands.batchAssign(); });
    m_commands.add(id(Ctl::BatchRelease), [this] { m_assignmentCommands.batchRelease(); });
    m_commands.add(id(Ctl::LoadWorkData), [this] { m_workData.load(std::nullopt); });
    m_commands.add(id(Cmd::SaveWorkData), [this] { m_workData.save(); });
    m_commands.add(id(Cmd::SaveWorkDataAs), [this] { m_workData.saveAs(); });
    m_commands.add(id(Ctl::Execute), [this] { execute(); });
    m_commands.add(id(Cmd::UndoLastRun), [this] {
        m_runUndo.undoLast();
        refreshControlStates();
    });
    m_commands.add(id(Cmd::ReadAssign), [this] { m_seams.dialogs.runReadAssignment(); });
    m_commands.add(id(Ctl::DesignateArea), [this] { m_magAreas.toggleDesignation(); });
    for (Cmd c : {Cmd::OriginTopLeft, Cmd::OriginTopRight, Cmd::OriginBottomLeft,
                  Cmd::OriginBottomRight, Cmd::OriginFree}) {
        m_commands.add(id(c),
                       [this, c] { m_magAreas.chooseOrigin(id(c) - id(Cmd::OriginTopLeft)); });
    }
    m_commands.add(id(Cmd::Environment), [this] { m_environment.run(); });
}

void Workbench::open() {
    MainView& view = m_seams.view;
    m_state.storageFolder = files::join(m_context.paths.dataFolder(), "rename");
    m_state.registrationAgentInstalled = m_settings.loadAtOpening(m_context.paths.registry());
    m_magAreas.load();

    m_templateBox.fillAtStart();

    RenameList& list = m_renameList.list();
    list.setRedraw(false);
    list.renumber();
    list.setRedraw(true);

    view.enableControl(id(Cmd::SaveWorkData), false);
    view.enableControl(id(Cmd::SaveWorkDataAs), false);
    view.showControl(id(Ctl::ReferenceValues), false);
    view.enableControl(id(Ctl::ReferenceValues), false);
    view.showControl(id(Ctl::Dummy), false);
    view.setStatusText(" ");
    view.setProgressRange(0, 100);
    view.setProgressPos(0);
    view.setDefaultButton(defaultButton());
    imageSettingsChanged();
    m_pane.clear();
    m_runUndo.lookUp();
    refreshControlStates();
}

ExecuteCommand Workbench::executeCommand() {
    return ExecuteCommand(
        {m_state, m_settings.settings(), m_renameList.list(), m_imageGrid, m_seams.view,
         m_seams.prompter, *m_executeDialogs, m_fileChanges, m_launcher,
         [this] {
             std::vector<RenamePlan::Record> records;
             for (const CAssignInfo& r : m_assignmentCommands.list().records()) {
                 records.push_back({r.rowKey, r.fileName});
             }
             return records;
         },
         [this] { m_assignmentCommands.releaseAll(); }, [this] { m_imageList.relistAfterRun(); },
         runjournals::folderOf(m_context.paths.dataFolder())});
}

void Workbench::execute() {
    m_seams.view.enableControl(id(Ctl::Execute), false);
    m_lastRun = executeCommand().execute();
    if (m_lastRun && !m_lastRun->journal.empty()) {
        m_runUndo.ranOnOpenList(m_lastRun->journal);
    }
    m_runUndo.lookUp();
    refreshControlStates();
}

void Workbench::relistAfterUndo() {
    if (m_state.imageFolderLoaded) {
        m_imageList.relistAfterRun();
    }
}

void Workbench::imageSettingsChanged() {
    const ImageSettings settings = m_imageList.imageSettings();
    m_pane.setSettings(settings, m_settings.settings().tiffExpanMode);
    m_prefetch.setSettings(settings);
}

WorkerPool& Workbench::pool() {
    if (!m_pool) {
        m_pool =
            std::make_unique<WorkerPool>(WorkerPool::threadsFor(m_settings.settings().threads));
    }
    return *m_pool;
}

void Workbench::setPreviewsMade(bool made) {
    m_previewsMade = made;
    m_pane.setPrefetch(made ? &m_prefetch : nullptr);
}

void Workbench::pageCommand(int id) {
    m_magAreas.beforePageChange();
    if (m_pane.pageCommand(id)) {
        refreshControlStates();
    }
}

void Workbench::openWithApplication() {
    m_pane.openWithApplication(m_launcher, m_seams.requester, PreviewApplicationChooser());
}

bool Workbench::launchEnded(int message, std::unique_ptr<LaunchAttachment> attachment) {
    if (message != ProgramLauncher::kImageEdited) {
        return false;
    }
    m_pane.applicationEnded(std::move(attachment));
    refreshControlStates();
    return true;
}

void Workbench::previewResized() {
    m_pane.resized();
}

void Workbench::actOnStartupRequest() {
    m_runUndo.recoverAtStart();
    refreshControlStates();
    const StartupRequest& request = m_context.request;
    if (request.templateGiven) {
        m_templateBox.selectByName(templateNameOf(request.templatePath));
        refreshControlStates();
    }
    if (request.imageFolderGiven) {
        m_imageList.loadFolder(request.imageFolderPath);
    }
    if (request.renameListGiven) {
        m_renameList.load(request.renameListPath);
    }
    if (request.workDataGiven) {
        m_workData.openGiven(request.workDataPath);
    }
}

bool Workbench::command(int id) {
    return m_commands.run(id);
}

void Workbench::templateBoxFocused() {
    m_templateBox.refresh();
}

void Workbench::templateListWanted() {
    m_templateBox.refresh();
}

void Workbench::templateSelected(int index) {
    m_templateBox.selectionChanged(index);
    const bool canSave = m_state.modified && m_state.templateLoaded && m_state.imageFolderLoaded;
    m_seams.view.enableControl(id(Cmd::SaveWorkData), canSave);
    m_seams.view.enableControl(id(Cmd::SaveWorkDataAs), canSave);
}

void Workbench::updateControlStates(bool busy) {
    ControlStateInput in;
    in.busy = busy;
    in.assignment = m_assignments.availability();
    in.assignmentCount = m_assignments.count();
    const PreviewPaneState& pane = m_pane.state();
    in.imageType = pane.extension;
    in.imageCount = m_state.imageCount;
    in.currentImageRow = m_state.currentImageRow;
    in.pageCount = pane.pageCount;
    in.previewCount = pane.previewCount;
    in.previewNumber = pane.previewNumber;
    in.areaCurrent = m_state.areaCurrent;
    in.imageFolderLoaded = m_state.imageFolderLoaded;
    in.modified = m_state.modified;
    in.templateSelected = m_templateBox.index() >= 0 && m_state.templateLoaded;
    in.templatesExist = !m_state.templateNames.empty();
    in.areaDesignation = m_state.areaDesignation;
    ControlStates::apply(m_seams.view, in);
    m_seams.view.enableControl(id(Cmd::UndoLastRun), !busy && m_runUndo.available());
    m_seams.view.enableControl(id(Cmd::ReadAssign),
                               !busy && !m_state.reading &&
                                   m_imageGrid.rows() > m_imageGrid.fixedRows() &&
                                   m_renameList.list().hasColumns());
}

int Workbench::magViewCount() const {
    return m_settings.settings().expanPreview == 1 ? 2 : 1;
}

int Workbench::defaultButton() const {
    return m_settings.settings().enterKeyAssign == 1 ? id(Ctl::Assign) : id(Ctl::Dummy);
}

void Workbench::help() {
    openHelp(m_launcher, m_seams.requester, m_context.paths.programFolder(), m_seams.prompter,
             [this](const std::string& html) { m_seams.dialogs.showGuide(html); });
}

void Workbench::version() {
    m_launcher.modal() = true;
    m_seams.dialogs.runVersionDialog();
    m_launcher.modal() = false;
}

void Workbench::templateEditor() {
    m_launcher.modal() = true;
    const bool edited = m_seams.dialogs.runTemplateEditor(templateNameOf(m_state.templateFile));
    m_launcher.modal() = false;
    // An edited current template takes effect when it is selected again; otherwise the box is
    // listed anew (templates may have been added, copied or deleted) without reloading.
    if (!edited) {
        m_templateBox.refresh();
    }
}

bool Workbench::requestClose(const WindowRect& rect, bool maximized) {
    m_settings.saveAll();
    if (!m_workData.confirmClose()) {
        return false;
    }
    m_templateBox.saveWidths();
    m_settings.saveMagnifiedAreas();
    m_settings.saveSizeMemory();
    m_placement.closing(rect, maximized);
    m_imageList.cleanTemp();
    return true;
}
