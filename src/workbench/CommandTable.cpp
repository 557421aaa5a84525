#include "workbench/CommandTable.h"

void CommandTable::add(int id, Handler handler) {
    m_handlers[id] = std::move(handler);
}

void CommandTable::addPending(int id) {
    m_handlers[id] = nullptr;
}

bool CommandTable::run(int id) const {
    const auto it = m_handlers.find(id);
    if (it == m_handlers.end()) {
        return false;
    }
    if (it->second) {
        it->second();
    }
    return true;
}

bool CommandTable::isPending(int id) const {
    const auto it = m_handlers.find(id);
    return it != m_handlers.end() && !it->second;
}

std::vector<int> CommandTable::ids() const {
    std::vector<int> out;
    for (const auto& [id, handler] : m_handlers) {
        out.push_back(id);
    }
    return out;
}
