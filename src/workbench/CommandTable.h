#pragma once

#include <functional>
#include <map>
#include <vector>

// Routes menu items, accelerators and buttons, by their ids, to the handler of each command.
// A command whose feature is not built yet is registered as pending: it is known and routed, and
// running it does nothing.
class CommandTable {
public:
    using Handler = std::function<void()>;

    void add(int id, Handler handler);
    void addPending(int id);

    // Runs the command's handler; false when the id is not a command of the table.
    bool run(int id) const;
    bool contains(int id) const { return m_handlers.count(id) != 0; }
    bool isPending(int id) const;
    std::vector<int> ids() const;

private:
    std::map<int, Handler> m_handlers;
};
