#include "base/Prompter.h"

Answer Prompter::tell(Msg id, std::initializer_list<std::string_view> args) {
    const Message& m = message(id);
    return showMessage(fillPlaceholders(m.text, args), m.caption, m.icon, m.buttons);
}

Answer Prompter::tellWithLines(Msg id, const std::vector<std::string>& lines) {
    const Message& m = message(id);
    std::string text = m.text;
    for (const std::string& line : lines) {
        text += "\r\n";
        text += line;
    }
    return showMessage(text, m.caption, m.icon, m.buttons);
}
