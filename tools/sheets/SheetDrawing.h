#pragma once

#include <QImage>

#include <string>

struct tiff;

// Drawn sheets for the demo, the tests and the benchmarks: white 8-bit grey pages in real
// millimetres and resolutions, a title block as CAD templates draw it (drawing number, Japanese
// title, scale, date) in the IPA Gothic face, codes from ZXing's writer, and the flaws of a
// scanner (skew, speckle). Written as 1-bit G4 TIFF, JPEG or PDF.
namespace sheetdrawing {

struct TitleBlock {
    std::string number; // UTF-8
    std::string title;
    std::string scale;
    std::string date;
    std::string qrCode;  // a QR code beside the block when not empty
    std::string code128; // a Code 128 bar code above the block when not empty
};

// Makes sure a Qt GUI application exists (offscreen when no platform is chosen), as fonts need.
void ensureApplication();

QImage blankPage(double widthMm, double heightMm, int dpi);
// A frame 10 mm inside the page and the title block in its bottom-right corner, 170 x 40 mm (or
// narrower on a small page).
void drawTitleBlock(QImage& page, int dpi, const TitleBlock& block);
// The symbol of text in format ("QRCode", "DataMatrix", "Code128", "Code39"), its top-left
// corner at (xMm, yMm), sizeMm wide.
void drawCode(QImage& page, int dpi, const std::string& format, const std::string& text, double xMm,
              double yMm, double sizeMm);

// Turned by degrees about the centre, the corners white.
QImage skewed(const QImage& page, double degrees);
// Turned clockwise by quarter turns.
QImage turned(const QImage& page, int quarterTurns);
// Sets a fraction of the pixels black, at random places of a fixed seed.
void speckle(QImage& page, double fraction, unsigned seed);

// One 1-bit G4 page (threshold at mid grey) into an open TIFF; page/pages for a multi-page file.
bool writeG4Page(tiff* t, const QImage& page, int dpi, int pageIndex, int pages);
bool writeG4(const QImage& page, const std::string& path, int dpi);
bool writeJpeg(const QImage& page, const std::string& path, int dpi);
bool writePdf(const QImage& page, const std::string& path, int dpi);

} // namespace sheetdrawing
