#pragma once

#include <string>

// The fixed texts of the rename run's dialogs, in cp932.
namespace executetexts {

std::string fileNameCaption();     // the file name dialog's caption
std::string fileNameExportLine1(); // export mode, first line
std::string fileNameExportLine2();
std::string fileNameRenameLine1(); // rename mode, first line
std::string fileNameRenameLine2();
std::string fileNameLabel(); // before the edit field
std::string overwriteCaption();
std::string overwriteText(); // above the list of paths
std::string yesButton();
std::string noButton();
std::string cancelButton();
// A line of the notice of rows that are not written: "No %s" with the row, and for a row whose
// file an earlier row writes, that row and the file's name.
std::string refusedRowLine();
std::string takenRowLine();

} // namespace executetexts
