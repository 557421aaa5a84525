#include "workbench/WorkDataCommands.h"

#include "app/SettingsStore.h"
#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "base/MainView.h"
#include "base/ProfileFile.h"
#include "base/Prompter.h"
#include "base/RegularFile.h"
#include "base/TextCodec.h"
#include "renamelist/ListCopy.h"
#include "renamelist/RenameListImport.h"
#include "renamelist/ShortenForDisplay.h"
#include "workbench/Ctl.h"
#include "workbench/Workbench.h"
#include "workbench/WorkbenchState.h"

#include <algorithm>

namespace {

constexpr std::size_t kNameBuffer = 256;

std::string u(const char* utf8) {
    return textcodec::utf8ToCp932(utf8);
}

bool containsEdd(const std::string& path) {
    return cp932::contains(cp932::toUpperAscii(path), ".EDD");
}

std::string withEdd(const std::string& path) {
    return containsEdd(path) ? path : path + ".edd";
}

FileDialogRequest dialogRequest(const char* titleUtf8, const std::string& folder,
                                const std::string& fileName) {
    FileDialogRequest request;
    request.title = u(titleUtf8);
    request.folder = folder;
    request.fileName = fileName;
    request.filter = u("作業ﾃﾞｰﾀﾌｧｲﾙ (*.edd)");
    request.defaultExtension = "edd";
    return request;
}

// The name part of a chosen path must hold something besides ".edd" and none of the single-byte
// characters a file name may not have.
bool acceptableName(const std::string& path) {
    const std::string name =
        cp932::replaceAll(cp932::toUpperAscii(files::fileName(path)), ".EDD", "");
    if (name.empty()) {
        return false;
    }
    for (char c : std::string_view("\t\"*/:<>?\\|")) {
        if (cp932::findChar(name, c) != std::string::npos) {
            return false;
        }
    }
    return true;
}

bool extensionListed(const std::string& fileName, const std::vector<std::string>& extensions) {
    const std::size_t dot = cp932::findLastChar(fileName, '.');
    if (dot == std::string::npos) {
        return false;
    }
    const std::string ext = fileName.substr(dot + 1);
    return std::any_of(extensions.begin(), extensions.end(),
                       [&ext](const std::string& e) { return cp932::equalsNoCase(e, ext); });
}

} // namespace

bool WorkDataCommands::isPlainName(const std::string& name) {
    return !name.empty() && cp932::findChar(name, '/') == std::string::npos &&
           cp932::findChar(name, '\\') == std::string::npos && !cp932::contains(name, "..");
}

bool WorkDataCommands::savable() const {
    return m_p.state.modified && m_p.state.templateLoaded && m_p.state.imageFolderLoaded &&
           m_p.workbench.templateBox().index() >= 0;
}

// ---- save ---------------------------------------------------------------------------------

WorkDataCommands::Saved WorkDataCommands::save() {
    return saveTo(false);
}

WorkDataCommands::Saved WorkDataCommands::saveAs() {
    const Saved saved = saveTo(true);
    if (saved == Saved::Written) {
        m_p.settings.saveMagnifiedAreas();
    }
    return saved;
}

WorkDataCommands::Saved WorkDataCommands::saveTo(bool chooseAlways) {
    WorkbenchState& s = m_p.state;
    if (!savable()) {
        return Saved::Refused;
    }
    RenameList& list = m_p.workbench.renameList().list();
    list.selectRow(std::max(list.currentListRow(), 1));
    if (!files::isDirectory(s.storageFolder)) {
        m_p.prompter.tell(Msg::WorkDataStorageFolderMissing);
        return Saved::Refused;
    }
    std::string path;
    if (!chooseAlways && !s.workDataName.empty()) {
        path = files::join(m_p.settings.settings().editDataPath, s.workDataName);
    } else {
        const std::string initial =
            chooseAlways && !s.workDataName.empty() ? s.workDataName : u("新規作業ﾃﾞｰﾀ");
        const auto chosen = chooseName(initial);
        if (!chosen) {
            return Saved::Cancelled;
        }
        path = *chosen;
    }
    if (!write(path)) {
        m_p.prompter.tell(Msg::WorkDataSaveFailed);
        m_p.workbench.refreshControlStates();
        return Saved::Failed;
    }
    s.workDataName = files::fileName(path);
    s.modified = false;
    m_p.workbench.refreshControlStates();
    return Saved::Written;
}

