#pragma once

#include "base/CellGridTypes.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

// The grid's generic comparison, used by its sort.
namespace gridcompare {

// The number a cell text stands for: optional blanks, an optional sign, digits with at most one
// decimal point (at least one digit), an optional exponent, optional blanks. Nothing otherwise.
std::optional<double> numericValue(std::string_view text);

// Two numeric texts compare as numbers; otherwise the cp932 bytes compare as unsigned bytes.
// Negative, zero or positive like strcmp.
int compare(std::string_view a, std::string_view b);
// Unsigned byte comparison alone.
int compareBytes(std::string_view a, std::string_view b);

// The order of the texts sorted stably by compare(): element i is the index of the text that
// comes i-th.
std::vector<std::size_t> sortOrder(const std::vector<std::string_view>& texts, CellGridSort order);

} // namespace gridcompare
