#include "template/ColumnDetail.h"

#include "base/Cp932.h"
#include "base/TextCodec.h"
#include "template/ColumnType.h"

namespace columndetail {

namespace {

std::vector<std::string> cp932List(std::initializer_list<const char*> utf8) {
    std::vector<std::string> out;
    for (const char* s : utf8) {
        out.push_back(textcodec::utf8ToCp932(s));
    }
    return out;
}

bool isNumberType(int type) {
    return type == static_cast<int>(ColumnType::Integer) ||
           type == static_cast<int>(ColumnType::Real);
}

} // namespace

ColumnDetailLayout layoutFor(int type) {
    ColumnDetailLayout l;
    if (type == static_cast<int>(ColumnType::Text)) {
        l.digitsEnabled = true;
        l.digitsMax = 100;
        l.restrictionsEnabled = true;
        l.alignmentEntries = cp932List(
            {"切り詰め", "左詰め　余り空白埋め（１２３△△）", "右詰め　余り空白埋め（△△１２３）"});
    } else if (isNumberType(type)) {
        l.digitsEnabled = true;
        l.digitsMax = 9;
        l.decimalsEnabled = type == static_cast<int>(ColumnType::Real);
        l.shortWindow = true;
        l.alignmentEntries =
            cp932List({"切り詰め", "左詰め　余り空白埋め（１２３△△）",
                       "右詰め　余り空白埋め（△△１２３）", "右詰め　余り０埋め（００１２３）"});
    } else if (type == static_cast<int>(ColumnType::Date)) {
        l.shortWindow = true;
        l.alignmentEntries = cp932List({"YYYYMMDD", "YYMMDD"});
    }
    return l;
}

ColumnDetail opened(int type, ColumnDetail stored) {
    ColumnDetail d = stored;
    if (type == static_cast<int>(ColumnType::Text) && d.digits == 0) {
        d.digits = 100;
    } else if (isNumberType(type)) {
        if (d.digits == 0 || d.digits > 9) {
            d.digits = 9;
        }
        if (type == static_cast<int>(ColumnType::Real) && d.decimals == 0) {
            d.decimals = 2;
        }
    }
    if (d.alignment < 0 || d.alignment > maxAlignment(type)) {
        d.alignment = 0;
    }
    return d;
}

std::optional<int> parseNumber(std::string_view cp932Text, int min, int max) {
    const std::string fullWidthZero = textcodec::utf8ToCp932("０");
    std::string narrowed;
    for (std::size_t i = 0; i < cp932Text.size();) {
        const std::size_t len = cp932::charLength(cp932Text, i);
        const std::string_view ch = cp932Text.substr(i, len);
        // The full-width digits are 0x82 0x4F to 0x82 0x58.
        if (len == 2 && ch[0] == fullWidthZero[0] &&
            static_cast<unsigned char>(ch[1]) >= static_cast<unsigned char>(fullWidthZero[1]) &&
            static_cast<unsigned char>(ch[1]) <= static_cast<unsigned char>(fullWidthZero[1]) + 9) {
            narrowed.push_back(
                static_cast<char>('0' + (static_cast<unsigned char>(ch[1]) -
                                         static_cast<unsigned char>(fullWidthZero[1]))));
        } else {
            narrowed.append(ch);
        }
        i += len;
    }
    std::string digits = cp932::trim(narrowed);
    if (digits.empty()) {
        return std::nullopt;
    }
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    digits.erase(0, digits.find_first_not_of('0'));
    if (digits.size() > std::to_string(max).size()) {
        return std::nullopt;
    }
    const int value = digits.empty() ? 0 : std::stoi(digits);
    if (value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

std::variant<ColumnDetail, ColumnDetailRefusal> accept(int type, std::string_view digitsText,
                                                       std::string_view decimalsText, int alignment,
                                                       const std::array<int, 5>& restriction) {
    const ColumnDetailLayout layout = layoutFor(type);
    ColumnDetail d;
    if (layout.digitsEnabled) {
        const auto digits = parseNumber(digitsText, layout.digitsMin, layout.digitsMax);
        if (!digits) {
            return ColumnDetailRefusal{type == static_cast<int>(ColumnType::Text)
                                           ? Msg::EditorDigitsText
                                           : Msg::EditorDigitsNumber,
                                       true};
        }
        d.digits = *digits;
    }
    if (layout.decimalsEnabled) {
        const auto decimals = parseNumber(decimalsText, kDecimalsMin, kDecimalsMax);
        if (!decimals) {
            return ColumnDetailRefusal{Msg::EditorDecimals, false};
        }
        d.decimals = *decimals;
    } else {
        d.decimals = parseNumber(decimalsText, 0, kDecimalsMax).value_or(0);
    }
    d.alignment = layout.alignmentEntries.empty() ? -1 : alignment;
    d.restriction = restriction;
    return d;
}

std::string restrictionText(const std::array<int, 5>& restriction) {
    std::string out;
    for (int code : restriction) {
        out += std::to_string(code) + ".";
    }
    return out;
}

} // namespace columndetail
