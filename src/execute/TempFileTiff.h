#pragma once

#include "image/TiffHandle.h"

class FileChanges;
class TempFile;

// A TIFF written into a temporary file whose every write goes through the FileChanges seam, so
// that a failing disk shows up in the TIFF's writes as it would on the real one. The object
// must outlive the handle it opens.
class TempFileTiff {
public:
    TempFileTiff(FileChanges& changes, TempFile& temp) : m_changes(changes), m_temp(temp) {}
    TempFileTiff(const TempFileTiff&) = delete;
    TempFileTiff& operator=(const TempFileTiff&) = delete;

    // Opens the (empty) temporary file for writing; an empty handle when libtiff refuses.
    TiffHandle open();
    // True when any write failed, even one that libtiff did not report.
    bool failed() const { return m_failed; }

private:
    FileChanges& m_changes;
    TempFile& m_temp;
    bool m_failed = false;

    friend struct TempFileTiffProcs;
};
