#pragma once

// The interface of the text recognition module (libnomira_ocr.so), which holds Tesseract and its
// libraries so that a process maps them only once it reads the text of a sheet. Plain C types, so
// that the program and the module agree whatever each was built with; the module exports
// nomira_ocr_api(). Bitmaps are the image library's (Leptonica), which both sides share.
extern "C" {

struct Pix;

struct NomiraOcrApi {
    int version; // kNomiraOcrApiVersion
    // An engine for the "+"-joined languages whose data files lie in dataPath, or null when the
    // engine could not be set up. One engine serves one thread at a time.
    void* (*create)(const char* dataPath, const char* languages);
    void (*destroy)(void* engine);
    // The text of the bitmap (UTF-8) and the engine's mean confidence (0 to 100); the text is
    // given back through release. Null when nothing could be read.
    char* (*recognise)(void* engine, Pix* pix, int* confidence);
    void (*release)(char* text);
};

typedef const NomiraOcrApi* (*NomiraOcrApiEntry)(void);

} // extern "C"

inline constexpr int kNomiraOcrApiVersion = 1;
inline constexpr const char* kNomiraOcrModule = "libnomira_ocr.so";
inline constexpr const char* kNomiraOcrEntry = "nomira_ocr_api";
