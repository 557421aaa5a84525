#pragma once

#include <string>
#include <string_view>

// One run or undo at a time per data folder, across windows, operators and the command line: an
// exclusive lock (flock) on a file in the journals folder, tried once without waiting. The lock
// belongs to the open file, so it ends with the process however that ends (a kill -9 frees it);
// it is not handed to programs the run starts.
class RunLock {
public:
    static constexpr std::string_view kFileName = "lock";

    enum class State {
        Held,   // this process runs alone now
        Busy,   // another run or undo holds the data folder
        Failed, // the lock file cannot be made or opened (no access, not a regular file)
    };

    explicit RunLock(const std::string& journals);
    ~RunLock();
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

    State state() const { return m_state; }
    bool held() const { return m_state == State::Held; }

private:
    int m_fd = -1;
    State m_state = State::Failed;
};
