#pragma once

#include "execute/PosixFileChanges.h"

#include <cerrno>
#include <csignal>

// The real file changes, except that the Nth operation and every one after it fails as a full
// disk would (or, in Kill mode, the process dies at the Nth operation before it is carried
// out). failAt 0 never fails; operations() counts what was asked.
class FailingFileChanges final : public FileChanges {
public:
    enum class Mode { Fail, Kill };

    explicit FailingFileChanges(int failAt = 0, Mode mode = Mode::Fail)
        : m_failAt(failAt), m_mode(mode) {}

    int operations() const { return m_count; }

    TempFile createTemp(const std::string& folder) override {
        return refused() ? TempFile() : m_real.createTemp(folder);
    }
    bool write(TempFile& temp, const void* data, std::size_t size) override {
        return !refused() && m_real.write(temp, data, size);
    }
    bool sync(TempFile& temp) override { return !refused() && m_real.sync(temp); }
    bool commit(TempFile& temp, const std::string& target, bool replace) override {
        if (refused()) {
            m_real.discard(temp);
            errno = ENOSPC;
            return false;
        }
        return m_real.commit(temp, target, replace);
    }
    bool move(const std::string& source, const std::string& target, bool replace) override {
        return !refused() && m_real.move(source, target, replace);
    }
    bool remove(const std::string& path) override { return !refused() && m_real.remove(path); }
    bool append(const std::string& path, std::string_view text) override {
        return !refused() && m_real.append(path, text);
    }
    void discard(TempFile& temp) override { m_real.discard(temp); }

private:
    bool refused() {
        ++m_count;
        if (m_failAt == 0 || m_count < m_failAt) {
            return false;
        }
        if (m_mode == Mode::Kill) {
            std::raise(SIGKILL);
        }
        errno = ENOSPC;
        return true;
    }

    PosixFileChanges m_real;
    int m_failAt;
    Mode m_mode;
    int m_count = 0;
};
