#include "sheets/SheetDrawing.h"

#define ZX_USE_UTF8 1
#include <ZXing/BarcodeFormat.h>
#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <QFont>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTransform>

#include <tiffio.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

namespace sheetdrawing {
namespace {

double px(double mm, int dpi) {
    return mm * dpi / 25.4;
}

QFont gothic(double heightMm, int dpi) {
    QFont font("IPAGothic");
    font.setPixelSize(std::max(6, static_cast<int>(std::lround(px(heightMm, dpi)))));
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

} // namespace

void ensureApplication() {
    if (QGuiApplication::instance() != nullptr) {
        return;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    static int argc = 1;
    static char name[] = "sheets";
    static char* argv[] = {name, nullptr};
    static auto* app = new QGuiApplication(argc, argv);
    (void)app;
}

QImage blankPage(double widthMm, double heightMm, int dpi) {
    QImage page(static_cast<int>(std::lround(px(widthMm, dpi))),
                static_cast<int>(std::lround(px(heightMm, dpi))), QImage::Format_Grayscale8);
    page.fill(255);
    const int dpm = static_cast<int>(std::lround(dpi / 0.0254));
    page.setDotsPerMeterX(dpm);
    page.setDotsPerMeterY(dpm);
    return page;
}

void drawTitleBlock(QImage& page, int dpi, const TitleBlock& block) {
    ensureApplication();
    const double wMm = page.width() * 25.4 / dpi;
    const double hMm = page.height() * 25.4 / dpi;
    const double right = wMm - 10;
    const double bottom = hMm - 10;
    const double tbW = std::min(170.0, wMm * 0.42);
    const double tbH = std::min(40.0, hMm * 0.25);
    const double left = right - tbW;
    const double top = bottom - tbH;
    QPainter p(&page);
    p.setRenderHint(QPainter::Antialiasing, false);
    auto r = [&](double x0, double y0, double x1, double y1) {
        return QRectF(px(x0, dpi), px(y0, dpi), px(x1 - x0, dpi), px(y1 - y0, dpi));
    };
    p.setPen(QPen(Qt::black, px(0.7, dpi)));
    p.drawRect(r(10, 10, right, bottom));
    p.setPen(QPen(Qt::black, px(0.35, dpi)));
    p.drawRect(r(left, top, right, bottom));
    // Two rows as JIS title blocks have them: the title across the top; scale and date at the
    // bottom left, the drawing number in the bottom-right corner.
    const double split = top + tbH * 0.5;
    const double numberLeft = left + tbW * 0.38;
    const double labelW = std::min(14.0, tbW * 0.12);
    p.drawLine(QPointF(px(left, dpi), px(split, dpi)), QPointF(px(right, dpi), px(split, dpi)));
    p.drawLine(QPointF(px(numberLeft, dpi), px(split, dpi)),
               QPointF(px(numberLeft, dpi), px(bottom, dpi)));

    const double rowH = tbH * 0.5;
    const double textH = std::min(6.0, rowH * 0.4);
    p.setPen(Qt::black);
    auto text = [&](double x0, double y0, double x1, double y1, const std::string& s, double h) {
        p.setFont(gothic(h, dpi));
        p.drawText(r(x0, y0, x1, y1), Qt::AlignVCenter | Qt::AlignLeft,
                   QString::fromUtf8(s.c_str()));
    };
    const double pad = 2;
    text(left + pad, top, left + labelW, split, "名称", textH * 0.6);
    text(left + labelW + pad, top, right, split, block.title, textH);
    text(numberLeft + pad, split, numberLeft + labelW, bottom, "図番", textH * 0.6);
    text(numberLeft + labelW + pad, split, right, bottom, block.number, textH);
    const std::string facts = (block.scale.empty() ? "" : "縮尺 " + block.scale) +
                              (block.date.empty() ? "" : "\n" + block.date);
    text(left + pad, split, numberLeft, bottom, facts, textH * 0.55);
    p.end();
    const double codeMm = std::min(25.0, tbH * 0.8);
    if (!block.qrCode.empty()) {
        drawCode(page, dpi, "QRCode", block.qrCode, left - codeMm - 4, bottom - codeMm, codeMm);
    }
    if (!block.code128.empty()) {
        drawCode(page, dpi, "Code128", block.code128, left, top - 14, tbW * 0.6);
    }
}

void drawCode(QImage& page, int dpi, const std::string& format, const std::string& text, double xMm,
              double yMm, double sizeMm) {
    const ZXing::BarcodeFormat f = ZXing::BarcodeFormatFromString(format);
    const bool linear = f == ZXing::BarcodeFormat::Code128 || f == ZXing::BarcodeFormat::Code39;
    ZXing::MultiFormatWriter writer(f);
    writer.setMargin(0);
    const ZXing::BitMatrix m = writer.encode(text, 0, linear ? 0 : 0);
    const double module = px(sizeMm, dpi) / m.width();
    const double barHeight = px(8, dpi);
    QPainter p(&page);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    const double x0 = px(xMm, dpi);
    const double y0 = px(yMm, dpi);
    for (int y = 0; y < m.height(); ++y) {
        for (int x = 0; x < m.width(); ++x) {
            if (m.get(x, y)) {
                const double h = linear ? barHeight : module;
                p.drawRect(QRectF(x0 + x * module, y0 + (linear ? 0 : y * module), module, h));
            }
        }
        if (linear) {
            break;
        }
    }
}

QImage skewed(const QImage& page, double degrees) {
    QImage out(page.size(), QImage::Format_Grayscale8);
    out.fill(255);
    out.setDotsPerMeterX(page.dotsPerMeterX());
    out.setDotsPerMeterY(page.dotsPerMeterY());
    QPainter p(&out);
    p.translate(page.width() / 2.0, page.height() / 2.0);
    p.rotate(degrees);
    p.translate(-page.width() / 2.0, -page.height() / 2.0);
    p.drawImage(0, 0, page);
    return out;
}

QImage turned(const QImage& page, int quarterTurns) {
    QImage out = page.transformed(QTransform().rotate(90.0 * quarterTurns));
    out.setDotsPerMeterX(page.dotsPerMeterX());
    out.setDotsPerMeterY(page.dotsPerMeterY());
    return out;
}

void speckle(QImage& page, double fraction, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> xs(0, page.width() - 1);
    std::uniform_int_distribution<int> ys(0, page.height() - 1);
    const auto count = static_cast<long long>(fraction * page.width() * page.height());
    for (long long i = 0; i < count; ++i) {
        page.scanLine(ys(random))[xs(random)] = 0;
    }
}

bool writeG4Page(tiff* t, const QImage& page, int dpi, int pageIndex, int pages) {
    const QImage grey = page.convertToFormat(QImage::Format_Grayscale8);
    const auto width = static_cast<uint32_t>(grey.width());
    const auto height = static_cast<uint32_t>(grey.height());
    TIFFSetField(t, TIFFTAG_SUBFILETYPE, pages > 1 ? FILETYPE_PAGE : 0);
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 1);
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, height);
    TIFFSetField(t, TIFFTAG_XRESOLUTION, static_cast<double>(dpi));
    TIFFSetField(t, TIFFTAG_YRESOLUTION, static_cast<double>(dpi));
    TIFFSetField(t, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    if (pages > 1) {
        TIFFSetField(t, TIFFTAG_PAGENUMBER, static_cast<uint16_t>(pageIndex),
                     static_cast<uint16_t>(pages));
    }
    std::vector<unsigned char> row((width + 7) / 8);
    for (uint32_t y = 0; y < height; ++y) {
        std::fill(row.begin(), row.end(), 0);
        const uchar* line = grey.constScanLine(static_cast<int>(y));
        for (uint32_t x = 0; x < width; ++x) {
            if (line[x] < 128) {
                row[x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
            }
        }
        if (TIFFWriteScanline(t, row.data(), y, 0) < 0) {
            return false;
        }
    }
    return TIFFWriteDirectory(t) != 0;
}

bool writeG4(const QImage& page, const std::string& path, int dpi) {
    const std::unique_ptr<TIFF, void (*)(TIFF*)> t(TIFFOpen(path.c_str(), "w"), TIFFClose);
    return t && writeG4Page(t.get(), page, dpi, 0, 1);
}

bool writeJpeg(const QImage& page, const std::string& path, int dpi) {
    QImage copy = page;
    const int dpm = static_cast<int>(std::lround(dpi / 0.0254));
    copy.setDotsPerMeterX(dpm);
    copy.setDotsPerMeterY(dpm);
    return copy.save(QString::fromStdString(path), "JPG", 90);
}

bool writePdf(const QImage& page, const std::string& path, int dpi) {
    ensureApplication();
    QPdfWriter pdf(QString::fromStdString(path));
    pdf.setResolution(dpi);
    pdf.setPageSize(QPageSize(QSizeF(page.width() * 25.4 / dpi, page.height() * 25.4 / dpi),
                              QPageSize::Millimeter));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter p(&pdf);
    if (!p.isActive()) {
        return false;
    }
    p.drawImage(QRectF(0, 0, page.width(), page.height()), page);
    return p.end();
}

} // namespace sheetdrawing
