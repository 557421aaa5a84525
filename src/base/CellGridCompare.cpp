#include "base/CellGridCompare.h"

#include <algorithm>
#include <charconv>
#include <numeric>

namespace gridcompare {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<double> numericValue(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    const std::string_view s = text.substr(begin, end - begin);
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            ++j;
        }
        const std::size_t expStart = j;
        while (j < s.size() && isDigit(s[j])) {
            ++j;
        }
        if (j == expStart) {
            return std::nullopt;
        }
        i = j;
    }
    if (i != s.size()) {
        return std::nullopt;
    }
    // from_chars reads the C form whatever the process locale is; it takes no "+".
    const std::size_t from = !s.empty() && s[0] == '+' ? 1 : 0;
    double value = 0.0;
    const auto result = std::from_chars(s.data() + from, s.data() + s.size(), value);
    if (result.ec != std::errc() && result.ec != std::errc::result_out_of_range) {
        return std::nullopt;
    }
    return value;
}

int compare(std::string_view a, std::string_view b) {
    const auto na = numericValue(a);
    if (na) {
        const auto nb = numericValue(b);
        if (nb) {
            return *na < *nb ? -1 : (*nb < *na ? 1 : 0);
        }
    }
    return compareBytes(a, b);
}

int compareBytes(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::vector<std::size_t> sortOrder(const std::vector<std::string_view>& texts, CellGridSort order) {
    // Each text is read as a number once, not at every comparison.
    std::vector<std::optional<double>> numbers;
    numbers.reserve(texts.size());
    for (const std::string_view text : texts) {
        numbers.push_back(numericValue(text));
    }
    const auto compareAt = [&](std::size_t a, std::size_t b) {
        if (numbers[a] && numbers[b]) {
            return *numbers[a] < *numbers[b] ? -1 : (*numbers[b] < *numbers[a] ? 1 : 0);
        }
        return compareBytes(texts[a], texts[b]);
    };
    std::vector<std::size_t> indices(texts.size());
    std::iota(indices.begin(), indices.end(), std::size_t{0});
    const bool ascending = order == CellGridSort::Ascending;
    std::stable_sort(indices.begin(), indices.end(), [&](std::size_t a, std::size_t b) {
        const int result = compareAt(a, b);
        return ascending ? result < 0 : result > 0;
    });
    return indices;
}

} // namespace gridcompare
