#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A profile file's content parsed once: the value of every key of the first section of each name
// (the first line of a key wins), looked up without regard to ASCII case, and the section lines
// in file order. Look-ups give what a scan of the text from the top would give.
class ProfileIndex {
public:
    explicit ProfileIndex(std::string_view content);

    // The value as stored (quotes removed, not cut); nullptr when the key is absent.
    const std::string* find(std::string_view section, std::string_view key) const;
    const std::vector<std::string>& sectionNames() const { return m_sectionNames; }

private:
    using Keys = std::unordered_map<std::string, std::string>;
    std::unordered_map<std::string, Keys> m_sections;
    std::vector<std::string> m_sectionNames;
};
