#pragma once

#include <string>

struct Pix;

// The file-writing side of the image library: whole-file saves that replace a file only once the
// new content is complete, and the row-streaming work on 1-bit TIFF pages (appending, thinning).
class ImageLibraryFiles {
public:
    // Silences libtiff's and Leptonica's diagnostics (poppler's are silenced where it is opened).
    static void silenceLibraries();

    // ErrFileNotFound when path does not exist, else ErrFileFormat.
    static int unrecognised(const std::string& path);

    // Writes pix (already in the depth the format needs) in format into a temporary file beside
    // path, then renames it over path.
    static int writeReplacing(const std::string& path, Pix* pix, int format);

    static int appendPage(const std::string& source, int page, const std::string& target);
    static int thinTiffPage(const std::string& source, int page, int factor,
                            const std::string& target);
};
