#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A profile file's content read once: where the first section of each name lies (names without
// regard to ASCII case), and the section lines in file order. The keys of a section are indexed
// the first time a key of it is asked for (the first line of a key wins), so a file of a million
// keys costs one pass over its lines and the keys of the few sections that are read. Look-ups
// give what a scan of the text from the top would give. Safe to share between threads.
class ProfileIndex {
public:
    explicit ProfileIndex(std::string content);

    // The value as stored (quotes removed, not cut); nullptr when the key is absent.
    const std::string* find(std::string_view section, std::string_view key) const;
    const std::vector<std::string>& sectionNames() const { return m_sectionNames; }

private:
    using Keys = std::unordered_map<std::string, std::string>;
    struct Body {
        std::size_t begin = 0; // the line after the section line
        std::size_t end = 0;   // the next section line, or the end of the content
    };

    const Keys& keysOf(std::size_t body) const;

    std::string m_content;
    std::unordered_map<std::string, std::size_t> m_sections; // upper-case name -> body
    std::vector<Body> m_bodies;
    std::vector<std::string> m_sectionNames;
    mutable std::mutex m_mutex;
    mutable std::unordered_map<std::size_t, Keys> m_keys; // bodies indexed so far
};
