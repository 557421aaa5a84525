#pragma once

#include "template/ColumnDef.h"

#include <array>
#include <string>

// The restriction of a text column: one code per character class (numbers, upper-case letters,
// lower-case letters, forbidden characters, other symbols). 0 no restriction, 1 not allowed,
// 2 half-width form not allowed, 3 full-width form not allowed.
class TextRestriction {
public:
    enum Code { Free = 0, NotAllowed = 1, NoHalfWidth = 2, NoFullWidth = 3 };
    enum class Outcome { Passed, Rejected, Malformed };

    // The column's codes; a column whose stored group gave no five codes fails every value.
    explicit TextRestriction(const ColumnDef& column)
        : m_codes(column.restriction), m_malformed(column.malformedRestriction.has_value()) {}

    // Tests a value character by character. A carriage return ends the value: the text before it
    // is kept in value and the rest is dropped without testing.
    Outcome test(std::string& value) const;

private:
    std::array<int, 5> m_codes{};
    bool m_malformed = false;
};
