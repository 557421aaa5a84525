#include "execute/ExecuteTexts.h"

#include "base/TextCodec.h"

namespace executetexts {

std::string fileNameCaption() {
    return textcodec::utf8ToCp932("ﾌｧｲﾙ名の入力");
}
std::string fileNameExportLine1() {
    return textcodec::utf8ToCp932("ﾘﾈｰﾑ処理と同時にCSV形式のﾌｧｲﾙを出力します。");
}
std::string fileNameExportLine2() {
    return textcodec::utf8ToCp932("ﾌｧｲﾙ名を指定してください。");
}
std::string fileNameRenameLine1() {
    return textcodec::utf8ToCp932("ﾌｧｲﾙ名を指定してください。");
}
std::string fileNameRenameLine2() {
    return textcodec::utf8ToCp932("※Ledgra形式の場合は、ﾌｧｲﾙ名形式が規定されています。");
}
std::string fileNameLabel() {
    return textcodec::utf8ToCp932("ﾌｧｲﾙ名：");
}
std::string overwriteCaption() {
    return textcodec::utf8ToCp932("確認");
}
std::string overwriteText() {
    return textcodec::utf8ToCp932("ﾌｧｲﾙ出力先ﾌｫﾙﾀﾞに以下のﾌｧｲﾙが既に存在します。上書きしますか?");
}
std::string yesButton() {
    return textcodec::utf8ToCp932("はい(&Y)");
}
std::string noButton() {
    return textcodec::utf8ToCp932("いいえ(&N)");
}
std::string cancelButton() {
    return textcodec::utf8ToCp932("ｷｬﾝｾﾙ");
}

std::string refusedRowLine() {
    return textcodec::utf8ToCp932("No %s");
}
std::string takenRowLine() {
    return textcodec::utf8ToCp932("No %s （No %s と同じ %s）");
}

} // namespace executetexts
