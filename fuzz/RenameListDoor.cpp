// The rename list door: a template and a list file, read and applied as the list check of the
// command-line companion and the main window's list import do. The input is the template's bytes,
// a NUL byte, then the list's bytes; an input without a NUL byte is a list read with a small
// template of four columns.

#include "FuzzScratch.h"

#include "app/Settings.h"
#include "base/CellGrid.h"
#include "base/RecordingMainView.h"
#include "base/ScriptedPrompter.h"
#include "renamelist/AssignmentList.h"
#include "renamelist/RenameList.h"
#include "renamelist/RenameListImport.h"
#include "renamelist/RenameListLoader.h"
#include "template/TemplateFolder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

constexpr std::string_view kFallbackTemplate =
    "[ROWINFO]\r\nNAME=No\tName\tDate\tSize\t\r\nTYPE=2,1,4,3,\r\nLOAD=1,2,3,4,\r\n"
    "FILENAME=1,1,0,0,\r\nSORT1=0,1,0,0,\r\nSORT2=0,0,1,0,\r\nDISP=0,0,0,0,\r\n"
    "REPLACE=0\r\nBEAMS1=4,5,\r\nBEAMS2=0,2,\r\n";

Date fixedToday() {
    return {2024, 2, 29};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = input.find('\0');
    const std::string_view templateBytes =
        cut == std::string_view::npos ? kFallbackTemplate : input.substr(0, cut);
    const std::string_view listBytes =
        cut == std::string_view::npos ? input : input.substr(cut + 1);

    const FuzzScratch& scratch = FuzzScratch::instance();
    const std::string templatePath = scratch.write("door.tpl", templateBytes);
    const std::string listPath = scratch.write("door.csv", listBytes);
    const auto t = TemplateFolder::readTemplateFile(templatePath, scratch.folder());
    if (!t) {
        return 0;
    }
    CellGrid grid;
    RenameList list(grid);
    list.applyTemplate(*t);
    AssignmentList assignments;
    RecordingMainView view;
    ScriptedPrompter prompter;
    prompter.setAgreeByDefault(true);
    const Settings settings;
    RenameListLoader loader(list, assignments, view, prompter, settings, fixedToday);
    RenameListImport import(prompter, loader, assignments);
    import.load(listPath);
    // The same bytes once more as the list copy of work data, field k to column k.
    loader.LoadRenameList(listPath, true);
    loader.finish(true);
    return 0;
}
