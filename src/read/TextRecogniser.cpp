#include "read/TextRecogniser.h"

#include <omp.h>
#include <tesseract/baseapi.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <utility>

namespace {

std::vector<std::string> splitLanguages(const std::string& languages) {
    std::vector<std::string> out;
    std::string::size_type start = 0;
    while (start <= languages.size()) {
        const auto plus = languages.find('+', start);
        const auto end = plus == std::string::npos ? languages.size() : plus;
        if (end > start) {
            out.push_back(languages.substr(start, end - start));
        }
        start = end + 1;
    }
    return out;
}

bool plainName(const std::string& language) {
    return language.find('/') == std::string::npos && language.find("..") == std::string::npos;
}

// Runs of white space become one space; the ends are trimmed.
std::string oneLine(const char* text) {
    std::string out;
    bool space = false;
    for (const char* p = text; p != nullptr && *p != '\0'; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f') {
            space = !out.empty();
            continue;
        }
        if (space) {
            out += ' ';
            space = false;
        }
        out += static_cast<char>(c);
    }
    return out;
}

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

} // namespace

TextRecogniser::TextRecogniser(const std::string& dataPath, const std::string& languages)
    : m_dataPath(dataPath), m_languages(languages),
      m_missing(missingLanguages(dataPath, languages)) {
    std::string present;
    for (const std::string& language : splitLanguages(languages)) {
        if (std::find(m_missing.begin(), m_missing.end(), language) == m_missing.end()) {
            present += (present.empty() ? "" : "+") + language;
        }
    }
    if (present.empty()) {
        return;
    }
    auto api = std::make_unique<tesseract::TessBaseAPI>();
    if (api->Init(dataPath.c_str(), present.c_str(), tesseract::OEM_LSTM_ONLY) != 0) {
        m_missing = splitLanguages(languages);
        return;
    }
    api->SetPageSegMode(tesseract::PSM_SPARSE_TEXT);
    api->SetVariable("debug_file", "/dev/null");
    m_api = std::move(api);
}

TextRecogniser::~TextRecogniser() {
    if (m_api) {
        m_api->End();
    }
}

std::string TextRecogniser::recognise(Pix* pix, int& confidence) {
    confidence = 0;
    if (!m_api || pix == nullptr) {
        return {};
    }
    recogniseOnThisThreadOnly();
    m_api->SetImage(pix);
    const std::unique_ptr<char[]> text(m_api->GetUTF8Text());
    confidence = m_api->MeanTextConf();
    m_api->Clear();
    return oneLine(text.get());
}

std::string TextRecogniser::defaultDataPath() {
    const char* prefix = std::getenv("TESSDATA_PREFIX");
    if (prefix != nullptr && *prefix != '\0') {
        return prefix;
    }
    return "/usr/share/tesseract-ocr/5/tessdata";
}

std::vector<std::string> TextRecogniser::missingLanguages(const std::string& dataPath,
                                                          const std::string& languages) {
    std::vector<std::string> missing;
    for (const std::string& language : splitLanguages(languages)) {
        std::error_code ec;
        const std::filesystem::path file =
            std::filesystem::path(dataPath) / (language + ".traineddata");
        if (!plainName(language) || !std::filesystem::is_regular_file(file, ec)) {
            missing.push_back(language);
        }
    }
    return missing;
}

TextRecogniser& TextRecogniser::forThisThread(const std::string& dataPath,
                                              const std::string& languages) {
    thread_local std::map<std::pair<std::string, std::string>, std::unique_ptr<TextRecogniser>>
        engines;
    auto& engine = engines[{dataPath, languages}];
    if (!engine) {
        engine = std::make_unique<TextRecogniser>(dataPath, languages);
    }
    return *engine;
}
