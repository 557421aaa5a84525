#include "support/ProfileFixtures.h"

#include "base/Cp932.h"

std::string crlfLines(std::initializer_list<std::string_view> lines) {
    std::string out;
    for (std::string_view line : lines) {
        out.append(line);
        out.append("\r\n");
    }
    return out;
}

std::vector<std::string> keysOfSection(std::string_view content, std::string_view section) {
    std::vector<std::string> keys;
    bool inSection = false;
    bool seen = false;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos) {
            end = content.size();
        }
        const std::string line = cp932::trim(content.substr(start, end - start));
        start = end + 1;
        if (!line.empty() && line.front() == '[') {
            if (seen) {
                break;
            }
            inSection = cp932::equalsNoCase(line, "[" + std::string(section) + "]");
            seen = inSection;
        } else if (inSection && line.find('=') != std::string::npos) {
            keys.push_back(line.substr(0, line.find('=')));
        }
    }
    return keys;
}

bool onlyCrlfLineEnds(std::string_view content) {
    for (std::size_t i = 0; i < content.size(); ++i) {
        if (content[i] == '\n' && (i == 0 || content[i - 1] != '\r')) {
            return false;
        }
    }
    return true;
}
