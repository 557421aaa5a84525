#include "execute/RenameName.h"

#include "app/Settings.h"
#include "execute/RenameNames.h"
#include "execute/RunLists.h"

std::string RenameName::forCheck(const RenameList& list, const Template& t, int row,
                                 int exportType) {
    Settings settings;
    settings.exportType = exportType;
    return RenameNameForCheck(t, runlists::rowCells(list, row), settings);
}
