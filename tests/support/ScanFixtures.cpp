#include "support/ScanFixtures.h"

#include "support/ImageFixtures.h"

#include <cmath>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <leptonica/allheaders.h>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <tiffio.h>

namespace fs = std::filesystem;

void ScanFixtures::writeJpeg(const std::string& path, int width, int height, int dpi) {
    PIX* pix = pixCreate(width, height, 8);
    pixSetAllArbitrary(pix, 200);
    for (int y = 0; y < height; y += 7) {
        for (int x = 0; x < width; ++x) {
            pixSetPixel(pix, x, y, 20);
        }
    }
    pixSetResolution(pix, dpi, dpi);
    setMsgSeverity(L_SEVERITY_NONE);
    pixWrite(path.c_str(), pix, IFF_JFIF_JPEG);
    pixDestroy(&pix);
}

void ScanFixtures::writeBilevelTiffMm(const std::string& path, int widthMm, int heightMm, int dpi,
                                      int pages, bool rightHalfBlack) {
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
    const auto width = static_cast<std::uint32_t>(std::lround(widthMm / 25.4 * dpi));
    const auto height = static_cast<std::uint32_t>(std::lround(heightMm / 25.4 * dpi));
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    std::vector<std::uint8_t> row((width + 7) / 8);
    for (int page = 0; page < pages; ++page) {
        TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
        TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 1);
        TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
        TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, height);
        TIFFSetField(tif, TIFFTAG_XRESOLUTION, static_cast<float>(dpi));
        TIFFSetField(tif, TIFFTAG_YRESOLUTION, static_cast<float>(dpi));
        TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        for (std::uint32_t y = 0; y < height; ++y) {
            std::fill(row.begin(), row.end(), 0);
            if (y == 0 || y + 1 == height) {
                std::fill(row.begin(), row.end(), 0xff);
            }
            for (std::uint32_t x = width / 2; rightHalfBlack && x < width; ++x) {
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
            row.front() |= 0x80;
            row[(width - 1) / 8] |= static_cast<std::uint8_t>(0x80 >> ((width - 1) % 8));
            TIFFWriteScanline(tif, row.data(), y, 0);
        }
        TIFFWriteDirectory(tif);
    }
    TIFFClose(tif);
}

void ScanFixtures::writePlot(const std::string& path, int pages) {
    std::ostringstream out;
    out << "IN;SP1;";
    for (int page = 0; page < pages; ++page) {
        const int size = 1000 + 500 * page;
        out << "PU0,0;PD" << size << ",0," << size << "," << size << ",0," << size
            << ",0,0;PU0,0;PD" << size << "," << size << ";PU;";
        if (page + 1 < pages) {
            out << "PG;";
        }
    }
    ImageFixtures::writeBytes(path, out.str());
}

std::string ScanFixtures::writeConverterScript(const std::string& folder, const std::string& body) {
    const std::string path = folder + "/hp2xx";
    ImageFixtures::writeBytes(path, "#!/bin/sh\n" + body + "\n");
    fs::permissions(path, fs::perms::owner_all);
    return path;
}

std::string ScanFixtures::writeUnstartableConverter(const std::string& folder) {
    const std::string path = folder + "/hp2xx";
    ImageFixtures::writeBytes(path, "#!/nonexistent/interpreter\n");
    fs::permissions(path, fs::perms::owner_all);
    return path;
}

std::vector<std::string>
ScanFixtures::fuzzedCopies(const std::string& source, const std::string& folder,
                           const std::string& prefix, const std::string& extension, int count,
                           int flips, std::size_t keep, std::uint32_t seed) {
    std::ifstream in(source, std::ios::binary);
    const std::string original((std::istreambuf_iterator<char>(in)), {});
    std::mt19937 random(seed);
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        std::string bytes = original;
        if (bytes.size() > keep) {
            std::uniform_int_distribution<std::size_t> where(keep, bytes.size() - 1);
            std::uniform_int_distribution<int> value(0, 255);
            for (int f = 0; f < flips; ++f) {
                bytes[where(random)] = static_cast<char>(value(random));
            }
        }
        const std::string path = folder + "/" + prefix + std::to_string(i) + "." + extension;
        ImageFixtures::writeBytes(path, bytes);
        paths.push_back(path);
    }
    return paths;
}

void ScanFixtures::setModified(const std::string& path, long long seconds) {
    const timespec times[2] = {{static_cast<time_t>(seconds), 0},
                               {static_cast<time_t>(seconds), 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}
