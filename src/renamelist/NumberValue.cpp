#include "renamelist/NumberValue.h"

#include "base/Cp932.h"

#include <vector>

namespace NumberValue {

namespace {

bool isSign(char c) {
    return c == '+' || c == '-';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isSigned(std::string_view s) {
    return !s.empty() && isSign(s.front());
}

std::size_t integerLimit(std::string_view s, int digits) {
    return static_cast<std::size_t>(digits) + (isSigned(s) ? 1 : 0);
}

// An optional sign, then at least one digit and nothing else.
bool isInteger(std::string_view s) {
    const std::size_t start = isSigned(s) ? 1 : 0;
    if (s.size() <= start) {
        return false;
    }
    for (std::size_t i = start; i < s.size(); ++i) {
        if (!isDigit(s[i])) {
            return false;
        }
    }
    return true;
}

// Every character a digit, "." anywhere but first, a sign only first; the integer part is not a
// sign alone.
bool isPlainReal(std::string_view s) {
    if (s.empty()) {
        return true;
    }
    if (s.front() == '.') {
        return false;
    }
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        const bool ok = isDigit(c) || (c == '.' && i > 0) || (isSign(c) && i == 0);
        if (!ok) {
            return false;
        }
    }
    return !(s.size() >= 2 && isSign(s[0]) && s[1] == '.') && !(s.size() == 1 && isSign(s[0]));
}

// The value split at "." with empty parts kept.
std::vector<std::string> splitAtDots(const std::string& s) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = cp932::findChar(s, '.', start);
        if (dot == std::string::npos) {
            parts.push_back(s.substr(start));
            return parts;
        }
        parts.push_back(s.substr(start, dot - start));
        start = dot + 1;
    }
}

std::optional<std::string> normaliseReal(std::string_view value, int digits, int decimals) {
    std::string v = cp932::trim(value);
    if (v.empty()) {
        return v;
    }
    if (v.back() == '.') {
        v.pop_back();
    }
    const std::vector<std::string> parts = splitAtDots(v);
    std::string result;
    if (parts.size() == 1) {
        result = cp932::cutBytes(parts[0], integerLimit(parts[0], digits));
    } else if (parts.size() == 2) {
        const std::string integer = cp932::trim(parts[0]);
        if (integer.size() > integerLimit(integer, digits)) {
            return std::nullopt;
        }
        result = integer + "." +
                 cp932::cutBytes(cp932::trim(parts[1]), static_cast<std::size_t>(decimals));
    } else {
        return std::nullopt;
    }
    if (!isPlainReal(result)) {
        return std::nullopt;
    }
    return result;
}

} // namespace

std::optional<std::string> importInteger(std::string_view value, int digits) {
    const std::string v = cp932::trim(value);
    if (v.empty()) {
        return v;
    }
    if (!isInteger(v)) {
        return std::nullopt;
    }
    return v.substr(0, std::min(v.size(), integerLimit(v, digits)));
}

std::optional<std::string> editInteger(std::string_view value, int digits) {
    std::string v = cp932::trim(value);
    if (v.empty()) {
        return v;
    }
    if (!isSigned(v)) {
        v = cp932::cutBytes(v, static_cast<std::size_t>(digits));
    }
    if (!isInteger(v) || v.size() > integerLimit(v, digits)) {
        return std::nullopt;
    }
    return v;
}

std::optional<std::string> importReal(std::string_view value, int digits, int decimals) {
    return normaliseReal(value, digits, decimals);
}

std::optional<std::string> editReal(std::string_view value, int digits, int decimals) {
    auto result = normaliseReal(value, digits, decimals);
    if (result && !result->empty() && result->back() == '.') {
        result->pop_back();
    }
    return result;
}

} // namespace NumberValue
