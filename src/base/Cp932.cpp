#include "base/Cp932.h"

#include <algorithm>
#include <array>

namespace cp932 {

namespace {

constexpr std::string_view kFullWidthBlank = "\x81\x40";

bool isHalfSpace(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

unsigned char foldAscii(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

struct ForbiddenForm {
    char narrow;
    std::string_view wide;
};

constexpr std::array<ForbiddenForm, 9> kForbidden{{
    {'\\', "\x81\x8F"},
    {'/', "\x81\x5E"},
    {':', "\x81\x46"},
    {'*', "\x81\x96"},
    {'?', "\x81\x48"},
    {'"', "\x81\x68"},
    {'<', "\x81\x83"},
    {'>', "\x81\x84"},
    {'|', "\x81\x62"},
}};

} // namespace

bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool isTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

bool isHalfWidthKatakana(unsigned char c) {
    return c >= 0xA1 && c <= 0xDF;
}

std::size_t charLength(std::string_view s, std::size_t pos) {
    if (pos >= s.size()) {
        return 0;
    }
    const auto c = static_cast<unsigned char>(s[pos]);
    if (isLeadByte(c) && pos + 1 < s.size() &&
        isTrailByte(static_cast<unsigned char>(s[pos + 1]))) {
        return 2;
    }
    return 1;
}

std::size_t charCount(std::string_view s) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < s.size(); i += charLength(s, i)) {
        ++count;
    }
    return count;
}

std::size_t previousCharStart(std::string_view s, std::size_t pos) {
    std::size_t last = 0;
    for (std::size_t i = 0; i < pos && i < s.size(); i += charLength(s, i)) {
        last = i;
    }
    return last;
}

bool isCharBoundary(std::string_view s, std::size_t pos) {
    std::size_t i = 0;
    while (i < pos && i < s.size()) {
        i += charLength(s, i);
    }
    return i == pos;
}

std::size_t find(std::string_view haystack, std::string_view needle, std::size_t from) {
    if (needle.empty()) {
        return from <= haystack.size() ? from : std::string_view::npos;
    }
    std::size_t i = 0;
    while (i < from && i < haystack.size()) {
        i += charLength(haystack, i);
    }
    for (; i + needle.size() <= haystack.size(); i += charLength(haystack, i)) {
        if (haystack.compare(i, needle.size(), needle) == 0) {
            return i;
        }
    }
    return std::string_view::npos;
}

std::size_t findChar(std::string_view haystack, char c, std::size_t from) {
    return find(haystack, std::string_view(&c, 1), from);
}

std::size_t findLastChar(std::string_view haystack, char c) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < haystack.size(); i += charLength(haystack, i)) {
        if (haystack[i] == c) {
            found = i;
        }
    }
    return found;
}

bool contains(std::string_view haystack, std::string_view needle) {
    return find(haystack, needle) != std::string_view::npos;
}

std::string replaceAll(std::string_view s, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return std::string(s);
    }
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        if (s.compare(i, from.size(), from) == 0) {
            out.append(to);
            i += from.size();
        } else {
            const std::size_t len = charLength(s, i);
            out.append(s.substr(i, len));
            i += len;
        }
    }
    return out;
}

int compareNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = foldAscii(static_cast<unsigned char>(a[i]));
        const auto cb = foldAscii(static_cast<unsigned char>(b[i]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
        if (isLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < n) {
            // The trail byte is compared exactly: it may look like an ASCII letter.
            ++i;
            if (a[i] != b[i]) {
                return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]) ? -1 : 1;
            }
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && compareNoCase(a, b) == 0;
}

bool endsWithNoCase(std::string_view s, std::string_view suffix) {
    if (suffix.size() > s.size() || !isCharBoundary(s, s.size() - suffix.size())) {
        return false;
    }
    return equalsNoCase(s.substr(s.size() - suffix.size()), suffix);
}

std::string toUpperAscii(std::string_view s) {
    std::string out(s);
    for (std::size_t i = 0; i < out.size(); i += charLength(out, i)) {
        out[i] = static_cast<char>(foldAscii(static_cast<unsigned char>(out[i])));
    }
    return out;
}

