#pragma once

#include "base/Messages.h"

#include <optional>
#include <string>

// The checks the environment settings dialog makes on OK, on cp932 texts. Each returns the value
// to keep (normalised) or the message that refuses it.
namespace envcheck {

struct Checked {
    std::optional<Msg> refusal;
    std::string text; // the normalised text, when accepted
};

// "用紙判定のﾏｰｼﾞﾝ": full-width digits made half-width, blanks trimmed; digits only, 0 to 99.
Checked margin(const std::string& text);
// "ﾌｧｲﾙ名：" of the export: trimmed at both ends (leading blanks of both widths too in the agent
// type). Empty only when no export is made or the name is asked for at each export; never any
// of tab " * / : < > ? \ |.
Checked exportName(const std::string& text, int exportType, bool askForName);
// The page list of "ﾍﾟｰｼﾞ指定": full-width digits, "－" and "，" made half-width; items "n" or
// "a-b" joined by ",", every number 1 to 9999 (leading zeros allowed).
Checked pageList(const std::string& text);

} // namespace envcheck
