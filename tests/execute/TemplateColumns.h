#pragma once

#include "template/ColumnDef.h"

// A template column of the given type for the execution tests.
inline ColumnDef col(int type, bool fileName, int digits = 0, int alignment = 0, int decimals = 0) {
    ColumnDef c;
    c.type = type;
    c.fileName = fileName;
    c.digits = digits;
    c.alignment = alignment;
    c.decimals = decimals;
    return c;
}
