#pragma once

#include <string>
#include <sys/types.h>

// What the group-sharing tests need: a umask set for one test, and permission bits as found.

// Sets the process's umask for its lifetime and puts the old one back afterwards.
class UmaskScope {
public:
    explicit UmaskScope(mode_t mask);
    ~UmaskScope();
    UmaskScope(const UmaskScope&) = delete;
    UmaskScope& operator=(const UmaskScope&) = delete;

private:
    mode_t m_saved;
};

// The permission bits (with set-group-id and sticky) of path (cp932), not following a link;
// -1 when it is missing.
int modeOf(const std::string& path);
// Makes folder (cp932) a folder shared by the group: set-group-id, group-writable (02775).
void makeShared(const std::string& folder);
