// The PDF module: poppler behind the plain interface of image/PdfModuleApi.h. poppler's
// diagnostics are silenced and its exceptions never leave the module.

#include "image/PdfModuleApi.h"

#include <memory>
#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-image.h>
#include <poppler-page-renderer.h>
#include <poppler-page.h>

namespace {

void ignoreMessage(const std::string&, void*) {
}

poppler::document* asDocument(void* document) {
    return static_cast<poppler::document*>(document);
}

bool isQuarterTurned(const poppler::page& page) {
    const auto orientation = page.orientation();
    return orientation == poppler::page::landscape || orientation == poppler::page::seascape;
}

void* openDocument(const char* path, int* status) {
    poppler::set_debug_error_function(ignoreMessage, nullptr);
    std::unique_ptr<poppler::document> document;
    try {
        document.reset(poppler::document::load_from_file(path));
    } catch (...) {
        document.reset();
    }
    *status = !document ? 1 : document->is_locked() ? 2 : 0;
    return *status == 0 ? document.release() : nullptr;
}

void closeDocument(void* document) {
    delete asDocument(document);
}

int pageCount(void* document) {
    return asDocument(document)->pages();
}

int pageSize(void* document, int page, double* widthPoints, double* heightPoints) {
    try {
        const std::unique_ptr<poppler::page> p(asDocument(document)->create_page(page));
        if (!p) {
            return 0;
        }
        const poppler::rectf box = p->page_rect(poppler::crop_box);
        const bool turned = isQuarterTurned(*p);
        *widthPoints = turned ? box.height() : box.width();
        *heightPoints = turned ? box.width() : box.height();
        return 1;
    } catch (...) {
        return 0;
    }
}

void* renderPage(void* document, int page, double dpi, NomiraPdfImage* out) {
    try {
        const std::unique_ptr<poppler::page> p(asDocument(document)->create_page(page));
        if (!p) {
            return nullptr;
        }
        poppler::page_renderer renderer;
        renderer.set_paper_color(0xffffffff);
        renderer.set_render_hint(poppler::page_renderer::antialiasing, true);
        renderer.set_render_hint(poppler::page_renderer::text_antialiasing, true);
        renderer.set_image_format(poppler::image::format_argb32);
        auto image = std::make_unique<poppler::image>(renderer.render_page(p.get(), dpi, dpi));
        if (!image->is_valid() || image->format() != poppler::image::format_argb32) {
            return nullptr;
        }
        out->width = image->width();
        out->height = image->height();
        out->bytesPerRow = image->bytes_per_row();
        out->data = reinterpret_cast<const unsigned char*>(image->const_data());
        return image.release();
    } catch (...) {
        return nullptr;
    }
}

void releaseImage(void* image) {
    delete static_cast<poppler::image*>(image);
}

constexpr NomiraPdfApi kApi{kNomiraPdfApiVersion, openDocument, closeDocument, pageCount, pageSize,
                            renderPage,           releaseImage};

} // namespace

extern "C" __attribute__((visibility("default"))) const NomiraPdfApi* nomira_pdf_api() {
    return &kApi;
}
