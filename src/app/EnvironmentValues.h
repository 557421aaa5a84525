#pragma once

#include "app/Settings.h"

#include <optional>
#include <string>

// The values the environment dialog edits, as a plain struct: the store fills it before the
// dialog opens and writes it back when the dialog is confirmed.
struct EnvironmentValues {
    int exportType = 0;
    int expanPreview = 0;
    int loadPreview = 0;
    std::string margin; // as text, the way the dialog's field holds it
    int autoCursol = 0;
    int addText = 0;
    int initDateType = 0;
    std::optional<Date> initDate; // empty when the stored value is not a calendar date
    std::string targetExt;
    int dispInputDlg = 1;
    std::string exportFilename;
    int exportSelectFolder = 0;
    std::string exportSelectFolderPath;
    int enterKeyAssign = 0;
    int prevPage = 0;
    std::string prevPageSelect;
    bool exportAddConse = true;
    int expanPrevMemory = 0;
    int renameOverwrite = 0;
    bool displayFileExistCheck = false;
};
