#include "renamelist/RenameListImport.h"

#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "base/Prompter.h"
#include "base/RegularFile.h"
#include "renamelist/AssignmentQueries.h"
#include "renamelist/RenameListLoader.h"
#include "renamelist/RenameListTexts.h"
#include "renamelist/ShortenForDisplay.h"

std::string RenameListImport::completeExtension(const std::string& path) {
    if (cp932::contains(cp932::toUpperAscii(path), ".CSV")) {
        return path;
    }
    return path + ".csv";
}

RenameListImport::Choice RenameListImport::choose(const std::string& lastFolder,
                                                  const std::optional<std::string>& given) {
    std::optional<std::string> path = given;
    if (!path) {
        FileDialogRequest request;
        request.title = RenameListTexts::openDialogTitle();
        request.folder = lastFolder;
        request.filter = RenameListTexts::openDialogFilter();
        path = m_prompter.chooseOpenFile(request);
        if (!path) {
            return {};
        }
    }
    Choice choice;
    choice.path = completeExtension(*path);
    const auto found = files::findFileNoCase(choice.path);
    if (!found) {
        // A FIFO, a device or a folder of that name is named as what it is, and never opened.
        const std::string folder = files::parentFolder(choice.path);
        const auto entry = files::findNoCase(folder, files::fileName(choice.path));
        if (!entry || !RegularFile::refused(files::join(folder, *entry), m_prompter)) {
            m_prompter.tell(Msg::RenameListMissing);
        }
        choice.outcome = Choice::Missing;
        return choice;
    }
    choice.path = *found;
    choice.outcome = Choice::Chosen;
    return choice;
}

RenameListImport::Imported RenameListImport::load(const std::string& path) {
    m_assignments.releaseAll();
    Imported imported;
    imported.folder = files::parentFolder(path);
    imported.opened = m_loader.LoadRenameList(path, false);
    m_loader.finish(false);
    imported.fileName = files::fileName(path);
    imported.displayName = ShortenForDisplay(imported.fileName, kDisplayWidth);
    return imported;
}
