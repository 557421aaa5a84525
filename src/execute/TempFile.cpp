#include "execute/TempFile.h"

#include "execute/FileChanges.h"

#include <utility>

TempFile::~TempFile() {
    if (m_fd >= 0 && m_owner != nullptr) {
        m_owner->discard(*this);
    }
}

TempFile::TempFile(TempFile&& other) noexcept
    : m_owner(other.m_owner), m_path(std::move(other.m_path)), m_fd(std::exchange(other.m_fd, -1)) {
}

TempFile& TempFile::operator=(TempFile&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0 && m_owner != nullptr) {
            m_owner->discard(*this);
        }
        m_owner = other.m_owner;
        m_path = std::move(other.m_path);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

int TempFile::release() {
    return std::exchange(m_fd, -1);
}
