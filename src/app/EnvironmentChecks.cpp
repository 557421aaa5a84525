#include "app/EnvironmentChecks.h"

#include "base/Cp932.h"
#include "base/TextCodec.h"

#include <algorithm>

namespace envcheck {

namespace {

constexpr std::string_view kExportNameForbidden = "\t\"*/:<>?\\|";
constexpr int kAgentExport = 2;

bool allDigits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The value of a digit string, or -1 when it has more significant digits than fit below limit.
int boundedValue(std::string_view digits, int limit) {
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string_view::npos) {
        return 0;
    }
    digits.remove_prefix(first);
    if (digits.size() > std::to_string(limit).size()) {
        return -1;
    }
    return std::stoi(std::string(digits));
}

} // namespace

Checked margin(const std::string& text) {
    const std::string half = cp932::trimBlanksWide(cp932::fullWidthDigitsToHalf(text));
    if (!allDigits(half)) {
        return {Msg::EnvMarginInvalid, {}};
    }
    const int value = boundedValue(half, 99);
    if (value < 0 || value > 99) {
        return {Msg::EnvMarginInvalid, {}};
    }
    return {std::nullopt, std::to_string(value)};
}

Checked exportName(const std::string& text, int exportType, bool askForName) {
    std::string name = cp932::trim(text);
    if (exportType == kAgentExport) {
        name = cp932::trimLeftBlanksWide(name);
    }
    if (name.empty()) {
        if (exportType != 0 && !askForName) {
            return {Msg::EnvExportNameEmpty, {}};
        }
        return {std::nullopt, name};
    }
    for (const char c : kExportNameForbidden) {
        if (cp932::findChar(name, c) != std::string::npos) {
            return {Msg::FileNameBadChar, {}};
        }
    }
    return {std::nullopt, name};
}

Checked pageList(const std::string& text) {
    static const std::string wideMinus = textcodec::utf8ToCp932("－");
    static const std::string wideComma = textcodec::utf8ToCp932("，");
    std::string half = cp932::fullWidthDigitsToHalf(text);
    half = cp932::replaceWideChar(half, wideMinus, '-');
    half = cp932::replaceWideChar(half, wideComma, ',');
    if (half.empty()) {
        return {Msg::EnvPageListEmpty, {}};
    }
    const bool onlyListChars = std::all_of(half.begin(), half.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == ',' || c == '-';
    });
    if (!onlyListChars) {
        return {Msg::EnvPageListInvalid, {}};
    }
    bool outOfRange = false;
    std::size_t start = 0;
    while (start <= half.size()) {
        const std::size_t comma = std::min(half.find(',', start), half.size());
        const std::string_view item = std::string_view(half).substr(start, comma - start);
        const std::size_t dash = item.find('-');
        const std::string_view first = item.substr(0, dash);
        const std::string_view second =
            dash == std::string_view::npos ? std::string_view("1") : item.substr(dash + 1);
        if (!allDigits(first) || !allDigits(second)) {
            return {Msg::EnvPageListInvalid, {}};
        }
        for (const std::string_view number : {first, second}) {
            const int value = boundedValue(number, 9999);
            outOfRange = outOfRange || value < 1 || value > 9999;
        }
        start = comma + 1;
    }
    if (outOfRange) {
        return {Msg::EnvPageListRange, {}};
    }
    return {std::nullopt, half};
}

} // namespace envcheck
