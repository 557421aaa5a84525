#include "renamelist/RenameListTexts.h"

#include "base/TextCodec.h"

namespace RenameListTexts {

const std::string& noHeader() {
    static const std::string text = "No.";
    return text;
}

const std::string& assignHeader() {
    static const std::string text = textcodec::utf8ToCp932("割り当て");
    return text;
}

const std::string& loadingStatus() {
    static const std::string text = textcodec::utf8ToCp932("只今、ﾘﾈｰﾑﾘｽﾄを読込んでいます。");
    return text;
}

const std::string& openDialogTitle() {
    static const std::string text = textcodec::utf8ToCp932("ﾘﾈｰﾑﾘｽﾄﾌｧｲﾙを開く");
    return text;
}

const std::string& openDialogFilter() {
    static const std::string text = textcodec::utf8ToCp932("ﾘﾈｰﾑﾘｽﾄﾌｧｲﾙ (*.csv)");
    return text;
}

} // namespace RenameListTexts
