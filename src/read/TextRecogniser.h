#pragma once

#include <string>
#include <vector>

struct NomiraOcrApi;
struct Pix;

// One Tesseract engine of the text recognition module, set up once for a set of languages
// ("jpn+eng") from a data folder. The languages whose data file is missing are left out; with
// none left, or without the module, the engine reads nothing. An engine serves one thread at a
// time.
class TextRecogniser {
public:
    TextRecogniser(const std::string& dataPath, const std::string& languages);
    ~TextRecogniser();
    TextRecogniser(const TextRecogniser&) = delete;
    TextRecogniser& operator=(const TextRecogniser&) = delete;

    bool ready() const { return m_engine != nullptr; }
    // The requested languages that have no data file in the data folder.
    const std::vector<std::string>& missing() const { return m_missing; }

    // The text of a bitmap (UTF-8, lines joined by single spaces) and the engine's mean
    // confidence (0 to 100). Empty when the engine is not ready.
    std::string recognise(Pix* pix, int& confidence);

    // The data folder: $TESSDATA_PREFIX when set, else the system's.
    static std::string defaultDataPath();
    // The languages of a "+"-joined list that have no data file in dataPath.
    static std::vector<std::string> missingLanguages(const std::string& dataPath,
                                                     const std::string& languages);

    // The engine of the calling thread for these data, made on first use and kept for the life
    // of the thread.
    static TextRecogniser& forThisThread(const std::string& dataPath, const std::string& languages);

private:
    const NomiraOcrApi* m_module = nullptr;
    void* m_engine = nullptr;
    std::string m_dataPath;
    std::string m_languages;
    std::vector<std::string> m_missing;
};
