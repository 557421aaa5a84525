#include "template/ColumnType.h"

#include "base/TextCodec.h"

bool isValidColumnType(int code) {
    return code >= 1 && code <= 5;
}

std::string columnTypeName(int code) {
    switch (code) {
    case 1:
        return textcodec::utf8ToCp932("ﾃｷｽﾄ");
    case 2:
        return textcodec::utf8ToCp932("整数");
    case 3:
        return textcodec::utf8ToCp932("実数");
    case 4:
        return textcodec::utf8ToCp932("日付");
    case 5:
        return textcodec::utf8ToCp932("用紙ｻｲｽﾞ");
    default:
        return {};
    }
}

bool hasDigits(int code) {
    return code == static_cast<int>(ColumnType::Text) ||
           code == static_cast<int>(ColumnType::Integer) ||
           code == static_cast<int>(ColumnType::Real);
}

int maxAlignment(int code) {
    switch (code) {
    case 1:
        return 2;
    case 2:
    case 3:
        return 3;
    case 4:
        return 1;
    case 5:
        return 0;
    default:
        return -1;
    }
}
