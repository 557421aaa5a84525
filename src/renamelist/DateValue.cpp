#include "renamelist/DateValue.h"

#include "base/Cp932.h"

#include <vector>

namespace DateValue {

namespace {

constexpr std::size_t kMaxBytes = 10; // "yyyy/mm/dd"

// The number the leading digits stand for, after an optional sign; 0 when there are none.
// Capped so that long digit runs cannot overflow.
int leadingNumber(std::string_view s) {
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    int value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        value = value > 100000 ? value : value * 10 + (s[i] - '0');
    }
    return negative ? -value : value;
}

} // namespace

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

std::optional<std::string> check(std::string_view value) {
    const std::string v = cp932::trim(value);
    if (v.empty()) {
        return v;
    }
    if (v.size() > kMaxBytes) {
        return std::nullopt;
    }
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = cp932::findChar(v, '/', start);
        parts.push_back(cp932::trim(std::string_view(v).substr(
            start, slash == std::string::npos ? std::string::npos : slash - start)));
        if (slash == std::string::npos) {
            break;
        }
        start = slash + 1;
    }
    if (parts.size() != 3 || parts[0].empty() || parts[1].empty() || parts[2].empty()) {
        return std::nullopt;
    }
    const Date d{leadingNumber(parts[0]), leadingNumber(parts[1]), leadingNumber(parts[2])};
    if (d.year < kFirstYear || d.year > kLastYear || d.month < 1 || d.month > 12 || d.day < 1 ||
        d.day > daysInMonth(d.year, d.month)) {
        return std::nullopt;
    }
    return formatDate(d);
}

std::string initialDate(const Settings& settings, const Date& today) {
    // A stored date that a date cell would refuse (2008/02/30, garbage) is never put into cells.
    const auto given =
        settings.initDateType == 0 ? std::nullopt : check(formatDate(settings.initDate));
    return given && !given->empty() ? *given : formatDate(today);
}

} // namespace DateValue
