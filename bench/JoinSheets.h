#pragma once

// The pages of the join benchmarks: an A0, three A1 (one of them landscape) and an A3 1-bit G4
// scan at 200 dpi, written with the tests' fixture writer, in the order they are joined.
#include "support/ImageFixtures.h"

#include <cstdint>
#include <string>
#include <tiffio.h>
#include <vector>

struct JoinSheet {
    const char* name;
    std::uint32_t width;
    std::uint32_t height;
};

inline constexpr JoinSheet kJoinSheets[] = {{"a0.tif", 6622, 9362},
                                            {"a1-1.tif", 4681, 6622},
                                            {"a1-2.tif", 6622, 4681},
                                            {"a1-3.tif", 4681, 6622},
                                            {"a3.tif", 2339, 3307}};

// Writes the sheets into folder (which exists) and returns their paths in joining order.
inline std::vector<std::string> writeJoinSheets(const std::string& folder) {
    std::vector<std::string> paths;
    for (const JoinSheet& sheet : kJoinSheets) {
        ImageFixtures::TiffLayout layout;
        layout.width = sheet.width;
        layout.height = sheet.height;
        layout.compression = COMPRESSION_CCITTFAX4;
        layout.xDpi = layout.yDpi = 200.0f;
        paths.push_back(folder + "/" + sheet.name);
        ImageFixtures::writeTiff(paths.back(), layout);
    }
    return paths;
}
