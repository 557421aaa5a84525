// The text recognition module: Tesseract behind the plain C interface of OcrModuleApi.h. No
// exception leaves it.
#include "read/OcrModuleApi.h"

#include <omp.h>
#include <tesseract/baseapi.h>

#include <cstdlib>
#include <memory>

namespace {

// Tesseract spreads one image over OpenMP threads, while the reader already runs one engine per
// core: the extra threads only compete for the same cores, and idle ones spin. The calling
// thread's engine therefore works alone, unless the user has set OMP_THREAD_LIMIT (which the
// OpenMP runtime reads once, when it is loaded, so setting it here would come too late). The
// OpenMP setting belongs to the calling thread.
void recogniseOnThisThreadOnly() {
    thread_local const bool set = [] {
        if (std::getenv("OMP_THREAD_LIMIT") != nullptr) {
            return false;
        }
        omp_set_max_active_levels(0);
        return true;
    }();
    static_cast<void>(set);
}

void* create(const char* dataPath, const char* languages) {
    try {
        auto api = std::make_unique<tesseract::TessBaseAPI>();
        if (api->Init(dataPath, languages, tesseract::OEM_LSTM_ONLY) != 0) {
            return nullptr;
        }
        api->SetPageSegMode(tesseract::PSM_SPARSE_TEXT);
        api->SetVariable("debug_file", "/dev/null");
        return api.release();
    } catch (...) {
        return nullptr;
    }
}

void destroy(void* engine) {
    const std::unique_ptr<tesseract::TessBaseAPI> api(static_cast<tesseract::TessBaseAPI*>(engine));
    if (api) {
        api->End();
    }
}

char* recognise(void* engine, Pix* pix, int* confidence) {
    *confidence = 0;
    try {
        recogniseOnThisThreadOnly();
        auto* api = static_cast<tesseract::TessBaseAPI*>(engine);
        api->SetImage(pix);
        char* text = api->GetUTF8Text();
        *confidence = api->MeanTextConf();
        api->Clear();
        return text;
    } catch (...) {
        return nullptr;
    }
}

void release(char* text) {
    delete[] text;
}

const NomiraOcrApi kApi{kNomiraOcrApiVersion, create, destroy, recognise, release};

} // namespace

extern "C" __attribute__((visibility("default"))) const NomiraOcrApi* nomira_ocr_api() {
    return &kApi;
}
