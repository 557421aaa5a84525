#include "execute/ScriptedExecuteDialogs.h"

std::optional<std::string> ScriptedExecuteDialogs::inputFileName(NameMode mode,
                                                                 const std::string& preset,
                                                                 const NameCheck& accept) {
    Shown shown{mode, preset, {}, std::nullopt};
    std::deque<TypedName>& names = queue(mode);
    if (names.empty() && mode == NameMode::Export) {
        names.push_back(preset);
    }
    while (!names.empty()) {
        TypedName name = std::move(names.front());
        names.pop_front();
        if (accept(name)) {
            shown.result = std::move(name);
            break;
        }
    }
    m_shown.push_back(shown);
    return shown.result;
}

bool ScriptedExecuteDialogs::confirmOverwrite(const std::vector<std::string>& paths) {
    m_shown.push_back({NameMode::Export, {}, paths, std::nullopt});
    return m_overwrite;
}
