#pragma once

// The rename list at its largest: a template of 300 columns of every type and a list file of
// 1000 lines of deterministic values, shared by the load and the check benchmarks.
#include "base/TextCodec.h"
#include "template/Template.h"

#include <fstream>
#include <string>

inline constexpr int kListColumns = 300;
inline constexpr int kListLines = 1000;

inline Template wideTemplate() {
    Template t;
    t.name = "bench";
    for (int k = 0; k < kListColumns; ++k) {
        ColumnDef c;
        c.name = "c" + std::to_string(k);
        c.type = k % 5 + 1;
        c.sourceField = k + 1;
        c.fileName = k == 0;
        c.restriction = {0, 0, 0, 1, 0};
        t.columns.push_back(c);
    }
    t.columns[0].sort1 = 1;
    t.columns[1].sort2 = 2;
    return t;
}

// Deterministic values of every type; the kanji text exercises the double-byte paths.
inline std::string listField(int line, int k) {
    static const std::string kanji = textcodec::utf8ToCp932("図面番号");
    const int v = (line * 7919 + k * 104729) % 100000;
    switch (k % 5) {
    case 0:
        return kanji + std::to_string(v % 97);
    case 1:
        return std::to_string(v);
    case 2:
        return std::to_string(v / 100) + "." + std::to_string(v % 1000);
    case 3:
        return std::to_string(1970 + v % 60) + "/" + std::to_string(v % 12 + 1) + "/" +
               std::to_string(v % 28 + 1);
    default:
        return "A" + std::to_string(v % 5);
    }
}

// Writes the list file and returns its path.
inline std::string writeWideList(const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (int line = 1; line <= kListLines; ++line) {
        for (int k = 0; k < kListColumns; ++k) {
            const std::string value = listField(line, k);
            out << (k ? "," : "") << (k % 10 == 5 ? "\"" + value + "\"" : value);
        }
        out << "\r\n";
    }
    return path;
}
