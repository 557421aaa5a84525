#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Fixture makers of the image list and preview tests: JPEG files, HP-GL/2 plots, stand-ins for
// the plot converter, deterministically damaged copies and file times.
class ScanFixtures {
public:
    // A grey JPEG of width x height pixels; dpi 0 writes no resolution.
    static void writeJpeg(const std::string& path, int width, int height, int dpi);

    // A 1-bit TIFF of the given size in millimetres at dpi (G4, blank apart from a frame; with
    // rightHalfBlack, the pages' right halves are black).
    static void writeBilevelTiffMm(const std::string& path, int widthMm, int heightMm, int dpi,
                                   int pages = 1, bool rightHalfBlack = false);

    // An HP-GL/2 plot of the given number of pages (each a square and a diagonal).
    static void writePlot(const std::string& path, int pages);

    // An executable shell script named hp2xx in folder with the given body (after "#!/bin/sh").
    static std::string writeConverterScript(const std::string& folder, const std::string& body);
    // An "hp2xx" whose interpreter does not exist, so it cannot be started.
    static std::string writeUnstartableConverter(const std::string& folder);

    // Copies of source with bytes changed at positions drawn from seed: count copies, each with
    // flips changed bytes after the first keep bytes (so the magic stays).
    static std::vector<std::string> fuzzedCopies(const std::string& source,
                                                 const std::string& folder,
                                                 const std::string& prefix,
                                                 const std::string& extension, int count, int flips,
                                                 std::size_t keep, std::uint32_t seed);

    // Sets the last-write time (seconds since the epoch).
    static void setModified(const std::string& path, long long seconds);
};
