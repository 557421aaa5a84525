#pragma once

#include <string>
#include <vector>

// Why a file could not be read.
enum class ReadFailure {
    None,
    Missing,    // no such file, or not a regular file
    Unreadable, // not an image the program reads
    TooLarge,   // the page exceeds the size the reader holds in memory
    Damaged,    // the data ends early or is broken
    Cancelled,  // reading was cancelled before this file
};

// The operator's text for a failure (UTF-8); empty for None.
const char* readFailureText(ReadFailure failure);

// One code found on a sheet: its symbology as ZXing names it ("QRCode", "DataMatrix",
// "Code128", "Code39") and its text (UTF-8).
struct ReadCode {
    std::string format;
    std::string text;
};

// A part of a page as fractions of its width and height (0 to 1), in the page's own orientation.
struct ReadRegion {
    double left = 0.0;
    double top = 0.0;
    double right = 1.0;
    double bottom = 1.0;

    bool operator==(const ReadRegion&) const = default;
};

// What was read from the first page of one image file.
struct SheetReading {
    std::vector<ReadCode> codes;
    std::string text;     // the title-block text, UTF-8, lines joined by spaces
    int quarterTurns = 0; // clockwise quarter turns that made the title block legible
    ReadFailure failure = ReadFailure::None;

    bool failed() const { return failure != ReadFailure::None; }
};
