#include "renamelist/TextRestriction.h"

#include "base/Cp932.h"
#include "base/ProfileFile.h"
#include "renamelist/CharClass.h"

#include <vector>

TextRestriction TextRestriction::parse(std::string_view stored) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= stored.size()) {
        const std::size_t dot = cp932::findChar(stored, '.', start);
        const std::size_t end = dot == std::string_view::npos ? stored.size() : dot;
        if (end > start) {
            parts.push_back(stored.substr(start, end - start));
        }
        if (dot == std::string_view::npos) {
            break;
        }
        start = dot + 1;
    }
    TextRestriction restriction;
    if (parts.size() != restriction.m_codes.size()) {
        restriction.m_malformed = true;
        return restriction;
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        restriction.m_codes[i] = ProfileFile::parseInt(parts[i]);
    }
    return restriction;
}

TextRestriction::Outcome TextRestriction::test(std::string& value) const {
    if (m_malformed) {
        return Outcome::Malformed;
    }
    for (std::size_t i = 0; i < value.size();) {
        const std::size_t length = cp932::charLength(value, i);
        if (length == 1 && value[i] == '\r') {
            value.resize(i);
            break;
        }
        const CharClass::Kind kind = CharClass::classify(std::string_view(value).substr(i, length));
        if (kind != CharClass::None) {
            const int code = m_codes[static_cast<std::size_t>(kind)];
            const bool halfWidth = length == 1;
            if (code == NotAllowed || (code == NoHalfWidth && halfWidth) ||
                (code == NoFullWidth && !halfWidth)) {
                return Outcome::Rejected;
            }
        }
        i += length;
    }
    return Outcome::Passed;
}
