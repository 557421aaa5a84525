#include "base/ProfileIndex.h"

#include "base/Cp932.h"
#include "base/ProfileLines.h"

#include <optional>

namespace {

// Calls visit(line, start) for every line of content[begin, end) split at "\n"; stops when visit
// returns false.
template <typename Visit>
void eachLine(std::string_view content, std::size_t begin, std::size_t end, Visit visit) {
    std::size_t start = begin;
    while (start < end) {
        std::size_t stop = content.find('\n', start);
        if (stop == std::string_view::npos || stop > end) {
            stop = end;
        }
        if (!visit(content.substr(start, stop - start), start)) {
            return;
        }
        start = stop + 1;
    }
}

} // namespace

ProfileIndex::ProfileIndex(std::string content) : m_content(std::move(content)) {
    const std::string_view text(m_content);
    std::optional<std::size_t> open; // the body being measured
    eachLine(text, 0, text.size(), [&](std::string_view line, std::size_t start) {
        // Only a line with a bracket can name a section; the rest are skipped cheaply.
        if (line.find('[') == std::string_view::npos) {
            return true;
        }
        auto name = profileline::sectionOf(line);
        if (!name) {
            return true;
        }
        if (open) {
            m_bodies[*open].end = start;
            open.reset();
        }
        const std::size_t next = start + line.size() + 1;
        // A later section of a name already seen is never read.
        const auto [it, added] =
            m_sections.try_emplace(cp932::toUpperAscii(*name), m_bodies.size());
        if (added) {
            open = m_bodies.size();
            m_bodies.push_back(Body{std::min(next, text.size()), text.size()});
        }
        m_sectionNames.push_back(std::move(*name));
        return true;
    });
}

const ProfileIndex::Keys& ProfileIndex::keysOf(std::size_t body) const {
    const auto found = m_keys.find(body);
    if (found != m_keys.end()) {
        return found->second;
    }
    Keys& keys = m_keys[body];
    std::string key;
    std::string value;
    const Body& b = m_bodies[body];
    eachLine(m_content, b.begin, b.end, [&](std::string_view line, std::size_t) {
        if (profileline::keyValueOf(line, key, value)) {
            keys.try_emplace(cp932::toUpperAscii(key), profileline::valueOf(value));
        }
        return true;
    });
    return keys;
}

const std::string* ProfileIndex::find(std::string_view section, std::string_view key) const {
    const auto s = m_sections.find(cp932::toUpperAscii(section));
    if (s == m_sections.end()) {
        return nullptr;
    }
    const std::lock_guard lock(m_mutex);
    const Keys& keys = keysOf(s->second);
    const auto k = keys.find(cp932::toUpperAscii(key));
    return k == keys.end() ? nullptr : &k->second;
}
