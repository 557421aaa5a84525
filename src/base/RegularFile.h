#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

class Prompter;

// A file opened for reading only when it is a regular file. The path is looked at before the open
// and the descriptor again after it, and the open never waits (O_NONBLOCK), so a FIFO, a device
// or a folder is refused at once instead of blocking the program or being read as a file.
class RegularFile {
public:
    enum class State { Open, Missing, NotRegular, Unreadable };

    // What marks a change of a file's content: its size, its modification and change times to the
    // nanosecond, and its identity (a file renamed into place is a new inode).
    struct Stamp {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t modifiedNs = 0;
        std::int64_t changedNs = 0;
        bool operator==(const Stamp&) const = default;
    };

    explicit RegularFile(std::string_view path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    // What the path names, without opening it.
    static State probe(std::string_view path);
    // True, after telling the operator so, when the path names something that exists but is not a
    // regular file; a missing file is left to the caller's own message.
    static bool refused(std::string_view path, Prompter& prompter);
    // The stamp of a regular file; nothing for anything else.
    static std::optional<Stamp> stampOf(std::string_view path);

    State state() const { return m_state; }
    bool isOpen() const { return m_state == State::Open; }
    const Stamp& stamp() const { return m_stamp; }
    // The rest of the file; nothing when it is not open or a read fails.
    std::optional<std::string> readAll();
    // Hands the descriptor over to a stdio stream that closes it; nullptr when not open.
    std::FILE* releaseToStream();

private:
    int m_fd = -1;
    State m_state = State::Missing;
    Stamp m_stamp;
};
