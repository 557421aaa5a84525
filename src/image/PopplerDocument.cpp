#include "image/PopplerDocument.h"

#include "base/ProgramModule.h"
#include "image/ImageCheck.h"
#include "image/ImageLibrary.h"
#include "image/PageMeasure.h"
#include "image/PaperSize.h"
#include "image/PdfModuleApi.h"

#include <cmath>
#include <cstdint>
#include <leptonica/allheaders.h>
#include <string>
#include <vector>

namespace {

// The PDF module, loaded on first use; null when it cannot be loaded or does not fit this program.
const NomiraPdfApi* pdfModule() {
    static const NomiraPdfApi* const api =
        programmodule::api<NomiraPdfApi>(kNomiraPdfModule, kNomiraPdfEntry, kNomiraPdfApiVersion);
    return api;
}

// A rendered page of the module, given back when the object goes away.
class RenderedImage {
public:
    RenderedImage(const NomiraPdfApi& api, void* document, int page, double dpi)
        : m_api(api), m_handle(api.render(document, page, dpi, &m_image)) {}
    ~RenderedImage() {
        if (m_handle != nullptr) {
            m_api.release(m_handle);
        }
    }
    RenderedImage(const RenderedImage&) = delete;
    RenderedImage& operator=(const RenderedImage&) = delete;

    bool isValid() const { return m_handle != nullptr && m_image.data != nullptr; }
    const NomiraPdfImage& image() const { return m_image; }

private:
    const NomiraPdfApi& m_api;
    NomiraPdfImage m_image{};
    void* m_handle;
};

} // namespace

void PopplerDocument::Close::operator()(void* document) const {
    pdfModule()->close(document);
}

PopplerDocument::PopplerDocument() = default;

PopplerDocument::~PopplerDocument() = default;

int PopplerDocument::open(const std::string& path) {
    m_document.reset();
    const NomiraPdfApi* api = pdfModule();
    if (api == nullptr) {
        return ImageLibrary::ErrFileRead;
    }
    int status = 1;
    m_document.reset(api->open(path.c_str(), &status));
    if (!m_document) {
        return status == 2 ? ImageLibrary::ErrUnsupported : ImageLibrary::ErrFileRead;
    }
    return ImageLibrary::Success;
}

int PopplerDocument::pageCount() const {
    return m_document ? pdfModule()->pageCount(m_document.get()) : 0;
}

int PopplerDocument::pageSize(int page, double& widthPoints, double& heightPoints) const {
    if (!m_document) {
        return ImageLibrary::ErrNoBitmap;
    }
    if (page < 1 || page > pageCount()) {
        return ImageLibrary::ErrPageNotFound;
    }
    if (pdfModule()->pageSize(m_document.get(), page - 1, &widthPoints, &heightPoints) == 0) {
        return ImageLibrary::ErrFileRead;
    }
    if (!(widthPoints > 0.0) || !(heightPoints > 0.0) || !std::isfinite(widthPoints) ||
        !std::isfinite(heightPoints)) {
        return ImageLibrary::ErrFileRead;
    }
    return ImageLibrary::Success;
}

int PopplerDocument::render(int page, double dpi, PixHandle& out) const {
    double widthPoints = 0.0;
    double heightPoints = 0.0;
    if (const int result = pageSize(page, widthPoints, heightPoints); result != 1) {
        return result;
    }
    // No page is rendered that the file check would refuse whatever the margin setting: a page
    // beyond A0 by more than the greatest margin never reaches the renderer.
    if (PaperSize::isOverA0(PageMeasure::pointsToMm(widthPoints),
                            PageMeasure::pointsToMm(heightPoints), ImageCheck::kMaxMargin)) {
        return ImageLibrary::ErrImageTooLarge;
    }
    if (!(dpi > 0.0) || dpi > 2400.0) {
        return ImageLibrary::ErrInvalidParameter;
    }
    const double width = std::ceil(widthPoints * dpi / 72.0);
    const double height = std::ceil(heightPoints * dpi / 72.0);
    if (!ImageLibrary::fitsInMemory(width, height, 32)) {
        return ImageLibrary::ErrImageTooLarge;
    }
    const RenderedImage rendered(*pdfModule(), m_document.get(), page - 1, dpi);
    if (!rendered.isValid()) {
        return ImageLibrary::ErrFileRead;
    }
    const NomiraPdfImage& image = rendered.image();
    PixHandle pix(pixCreate(image.width, image.height, 32));
    if (!pix) {
        return ImageLibrary::ErrNoMemory;
    }
    for (int y = 0; y < image.height; ++y) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(
            image.data + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.bytesPerRow));
        l_uint32* dst = pixGetData(pix.get()) + static_cast<std::size_t>(y) * pixGetWpl(pix.get());
        for (int x = 0; x < image.width; ++x) {
            dst[x] = (src[x] & 0x00ffffffu) << 8; // 0xAARRGGBB to 0xRRGGBB00
        }
    }
    pixSetSpp(pix.get(), 3);
    const int resolution = static_cast<int>(std::lround(dpi));
    pixSetResolution(pix.get(), resolution, resolution);
    out = std::move(pix);
    return ImageLibrary::Success;
}