std::optional<std::string> WorkDataCommands::chooseName(const std::string& initial) {
    std::string& folder = m_p.settings.settings().editDataPath;
    for (;;) {
        const auto chosen = m_p.prompter.chooseSaveFile(
            dialogRequest("作業ﾃﾞｰﾀﾌｧｲﾙの保存", folder, withEdd(initial)));
        if (!chosen) {
            return std::nullopt;
        }
        if (cp932::charCount(*chosen) >= kNameBuffer) {
            m_p.prompter.tell(Msg::WorkDataNameTooLong);
            continue;
        }
        if (!acceptableName(*chosen)) {
            m_p.prompter.tell(Msg::WorkDataNameInvalid);
            continue;
        }
        folder = files::parentFolder(*chosen);
        return withEdd(*chosen);
    }
}

std::string WorkDataCommands::listCopyName(const std::string& eddPath) const {
    const std::string folder = files::parentFolder(eddPath);
    std::string previous;
    if (files::isRegularFile(eddPath)) {
        if (const auto old = WorkDataFile::read(eddPath)) {
            previous = old->csv;
        }
    }
    const auto usable = [&folder, &previous](const std::string& name) {
        return isPlainName(name) &&
               (cp932::equalsNoCase(name, previous) || !files::findNoCase(folder, name));
    };
    if (usable(m_p.state.renameListFile)) {
        return m_p.state.renameListFile;
    }
    std::string base = files::fileName(eddPath);
    const std::size_t dot = cp932::findLastChar(base, '.');
    base = dot == std::string::npos ? base : base.substr(0, dot);
    for (int n = 1;; ++n) {
        const std::string name = base + (n == 1 ? "" : "(" + std::to_string(n) + ")") + ".csv";
        if (usable(name)) {
            return name;
        }
    }
}

bool WorkDataCommands::write(const std::string& eddPath) {
    WorkbenchState& s = m_p.state;
    const std::string folder = files::parentFolder(eddPath);
    const std::string listName = listCopyName(eddPath);
    WorkDataFile::Content content;
    content.templateFile = s.templateFile;
    if (!cp932::contains(cp932::toUpperAscii(content.templateFile), ".TPL")) {
        content.templateFile += ".tpl";
    }
    content.csv = listName;
    content.imageFolder = s.imageFolderLoaded ? m_p.settings.settings().scanPath : std::string();
    content.records = m_p.workbench.assignmentCommands().list().records();

    // Both files are complete before either replaces what was there.
    const std::string listPath = files::join(folder, listName);
    const auto list =
        files::stageFile(listPath, ListCopy::compose(m_p.workbench.renameList().list()));
    const auto edd =
        list ? files::stageFile(eddPath, WorkDataFile::compose(content)) : std::nullopt;
    if (!list || !edd) {
        if (list) {
            files::discardStaged(*list);
        }
        return false;
    }
    if (!files::commitStaged(*list, listPath)) {
        files::discardStaged(*edd);
        return false;
    }
    if (!files::commitStaged(*edd, eddPath)) {
        return false;
    }
    s.renameListFile = listName;
    m_p.view.setControlText(id(Ctl::ListFileName),
                            ShortenForDisplay(listName, RenameListImport::kDisplayWidth));
    return true;
}

bool WorkDataCommands::openGiven(const std::string& path) {
    if (savable()) {
        switch (m_p.prompter.tell(Msg::WorkDataChangedQuestion)) {
        case Answer::Yes:
            if ((m_p.state.workDataName.empty() ? saveAs() : save()) != Saved::Written) {
                return false;
            }
            break;
        case Answer::No:
            break;
        default:
            return false;
        }
    }
    return load(path);
}

// ---- close --------------------------------------------------------------------------------

bool WorkDataCommands::confirmClose() {
    if (!savable()) {
        return true;
    }
    switch (m_p.prompter.tell(Msg::WorkDataChangedQuestion)) {
    case Answer::Yes: {
        const Saved saved = m_p.state.workDataName.empty() ? saveAs() : save();
        return saved == Saved::Written || saved == Saved::Cancelled;
    }
    case Answer::No:
        return true;
    default:
        return false;
    }
}

// ---- load ---------------------------------------------------------------------------------

