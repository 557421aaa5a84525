#pragma once

#include <cstddef>
#include <string_view>

// Edit masks of the grid editor. Each mask character stands for one character position:
//   0 9  a digit (9 also a blank)
//   #    a digit, a blank, "+" or "-"
//   L ?  an ASCII letter
//   A a  an ASCII letter or digit
//   & C  any character, double-byte characters included
//   > <  case markers, no position
//   \x   the character x itself
// Any other character stands for itself. Every position may stay empty: a text fits the mask
// when it has no more characters than the mask has positions and each character matches its
// position. Texts are cp932.
namespace gridmask {

bool fits(std::string_view mask, std::string_view text);
std::size_t positions(std::string_view mask);

} // namespace gridmask
