#pragma once

#include "image/ImageLibrary.h"

#include <string>

// The reading side of the image library: page information and loading pages of TIFF, JPEG, PNG,
// BMP and PDF files, each recognised by its content.
class ImageLibraryPages {
public:
    static int pageInfo(const std::string& path, int page, ImageLibrary::PageInfo& info);
    static int loadPage(const std::string& path, int page, PixHandle& out);
    static int loadPdfPage(const std::string& path, int page, double dpi, PixHandle& out);
};
