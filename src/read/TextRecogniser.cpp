#include "read/TextRecogniser.h"

#include "base/ProgramModule.h"
#include "read/OcrModuleApi.h"

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

// The text recognition module, loaded on first use; null when it cannot be loaded or does not
// fit this program.
const NomiraOcrApi* ocrModule() {
    static const NomiraOcrApi* const api =
        programmodule::api<NomiraOcrApi>(kNomiraOcrModule, kNomiraOcrEntry, kNomiraOcrApiVersion);
    return api;
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
    m_module = ocrModule();
    m_engine = m_module != nullptr ? m_module->create(dataPath.c_str(), present.c_str()) : nullptr;
    if (m_engine == nullptr) {
        m_missing = splitLanguages(languages);
    }
}

TextRecogniser::~TextRecogniser() {
    if (m_engine != nullptr) {
        m_module->destroy(m_engine);
    }
}

std::string TextRecogniser::recognise(Pix* pix, int& confidence) {
    confidence = 0;
    if (m_engine == nullptr || pix == nullptr) {
        return {};
    }
    char* text = m_module->recognise(m_engine, pix, &confidence);
    const std::string line = oneLine(text);
    if (text != nullptr) {
        m_module->release(text);
    }
    return line;
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
