#pragma once

#include <string>

// Data type of a rename-list column; the codes are those stored in template files.
enum class ColumnType { Text = 1, Integer = 2, Real = 3, Date = 4, PaperSize = 5 };

bool isValidColumnType(int code);
// The name the template editor shows, in cp932 ("ﾃｷｽﾄ", "整数", ...); empty for unknown codes.
std::string columnTypeName(int code);
// Text, integer and real columns carry digits (and decimals) in the template file.
bool hasDigits(int code);
// The highest alignment kind the value formatter understands for the type (text 2, integer and
// real 3 for zero padding, date 1 for "YYMMDD", paper size 0); -1 for unknown codes.
int maxAlignment(int code);