bool WorkDataCommands::load(const std::optional<std::string>& given) {
    WorkbenchState& s = m_p.state;
    std::string& folder = m_p.settings.settings().editDataPath;
    std::optional<std::string> path = given;
    if (!path) {
        path = m_p.prompter.chooseOpenFile(dialogRequest("作業ﾃﾞｰﾀﾌｧｲﾙを開く", folder, {}));
        if (!path) {
            return false;
        }
    }
    const std::string eddPath = withEdd(*path);
    s.workDataMode = true;
    const bool enterAssigns = m_p.settings.settings().enterKeyAssign == 1;
    bool loaded = false;
    if (!files::isRegularFile(eddPath)) {
        if (!RegularFile::refused(eddPath, m_p.prompter)) {
            m_p.prompter.tell(Msg::WorkDataMissing);
        }
    } else {
        m_p.workbench.assignments().releaseAll();
        folder = files::parentFolder(eddPath);
        s.workDataName = files::fileName(eddPath);
        loaded = read(eddPath);
        if (loaded) {
            m_p.workbench.renameList().list().selectRow(1);
            s.modified = false;
        } else {
            s.workDataName.clear();
        }
        m_p.workbench.refreshControlStates();
    }
    s.workDataMode = false;
    if (enterAssigns) {
        m_p.view.focusControl(id(Ctl::RenameGrid));
    }
    return loaded;
}

bool WorkDataCommands::read(const std::string& eddPath) {
    const auto content = WorkDataFile::read(eddPath);
    if (!content || !isPlainName(content->templateFile)) {
        m_p.prompter.tell(Msg::WorkDataInvalid);
        return false;
    }
    if (!files::findNoCase(m_p.templateFolder, content->templateFile)) {
        m_p.prompter.tell(Msg::WorkDataTemplateMissing);
        return false;
    }
    if (!isPlainName(content->csv)) {
        m_p.prompter.tell(Msg::WorkDataInvalid);
        return false;
    }
    if (!files::findNoCase(files::parentFolder(eddPath), content->csv)) {
        m_p.prompter.tell(Msg::WorkDataListMissing);
        return false;
    }
    if (!content->imageFolder.empty()) {
        if (!files::isDirectory(content->imageFolder)) {
            m_p.prompter.tell(Msg::WorkDataImageFolderMissing);
            return false;
        }
        if (!m_p.workbench.imageList().scanner().checkFolder(content->imageFolder)) {
            return false;
        }
    }
    return readChecked(eddPath, *content);
}

bool WorkDataCommands::readChecked(const std::string& eddPath,
                                   const WorkDataFile::Content& content) {
    Workbench& wb = m_p.workbench;
    wb.assignments().releaseAll();
    std::string name = content.templateFile;
    if (cp932::endsWithNoCase(name, ".tpl")) {
        name.resize(name.size() - 4);
    }
    if (!wb.templateBox().selectByName(name) ||
        !cp932::equalsNoCase(m_p.state.currentTemplate.name, name) || !m_p.state.templateLoaded) {
        m_p.prompter.tell(Msg::TemplateReadFailed);
        return false;
    }
    std::string imageFolder = m_p.settings.settings().scanPath;
    if (!content.imageFolder.empty()) {
        if (!wb.imageList().loadFolder(content.imageFolder)) {
            return false;
        }
        imageFolder = content.imageFolder;
    }
    const std::string listPath = files::join(
        files::parentFolder(eddPath),
        files::findNoCase(files::parentFolder(eddPath), content.csv).value_or(content.csv));
    if (!wb.renameList().loadCopy(listPath)) {
        return false;
    }
    m_p.state.renameListFile = content.csv;
    restoreAssignments(content, imageFolder);
    wb.imageList().selectFirst();
    return true;
}

void WorkDataCommands::restoreAssignments(const WorkDataFile::Content& content,
                                          const std::string& imageFolder) {
    AssignmentCommands& assignments = m_p.workbench.assignmentCommands();
    const std::vector<std::string> extensions =
        m_p.workbench.imageList().imageSettings().extensions;
    std::vector<CAssignInfo> restored;
    for (const CAssignInfo& r : content.records) {
        const int row = ProfileFile::parseInt(r.rowKey);
        const bool taken = std::any_of(restored.begin(), restored.end(), [&r](const auto& x) {
            return cp932::equalsNoCase(x.fileName, r.fileName);
        });
        if (taken || !assignments.rules().isCompleteRow(row) || !isPlainName(r.fileName) ||
            !extensionListed(r.fileName, extensions) ||
            !files::isRegularFile(files::join(imageFolder, r.fileName))) {
            continue;
        }
        CAssignInfo record = r;
        record.rowKey = std::to_string(row);
        restored.push_back(record);
    }
    assignments.restore(restored);
}
