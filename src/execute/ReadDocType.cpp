#include "execute/ReadDocType.h"

#include "base/Cp932.h"
#include "base/FileSystem.h"

#include <algorithm>

namespace {

constexpr std::size_t kLineBuffer = 1024;

std::string secondField(std::string_view line) {
    // ',' is below every cp932 trail byte, so a byte-wise split is safe.
    const auto first = line.find(',');
    const auto second = line.find(',', first + 1);
    std::string field(line.substr(first + 1, second - first - 1));
    std::replace(field.begin(), field.end(), '\r', ' ');
    std::replace(field.begin(), field.end(), '\n', ' ');
    return cp932::trim(field);
}

} // namespace

std::optional<std::string> ReadDocType(std::string_view mapPath) {
    const auto content = files::readAll(mapPath);
    if (!content) {
        return std::nullopt;
    }
    const std::string_view text = *content;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto newline = text.find('\n', pos);
        const std::size_t lineEnd = newline == std::string_view::npos ? text.size() : newline + 1;
        const std::size_t end = std::min(lineEnd, pos + kLineBuffer - 1);
        const std::string line = std::string(text.substr(pos, end - pos)) + ",";
        pos = end;
        if (cp932::contains(line, "<DocType>")) {
            return secondField(line);
        }
    }
    return std::string{};
}
