#include "base/Prompter.h"

Answer Prompter::tell(Msg id, std::initializer_list<std::string_view> args) {
    const Message& m = message(id);
    return showMessage(fillPlaceholders(m.text, args), m.caption, m.icon, m.buttons);
}
