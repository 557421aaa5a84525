#include "renamelist/CharClass.h"

#include <algorithm>
#include <array>

namespace CharClass {

namespace {

struct Range {
    unsigned first;
    unsigned last;
};

constexpr std::array<unsigned char, 9> kForbiddenHalf{0x5C, 0x2F, 0x3A, 0x2A, 0x3F,
                                                      0x22, 0x3C, 0x3E, 0x7C};
constexpr std::array<unsigned, 9> kForbiddenFull{0x818F, 0x815E, 0x8146, 0x8196, 0x8148,
                                                 0x8168, 0x8183, 0x8184, 0x8162};
constexpr std::array<Range, 9> kSymbolHalf{{{0x21, 0x21},
                                            {0x23, 0x29},
                                            {0x2B, 0x2E},
                                            {0x3B, 0x3B},
                                            {0x3D, 0x3D},
                                            {0x40, 0x40},
                                            {0x5B, 0x5B},
                                            {0x5D, 0x60},
                                            {0x7B, 0x7B}}};
constexpr std::array<unsigned char, 2> kSymbolHalfSingles{0x7D, 0x7E};
constexpr std::array<unsigned, 24> kSymbolFull{
    0x8149, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166, 0x8169, 0x816A, 0x817B, 0x8143, 0x817C, 0x8144,
    0x8147, 0x8181, 0x8197, 0x816E, 0x816D, 0x814F, 0x8151, 0x8165, 0x816F, 0x8170, 0x8160, 0x8141};

template <typename Table, typename Value> bool inTable(const Table& table, Value value) {
    return std::find(table.begin(), table.end(), value) != table.end();
}

bool inRanges(unsigned value) {
    return std::any_of(kSymbolHalf.begin(), kSymbolHalf.end(),
                       [value](Range r) { return value >= r.first && value <= r.last; });
}

} // namespace

Kind classifyHalfWidth(unsigned char byte) {
    if (byte >= '0' && byte <= '9') {
        return Number;
    }
    if (byte >= 'A' && byte <= 'Z') {
        return UpperCase;
    }
    if (byte >= 'a' && byte <= 'z') {
        return LowerCase;
    }
    if (inTable(kForbiddenHalf, byte)) {
        return Forbidden;
    }
    if (inRanges(byte) || inTable(kSymbolHalfSingles, byte)) {
        return Symbol;
    }
    return None;
}

Kind classifyFullWidth(unsigned code) {
    if (code >= 0x824F && code <= 0x8258) {
        return Number;
    }
    if (code >= 0x8260 && code <= 0x8279) {
        return UpperCase;
    }
    if (code >= 0x8281 && code <= 0x829A) {
        return LowerCase;
    }
    if (inTable(kForbiddenFull, code)) {
        return Forbidden;
    }
    if (inTable(kSymbolFull, code)) {
        return Symbol;
    }
    return None;
}

Kind classify(std::string_view character) {
    if (character.size() == 1) {
        return classifyHalfWidth(static_cast<unsigned char>(character[0]));
    }
    if (character.size() == 2) {
        return classifyFullWidth(static_cast<unsigned char>(character[0]) * 256u +
                                 static_cast<unsigned char>(character[1]));
    }
    return None;
}

} // namespace CharClass
