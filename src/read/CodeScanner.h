#pragma once

#include "read/SheetReading.h"

#include <cstdint>
#include <vector>

// Finds QR, Data Matrix, Code 128 and Code 39 symbols on an 8-bit grey page (0 black, 255 white).
class CodeScanner {
public:
    static std::vector<ReadCode> scan(const std::uint8_t* grey, int width, int height, int stride);
};
