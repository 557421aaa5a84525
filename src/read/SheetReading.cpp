#include "read/SheetReading.h"

const char* readFailureText(ReadFailure failure) {
    switch (failure) {
    case ReadFailure::None:
        return "";
    case ReadFailure::Missing:
        return "ファイルがありません";
    case ReadFailure::Unreadable:
        return "読み取れない形式です";
    case ReadFailure::TooLarge:
        return "画像が大きすぎます";
    case ReadFailure::Damaged:
        return "画像が壊れています";
    case ReadFailure::Cancelled:
        return "読取りを中止しました";
    }
    return "";
}
