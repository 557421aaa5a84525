#pragma once

#include <string>
#include <vector>

// Text compared the way printed drawings are read back: full-width letters, digits and signs
// folded to half-width, letters to lower case, dashes of every kind to "-", half-width katakana
// to full-width. Code points, so that a kanji counts as one character.
class MatchText {
public:
    // The folded code points of UTF-8 text (bytes that are no UTF-8 count as one point each).
    static std::u32string fold(const std::string& utf8);

    // Equal after folding, spaces and "-" aside.
    static bool same(const std::string& a, const std::string& b);

    // How well value occurs somewhere in text, from 0 to 1: 1 minus the edits of the best
    // matching stretch of text divided by the value's length. "-" and spaces may be lost or
    // added freely; the look-alikes O/0, I/1/l, S/5, B/8 cost a quarter edit; a stretch that
    // runs on into further letters or digits at either end costs half an edit per end.
    static double occurrence(const std::u32string& value, const std::u32string& text);
};
