#include "base/ProfileIndex.h"

#include "base/Cp932.h"
#include "base/ProfileLines.h"

ProfileIndex::ProfileIndex(std::string_view content) {
    Keys* current = nullptr;
    std::string key;
    std::string value;
    for (std::string_view line : profileline::split(content)) {
        if (auto name = profileline::sectionOf(line)) {
            // A later section of a name already seen is never read.
            const auto [it, added] = m_sections.try_emplace(cp932::toUpperAscii(*name));
            current = added ? &it->second : nullptr;
            m_sectionNames.push_back(std::move(*name));
            continue;
        }
        if (current != nullptr && profileline::keyValueOf(line, key, value)) {
            current->try_emplace(cp932::toUpperAscii(key), profileline::valueOf(value));
        }
    }
}

const std::string* ProfileIndex::find(std::string_view section, std::string_view key) const {
    const auto s = m_sections.find(cp932::toUpperAscii(section));
    if (s == m_sections.end()) {
        return nullptr;
    }
    const auto k = s->second.find(cp932::toUpperAscii(key));
    return k == s->second.end() ? nullptr : &k->second;
}
