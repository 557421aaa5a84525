#pragma once

#include <string>
#include <vector>

class ImageFileHandle;
class PopplerDocument;

// The measured size of one page.
struct PageFacts {
    int page = 0; // 1-based
    int widthPx = 0;
    int heightPx = 0;
    int bitsPerPixel = 0;
    int xDpi = 0; // as the file states it, 0 when it states none
    int yDpi = 0;
    int widthMm = 0;
    int heightMm = 0;
};

// Measures pages in whole millimetres: raster pages from their pixel size and resolution (the
// JPGResolution setting standing in when a side comes out as 0), PDF pages from their size in
// points. Results are image library codes (1 success).
class PageMeasure {
public:
    // truncate(pixels / dpi * 25.4 + 0.5); 0 for a resolution of 0.
    static int pixelsToMm(int pixels, int dpi);
    // truncate(points * 25.4 / 72 + 0.5).
    static int pointsToMm(double points);

    static PageFacts fromPixels(int page, int widthPx, int heightPx, int bitsPerPixel, int xDpi,
                                int yDpi, int jpgResolution);
    static PageFacts fromPoints(int page, double widthPoints, double heightPoints);

    // Every page of a TIFF file, read directory by directory (one pass, no pixel data).
    static int tiffPages(const std::string& path, int jpgResolution, std::vector<PageFacts>& out);
    // The same through a file already open.
    static int tiffPages(const ImageFileHandle& file, const std::string& path, int jpgResolution,
                         std::vector<PageFacts>& out);
    // The single page of a JPEG (or other single-page raster) file through the image library.
    static int rasterPage(const std::string& path, int jpgResolution, PageFacts& out);
    // Every page of a PDF file.
    static int pdfPages(const std::string& path, std::vector<PageFacts>& out);
    // The same through a document already open.
    static int pdfPages(const PopplerDocument& document, std::vector<PageFacts>& out);
};
