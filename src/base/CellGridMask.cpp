#include "base/CellGridMask.h"

#include "base/Cp932.h"

namespace gridmask {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Walks the mask one position at a time: returns the position's mask character (or the literal
// after a backslash, flagged) and advances pos; false at the end of the mask.
bool nextPosition(std::string_view mask, std::size_t& pos, char& token, bool& literal) {
    while (pos < mask.size()) {
        const char c = mask[pos++];
        if (c == '>' || c == '<') {
            continue;
        }
        if (c == '\\' && pos < mask.size()) {
            token = mask[pos++];
            literal = true;
            return true;
        }
        token = c;
        literal = false;
        return true;
    }
    return false;
}

bool matches(char token, bool literal, std::string_view character) {
    const bool single = character.size() == 1;
    const char c = character[0];
    if (literal) {
        return single && c == token;
    }
    switch (token) {
    case '0':
        return single && isDigit(c);
    case '9':
        return single && (isDigit(c) || c == ' ');
    case '#':
        return single && (isDigit(c) || c == ' ' || c == '+' || c == '-');
    case 'L':
    case '?':
        return single && isLetter(c);
    case 'A':
    case 'a':
        return single && (isLetter(c) || isDigit(c));
    case '&':
    case 'C':
        return true;
    default:
        return single && c == token;
    }
}

} // namespace

bool fits(std::string_view mask, std::string_view text) {
    std::size_t maskPos = 0;
    std::size_t textPos = 0;
    while (textPos < text.size()) {
        char token = 0;
        bool literal = false;
        if (!nextPosition(mask, maskPos, token, literal)) {
            return false;
        }
        const std::size_t length = cp932::charLength(text, textPos);
        if (!matches(token, literal, text.substr(textPos, length))) {
            return false;
        }
        textPos += length;
    }
    return true;
}

std::size_t positions(std::string_view mask) {
    std::size_t pos = 0;
    std::size_t count = 0;
    char token = 0;
    bool literal = false;
    while (nextPosition(mask, pos, token, literal)) {
        ++count;
    }
    return count;
}

} // namespace gridmask
