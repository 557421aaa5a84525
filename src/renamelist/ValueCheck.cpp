#include "renamelist/ValueCheck.h"

#include "base/Cp932.h"
#include "renamelist/DateValue.h"
#include "renamelist/NumberValue.h"
#include "renamelist/TextRestriction.h"
#include "template/ColumnType.h"

#include <optional>

namespace ValueCheck {

namespace {

constexpr std::size_t kPaperSizeBytes = 100;

enum class LongText { Invalid, Cut };

Result fromOptional(std::optional<std::string> value) {
    Result r;
    r.valid = value.has_value();
    if (value) {
        r.value = std::move(*value);
    }
    return r;
}

Result checkText(const ColumnDef& column, std::string_view value, LongText longText) {
    Result r;
    if (!isCleanText(value)) {
        return r;
    }
    std::string v(value);
    const auto digits = static_cast<std::size_t>(column.effectiveDigits());
    if (cp932::charCount(v) > digits) {
        const bool cut = longText == LongText::Cut || (column.fileName && column.alignment == 0);
        if (!cut) {
            return r;
        }
        v = cp932::cutChars(v, digits);
    }
    switch (TextRestriction(column).test(v)) {
    case TextRestriction::Outcome::Passed:
        r.valid = true;
        r.value = std::move(v);
        break;
    case TextRestriction::Outcome::Malformed:
        r.restrictionMalformed = true;
        break;
    case TextRestriction::Outcome::Rejected:
        break;
    }
    return r;
}

Result checkPaperSize(std::string_view value) {
    Result r;
    r.valid = value.size() <= kPaperSizeBytes && isCleanText(value);
    if (r.valid) {
        r.value = std::string(value);
    }
    return r;
}

} // namespace

Result importValue(const ColumnDef& column, std::string_view value,
                   const std::string& initialDate) {
    switch (static_cast<ColumnType>(column.type)) {
    case ColumnType::Text:
        return checkText(column, value, LongText::Invalid);
    case ColumnType::Integer:
        return fromOptional(NumberValue::importInteger(value, column.effectiveDigits()));
    case ColumnType::Real:
        return fromOptional(
            NumberValue::importReal(value, column.effectiveDigits(), column.effectiveDecimals()));
    case ColumnType::Date: {
        Result r = fromOptional(DateValue::check(value));
        if (r.valid && r.value.empty()) {
            r.value = initialDate;
        }
        return r;
    }
    case ColumnType::PaperSize:
        return checkPaperSize(value);
    }
    return {};
}

Result editValue(const ColumnDef& column, std::string_view value) {
    switch (static_cast<ColumnType>(column.type)) {
    case ColumnType::Text:
        return checkText(column, value, LongText::Cut);
    case ColumnType::Integer:
        return fromOptional(NumberValue::editInteger(value, column.effectiveDigits()));
    case ColumnType::Real:
        return fromOptional(
            NumberValue::editReal(value, column.effectiveDigits(), column.effectiveDecimals()));
    case ColumnType::Date:
        return fromOptional(DateValue::check(value));
    case ColumnType::PaperSize:
        return checkPaperSize(value);
    }
    return {};
}

bool isCleanText(std::string_view value) {
    for (std::size_t i = 0; i < value.size();) {
        const std::size_t length = cp932::charLength(value, i);
        const auto byte = static_cast<unsigned char>(value[i]);
        if (length == 1 && (byte == 0 || (byte >= 0x80 && !cp932::isHalfWidthKatakana(byte)))) {
            return false;
        }
        i += length;
    }
    return true;
}

} // namespace ValueCheck
