#pragma once

#include <string>

// Fixed texts of the rename list that are not message boxes, in cp932.
namespace RenameListTexts {

const std::string& noHeader();        // "No."
const std::string& assignHeader();    // "割り当て"
const std::string& loadingStatus();   // "只今、ﾘﾈｰﾑﾘｽﾄを読込んでいます。"
const std::string& openDialogTitle(); // "ﾘﾈｰﾑﾘｽﾄﾌｧｲﾙを開く"
const std::string& openDialogFilter(); // "ﾘﾈｰﾑﾘｽﾄﾌｧｲﾙ (*.csv)"

} // namespace RenameListTexts