std::string trimLeft(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isHalfSpace(static_cast<unsigned char>(s[i]))) {
        ++i;
    }
    return std::string(s.substr(i));
}

std::string trimRight(std::string_view s) {
    // Walk by characters so that a trail byte is never taken for white space.
    std::size_t end = 0;
    for (std::size_t i = 0; i < s.size(); i += charLength(s, i)) {
        if (!isHalfSpace(static_cast<unsigned char>(s[i]))) {
            end = i + charLength(s, i);
        }
    }
    return std::string(s.substr(0, end));
}

std::string trim(std::string_view s) {
    return trimRight(trimLeft(s));
}

std::string trimLeftBlanksWide(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        if (isHalfSpace(static_cast<unsigned char>(s[i]))) {
            ++i;
        } else if (s.compare(i, kFullWidthBlank.size(), kFullWidthBlank) == 0) {
            i += kFullWidthBlank.size();
        } else {
            break;
        }
    }
    return std::string(s.substr(i));
}

std::string trimBlanksWide(std::string_view s) {
    const std::string left = trimLeftBlanksWide(s);
    std::size_t end = 0;
    for (std::size_t i = 0; i < left.size(); i += charLength(left, i)) {
        const bool blank = isHalfSpace(static_cast<unsigned char>(left[i])) ||
                           left.compare(i, kFullWidthBlank.size(), kFullWidthBlank) == 0;
        if (!blank) {
            end = i + charLength(left, i);
        }
    }
    return left.substr(0, end);
}

std::string cutBytes(std::string_view s, std::size_t maxBytes) {
    if (s.size() <= maxBytes) {
        return std::string(s);
    }
    std::size_t end = 0;
    while (end < s.size()) {
        const std::size_t len = charLength(s, end);
        if (end + len > maxBytes) {
            break;
        }
        end += len;
    }
    return std::string(s.substr(0, end));
}

std::string cutChars(std::string_view s, std::size_t maxChars) {
    std::size_t end = 0;
    for (std::size_t n = 0; n < maxChars && end < s.size(); ++n) {
        end += charLength(s, end);
    }
    return std::string(s.substr(0, end));
}

bool isForbiddenChar(char c) {
    return std::any_of(kForbidden.begin(), kForbidden.end(),
                       [c](const ForbiddenForm& f) { return f.narrow == c; });
}

bool containsForbiddenChar(std::string_view s) {
    for (std::size_t i = 0; i < s.size(); i += charLength(s, i)) {
        if (charLength(s, i) == 1 && isForbiddenChar(s[i])) {
            return true;
        }
    }
    return false;
}

std::string forbiddenToFullWidth(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t len = charLength(s, i);
        const auto it = std::find_if(kForbidden.begin(), kForbidden.end(),
                                     [&](const ForbiddenForm& f) { return f.narrow == s[i]; });
        if (len == 1 && it != kForbidden.end()) {
            out.append(it->wide);
        } else {
            out.append(s.substr(i, len));
        }
        i += len;
    }
    return out;
}

std::string fullWidthDigitsToHalf(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t len = charLength(s, i);
        const auto trail = len == 2 ? static_cast<unsigned char>(s[i + 1]) : 0;
        if (len == 2 && static_cast<unsigned char>(s[i]) == 0x82 && trail >= 0x4F &&
            trail <= 0x58) {
            out.push_back(static_cast<char>('0' + (trail - 0x4F)));
        } else {
            out.append(s.substr(i, len));
        }
        i += len;
    }
    return out;
}

std::string halfWidthDigitsToFull(std::string_view s) {
    std::string out;
    out.reserve(s.size() * 2);
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t len = charLength(s, i);
        if (len == 1 && s[i] >= '0' && s[i] <= '9') {
            out.push_back('\x82');
            out.push_back(static_cast<char>(0x4F + (s[i] - '0')));
        } else {
            out.append(s.substr(i, len));
        }
        i += len;
    }
    return out;
}

std::string replaceWideChar(std::string_view s, std::string_view wide, char narrow) {
    return replaceAll(s, wide, std::string_view(&narrow, 1));
}

} // namespace cp932
