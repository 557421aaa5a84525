#pragma once

// The setting ExportType: which export file a rename run writes. Values outside 1 to 4 mean None.
enum class ExportType { None = 0, Ledgra = 1, Agent = 2, RenameListCsv = 3, RowCsv = 4 };

inline ExportType exportTypeOf(int setting) {
    return setting >= 1 && setting <= 4 ? static_cast<ExportType>(setting) : ExportType::None;
}
