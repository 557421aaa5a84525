#pragma once

#include <string_view>

// The character classes of a text column's restriction. A half-width character (one byte) is
// looked up in the half-width tables, a full-width character (a double-byte cp932 character) in
// the full-width tables; a character found in neither (blank, katakana, kanji and the rest)
// belongs to no class and is never restricted.
namespace CharClass {

// In the order of the five restriction codes.
enum Kind { Number = 0, UpperCase = 1, LowerCase = 2, Forbidden = 3, Symbol = 4, None = 5 };

// The class of one character given as its bytes (one or two).
Kind classify(std::string_view character);
Kind classifyHalfWidth(unsigned char byte);
Kind classifyFullWidth(unsigned code); // lead byte * 256 + trail byte

} // namespace CharClass
