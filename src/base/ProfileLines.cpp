#include "base/ProfileLines.h"

#include "base/Cp932.h"

namespace profileline {

std::vector<std::string_view> split(std::string_view content) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos) {
            end = content.size();
        }
        lines.push_back(content.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// ']' may be a cp932 trail byte, so the closing bracket is searched by characters.
std::optional<std::string> sectionOf(std::string_view line) {
    const std::string t = cp932::trim(line);
    if (t.empty() || t.front() != '[') {
        return std::nullopt;
    }
    const std::string_view inner = std::string_view(t).substr(1);
    const std::size_t close = cp932::findChar(inner, ']');
    return cp932::trim(close == std::string_view::npos ? inner : inner.substr(0, close));
}

// '=' never occurs as a trail byte.
bool keyValueOf(std::string_view line, std::string& key, std::string& value) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        return false;
    }
    key = cp932::trim(line.substr(0, eq));
    value = cp932::trim(line.substr(eq + 1));
    return !key.empty();
}

std::string singleLine(std::string_view value) {
    const std::size_t end = value.find_first_of(std::string_view("\r\n\0", 3));
    return std::string(value.substr(0, end));
}

std::string valueOf(std::string_view trimmedValue) {
    std::string value = singleLine(trimmedValue);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front() && cp932::isCharBoundary(value, value.size() - 1)) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

} // namespace profileline
