#pragma once

#include <string>
#include <vector>

class FileChanges;
class TiffG4Writer;
class TiffHandle;

// Joins the pages of several image files into one multi-page 1-bit CCITT G4 TIFF. A page that is
// already 1-bit G4 is copied as its compressed strips (bit-identical, never decoded, memory of one
// strip); other pages are decoded and encoded as 1-bit G4. The file is built under a temporary
// name in the target's folder and renamed onto the target only once every page is in it, so the
// target is either untouched or the complete join.
class PageJoiner {
public:
    // One file to join, every page of it. pages is the count the image list showed (0: not
    // known); a file that now holds a different number of pages fails the join.
    struct Source {
        std::string path; // cp932
        int pages = 0;
    };

    explicit PageJoiner(FileChanges& changes) : m_changes(changes) {}

    // Joins the sources in order. Without replace an existing target is never touched. Returns an
    // image library result code.
    int join(const std::vector<Source>& sources, const std::string& target, bool replace);

private:
    int appendFile(TiffG4Writer& writer, const Source& source);
    int appendPage(TiffG4Writer& writer, TiffHandle& in, const std::string& nativePath, int page);

    FileChanges& m_changes;
};
