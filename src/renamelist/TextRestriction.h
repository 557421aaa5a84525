#pragma once

#include <array>
#include <string>
#include <string_view>

// The restriction of a text column: one code per character class (numbers, upper-case letters,
// lower-case letters, forbidden characters, other symbols). 0 no restriction, 1 not allowed,
// 2 half-width form not allowed, 3 full-width form not allowed.
class TextRestriction {
public:
    enum Code { Free = 0, NotAllowed = 1, NoHalfWidth = 2, NoFullWidth = 3 };
    enum class Outcome { Passed, Rejected, Malformed };

    TextRestriction() = default;
    explicit TextRestriction(const std::array<int, 5>& codes) : m_codes(codes) {}
    // The stored form "n.n.n.n.n.": the parts between the dots (empty ones skipped) must be
    // exactly five; otherwise the restriction is malformed and every value tested fails.
    static TextRestriction parse(std::string_view stored);

    bool malformed() const { return m_malformed; }
    const std::array<int, 5>& codes() const { return m_codes; }

    // Tests a value character by character. A carriage return ends the value: the text before it
    // is kept in value and the rest is dropped without testing.
    Outcome test(std::string& value) const;

private:
    std::array<int, 5> m_codes{};
    bool m_malformed = false;
};
