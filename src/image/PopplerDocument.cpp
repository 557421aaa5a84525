#include "image/PopplerDocument.h"

#include "image/ImageLibrary.h"

#include <cmath>
#include <leptonica/allheaders.h>
#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page-renderer.h>
#include <poppler-page.h>

namespace {

void ignoreMessage(const std::string&, void*) {
}

void silencePoppler() {
    poppler::set_debug_error_function(ignoreMessage, nullptr);
}

bool isQuarterTurned(const poppler::page& page) {
    const auto orientation = page.orientation();
    return orientation == poppler::page::landscape || orientation == poppler::page::seascape;
}

} // namespace

PopplerDocument::PopplerDocument() = default;

PopplerDocument::~PopplerDocument() = default;

int PopplerDocument::open(const std::string& path) {
    silencePoppler();
    try {
        m_document.reset(poppler::document::load_from_file(path));
    } catch (...) {
        m_document.reset();
    }
    if (!m_document) {
        return ImageLibrary::ErrFileRead;
    }
    if (m_document->is_locked()) {
        m_document.reset();
        return ImageLibrary::ErrUnsupported;
    }
    return ImageLibrary::Success;
}

int PopplerDocument::pageCount() const {
    return m_document ? m_document->pages() : 0;
}

int PopplerDocument::pageSize(int page, double& widthPoints, double& heightPoints) const {
    if (!m_document) {
        return ImageLibrary::ErrNoBitmap;
    }
    if (page < 1 || page > pageCount()) {
        return ImageLibrary::ErrPageNotFound;
    }
    try {
        std::unique_ptr<poppler::page> p(m_document->create_page(page - 1));
        if (!p) {
            return ImageLibrary::ErrFileRead;
        }
        const poppler::rectf box = p->page_rect(poppler::crop_box);
        widthPoints = box.width();
        heightPoints = box.height();
        if (isQuarterTurned(*p)) {
            std::swap(widthPoints, heightPoints);
        }
    } catch (...) {
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
    if (!(dpi > 0.0) || dpi > 2400.0) {
        return ImageLibrary::ErrInvalidParameter;
    }
    const double width = std::ceil(widthPoints * dpi / 72.0);
    const double height = std::ceil(heightPoints * dpi / 72.0);
    if (!ImageLibrary::fitsInMemory(width, height, 32)) {
        return ImageLibrary::ErrImageTooLarge;
    }
    try {
        std::unique_ptr<poppler::page> p(m_document->create_page(page - 1));
        poppler::page_renderer renderer;
        renderer.set_paper_color(0xffffffff);
        renderer.set_render_hint(poppler::page_renderer::antialiasing, true);
        renderer.set_render_hint(poppler::page_renderer::text_antialiasing, true);
        renderer.set_image_format(poppler::image::format_argb32);
        const poppler::image image = renderer.render_page(p.get(), dpi, dpi);
        if (!image.is_valid() || image.format() != poppler::image::format_argb32) {
            return ImageLibrary::ErrFileRead;
        }
        PixHandle pix(pixCreate(image.width(), image.height(), 32));
        if (!pix) {
            return ImageLibrary::ErrNoMemory;
        }
        for (int y = 0; y < image.height(); ++y) {
            const auto* src = reinterpret_cast<const std::uint32_t*>(
                image.const_data() + static_cast<std::size_t>(y) * image.bytes_per_row());
            l_uint32* dst =
                pixGetData(pix.get()) + static_cast<std::size_t>(y) * pixGetWpl(pix.get());
            for (int x = 0; x < image.width(); ++x) {
                dst[x] = (src[x] & 0x00ffffffu) << 8; // 0xAARRGGBB to 0xRRGGBB00
            }
        }
        pixSetSpp(pix.get(), 3);
        const int resolution = static_cast<int>(std::lround(dpi));
        pixSetResolution(pix.get(), resolution, resolution);
        out = std::move(pix);
    } catch (...) {
        return ImageLibrary::ErrFileRead;
    }
    return ImageLibrary::Success;
}
