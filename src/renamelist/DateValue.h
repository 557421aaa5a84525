#pragma once

#include "app/Settings.h"

#include <optional>
#include <string>
#include <string_view>

// Checks and normalisation of date cells ("yyyy/mm/dd").
namespace DateValue {

constexpr int kFirstYear = 1970;
constexpr int kLastYear = 2037;

bool isLeapYear(int year);
int daysInMonth(int year, int month);

// Trimmed; at most 10 bytes; three non-empty "/"-separated parts read as year, month and day
// (their leading digits); the year 1970 to 2037, the month 1 to 12, the day within the month.
// A valid date comes back as "%04d/%02d/%02d"; an empty value comes back empty.
std::optional<std::string> check(std::string_view value);

// The date an empty imported date cell receives: today when InitDateType is 0, otherwise the
// setting InitDate, or today again when InitDate is no date that check() takes; "%Y/%m/%d".
std::string initialDate(const Settings& settings, const Date& today);

} // namespace DateValue
