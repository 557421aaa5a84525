#include "base/ProfileSnapshot.h"

#include "base/ProfileIndex.h"

std::shared_ptr<const ProfileIndex> ProfileSnapshot::current(const std::string& path) {
    const std::lock_guard lock(m_mutex);
    const auto stamp = RegularFile::stampOf(path);
    if (stamp && m_stamp && *stamp == *m_stamp) {
        return m_index;
    }
    m_stamp.reset();
    m_index.reset();
    RegularFile file(path);
    auto content = file.readAll();
    if (!content) {
        return nullptr;
    }
    m_index = std::make_shared<const ProfileIndex>(std::move(*content));
    m_stamp = file.stamp();
    ++m_parses;
    return m_index;
}

int ProfileSnapshot::parseCount() const {
    const std::lock_guard lock(m_mutex);
    return m_parses;
}
