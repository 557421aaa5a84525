#include "app/Settings.h"

#include <cstdio>

bool isValidDate(const Date& d) {
    if (d.year < 1 || d.month < 1 || d.month > 12 || d.day < 1) {
        return false;
    }
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
    const int days = kDays[d.month - 1] + ((d.month == 2 && leap) ? 1 : 0);
    return d.day <= days;
}

std::string formatDate(const Date& d) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d", d.year, d.month, d.day);
    return buffer;
}
