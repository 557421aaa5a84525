#pragma once

#include "template/Template.h"

#include <string>

// The main window's working state, owned for the life of the window. Texts are cp932.
struct WorkbenchState {
    // The current template: its file name ("<name>.tpl"; also the Template setting), the template
    // as read, and whether it was applied to the rename-list grid.
    std::string templateFile;
    Template currentTemplate;
    bool templateLoaded = false;
    // The names the template box lists, in its order.
    std::vector<std::string> templateNames;

    // Where images go under their new names; shown shortened in the storage folder field.
    std::string storageFolder;

    // Rename list: the rows, the current row, the row being edited and LoadedRowCount are kept by
    // RenameList on the rename-list grid. The list file name is shown in "CSVﾌｧｲﾙ：".
    bool renameListLoaded = false;
    std::string renameListFile;

    // Image list (the list itself lives in the image-list grid; its folder is the Scan setting).
    // The current image's file, type, pages and the preview on show are the preview pane's.
    bool imageFolderLoaded = false;
    bool loadingImages = false; // a folder is being listed
    int imageCount = 0;
    int currentImageRow = -1;
    bool areaCurrent = false;     // a magnified area is the current one
    bool areaDesignation = false; // "拡大ｴﾘｱ指定" is on
    bool reading = false;         // "読取り割り当て..." reads in the background

    // Work data.
    bool modified = false;
    bool workDataMode = false;
    std::string workDataName;

    // Registration agent installed (its programs can be started at execution).
    bool registrationAgentInstalled = false;
};
