#pragma once

#include <optional>
#include <string>
#include <string_view>

// Checks and normalisation of integer and real cells. Each returns the normalised text, or
// nothing when the value breaks the column's definition. digits and decimals are the column's
// effective values (defaults already applied).
namespace NumberValue {

// A value read from the rename list: trimmed; empty is valid; an optional sign then digits only;
// a valid value longer than digits bytes (digits + 1 when signed) is cut to that length.
std::optional<std::string> importInteger(std::string_view value, int digits);
// A value typed into the grid: trimmed; an unsigned value is cut to digits bytes first; then the
// integer test, and a signed value may not be longer than digits + 1.
std::optional<std::string> editInteger(std::string_view value, int digits);

// A value read from the rename list: trimmed; empty stays empty; one trailing "." is removed; the
// integer part is cut (one part) or checked (two parts), the fraction cut to decimals bytes;
// three or more parts are invalid; the result must be a plain signed decimal number.
std::optional<std::string> importReal(std::string_view value, int digits, int decimals);
// A value typed into the grid: as above, and a trailing "." left after normalising is removed.
std::optional<std::string> editReal(std::string_view value, int digits, int decimals);

} // namespace NumberValue
