#pragma once

#include "image/ImageLibrary.h"

#include <string>
#include <vector>

// Writes reduced copies of one TIFF page, decoding the page once for all of them and holding only
// a band of its rows. A 1-bit black-and-white page is thinned: every step-th pixel of every
// step-th row into a single-strip G4 page in the source's photometric sense, the step being the
// factor, raised when a side of the copy would pass 32768 pixels. Any other page it can decode is
// averaged over factor x factor blocks (factor at most 257) into a 24-bit RGB deflate page of
// max(1, width / factor) x max(1, height / factor). Copies keep the source's resolution. Each copy
// is written beside its target and renamed into place once all are complete; a failure leaves none
// of them.
class TiffPageReducer {
public:
    enum class Pages { BilevelOnly, Any };

    // ErrUnsupported for a page it cannot stream (a colour page when only bilevel ones are
    // accepted); other library codes as the image library gives them.
    static int reduce(const std::string& source, int page,
                      const std::vector<ImageLibrary::Reduction>& copies, Pages accepted);
};
