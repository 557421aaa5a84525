#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Shift-JIS (code page 932) byte strings. Every text the operator sees or a file holds is kept in
// this form; these helpers count bytes, never split a double-byte character and never let a trail
// byte match a single-byte character. Nothing else in the program walks such bytes by hand.
namespace cp932 {

bool isLeadByte(unsigned char c);
bool isTrailByte(unsigned char c);
bool isHalfWidthKatakana(unsigned char c);

// Length in bytes (1 or 2) of the character that starts at pos. A lead byte without a valid trail
// byte counts as one byte.
std::size_t charLength(std::string_view s, std::size_t pos);
std::size_t charCount(std::string_view s);
// Byte offset where the character before pos starts (pos must be a character boundary).
std::size_t previousCharStart(std::string_view s, std::size_t pos);
bool isCharBoundary(std::string_view s, std::size_t pos);

// Search that only matches at character boundaries; npos when not found.
std::size_t find(std::string_view haystack, std::string_view needle, std::size_t from = 0);
std::size_t findChar(std::string_view haystack, char c, std::size_t from = 0);
std::size_t findLastChar(std::string_view haystack, char c);
bool contains(std::string_view haystack, std::string_view needle);
std::string replaceAll(std::string_view s, std::string_view from, std::string_view to);

// ASCII letters compared without regard to case; double-byte characters compared exactly.
int compareNoCase(std::string_view a, std::string_view b);
bool equalsNoCase(std::string_view a, std::string_view b);
bool endsWithNoCase(std::string_view s, std::string_view suffix);
std::string toUpperAscii(std::string_view s);

// Half-width white space: blank, tab, CR, LF, vertical tab, form feed.
std::string trim(std::string_view s);
std::string trimLeft(std::string_view s);
std::string trimRight(std::string_view s);
// Also removes the full-width blank (0x81 0x40).
std::string trimBlanksWide(std::string_view s);
std::string trimLeftBlanksWide(std::string_view s);

// Longest prefix of at most maxBytes bytes that does not split a double-byte character.
std::string cutBytes(std::string_view s, std::size_t maxBytes);
// Longest prefix of at most maxChars characters.
std::string cutChars(std::string_view s, std::size_t maxChars);

// The nine characters that cannot appear in file names: \ / : * ? " < > |
bool isForbiddenChar(char c);
bool containsForbiddenChar(std::string_view s);
// Replaces each forbidden character by its full-width form.
std::string forbiddenToFullWidth(std::string_view s);

// Full-width digits (0x824F..0x8258) to "0".."9" and back.
std::string fullWidthDigitsToHalf(std::string_view s);
std::string halfWidthDigitsToFull(std::string_view s);
// Replaces one full-width character (two bytes) by a single-byte one wherever it stands.
std::string replaceWideChar(std::string_view s, std::string_view wide, char narrow);

} // namespace cp932
