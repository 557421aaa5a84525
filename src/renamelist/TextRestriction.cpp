#include "renamelist/TextRestriction.h"

#include "base/Cp932.h"
#include "renamelist/CharClass.h"

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
