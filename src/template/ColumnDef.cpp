#include "template/ColumnDef.h"

#include "template/ColumnType.h"

int ColumnDef::effectiveDigits() const {
    if (digits > 0) {
        return digits;
    }
    return type == static_cast<int>(ColumnType::Text) ? 100 : 9;
}

int ColumnDef::effectiveDecimals() const {
    if (type != static_cast<int>(ColumnType::Real)) {
        return 0;
    }
    return decimals > 0 ? decimals : 2;
}
