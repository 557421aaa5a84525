#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct Pix;

// The file-writing side of the image library: whole-file saves that replace a file only once the
// new content is complete, and appending pages to multi-page G4 TIFFs (1-bit pages streamed row by
// row).
class ImageLibraryFiles {
public:
    // Silences libtiff's and Leptonica's diagnostics (poppler's are silenced where it is opened).
    static void silenceLibraries();

    // ErrFileNotFound when path does not exist, else ErrFileFormat.
    static int unrecognised(const std::string& path);

    // Writes pix (already in the depth the format needs) in format into a temporary file beside
    // path, then renames it over path. A TIFF gets subfileType in its directory when one is given.
    static int writeReplacing(const std::string& path, Pix* pix, int format,
                              std::optional<std::uint32_t> subfileType = std::nullopt);

    // A new, empty file beside path with a short name of its own, for a new file to be written
    // under before it is renamed into place; nothing when the folder cannot take it.
    static std::optional<std::string> temporaryBeside(const std::string& path);
    // Moves a completely written temporary file over path; removes it when that fails or when it
    // was not written completely.
    static int commit(const std::string& temporary, const std::string& path, bool written);

    static int appendPage(const std::string& source, int page, const std::string& target);
};
