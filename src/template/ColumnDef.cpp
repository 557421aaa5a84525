#include "template/ColumnDef.h"

#include "template/ColumnType.h"

int ColumnDef::effectiveDigits() const {
    if (type == static_cast<int>(ColumnType::Text)) {
        return (digits <= 0 || digits > 100) ? 100 : digits;
    }
    return (digits <= 0 || digits > 9) ? 9 : digits;
}

int ColumnDef::effectiveDecimals() const {
    if (type != static_cast<int>(ColumnType::Real)) {
        return 0;
    }
    return (decimals <= 0 || decimals > 2) ? 2 : decimals;
}
