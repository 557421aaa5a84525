#pragma once

#include "image/PixHandle.h"

#include <memory>
#include <string>

namespace poppler {
class document;
}

// Owner of one poppler PDF document. poppler's diagnostics are silenced on first use and its
// exceptions never leave this class; failures come back as image library result codes.
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
    std::unique_ptr<poppler::document> m_document;
};
