#pragma once

#include "image/PixHandle.h"

#include <memory>
#include <string>

// Owner of one PDF document, opened through the PDF module (poppler), which is loaded when the
// first document is opened so that a process that never touches a PDF never maps poppler.
// Failures come back as image library result codes; a missing module fails like an unreadable
// file.
class PopplerDocument {
public:
    PopplerDocument();
    ~PopplerDocument();
    PopplerDocument(const PopplerDocument&) = delete;
    PopplerDocument& operator=(const PopplerDocument&) = delete;

    int open(const std::string& path);
    int pageCount() const;

    // page is 1-based; size in points (1/72 inch), as the page is shown (rotation applied).
    int pageSize(int page, double& widthPoints, double& heightPoints) const;

    // Renders the page at dpi onto white, as a 32-bit bitmap with the resolution set.
    int render(int page, double dpi, PixHandle& out) const;

private:
    struct Close {
        void operator()(void* document) const;
    };
    std::unique_ptr<void, Close> m_document;
};
