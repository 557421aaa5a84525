#pragma once

// The interface of the PDF module (libnomira_pdf.so), which holds poppler and its libraries so
// that a process maps them only once it touches a PDF. Plain C types, so that the program and the
// module agree whatever each was built with; the module exports nomira_pdf_api().
extern "C" {

// A rendered page: 32-bit pixels 0xAARRGGBB in native byte order, row after row.
struct NomiraPdfImage {
    int width;
    int height;
    int bytesPerRow;
    const unsigned char* data;
};

struct NomiraPdfApi {
    int version; // kNomiraPdfApiVersion
    // The document, or null with status 1 (unreadable) or 2 (locked by a password).
    void* (*open)(const char* path, int* status);
    void (*close)(void* document);
    int (*pageCount)(void* document);
    // page is 0-based; the size as the page is shown (rotation applied). Nonzero on success.
    int (*pageSize)(void* document, int page, double* widthPoints, double* heightPoints);
    // Renders the page onto white; the returned image is given back through release. Null when
    // rendering failed.
    void* (*render)(void* document, int page, double dpi, NomiraPdfImage* image);
    void (*release)(void* image);
};

typedef const NomiraPdfApi* (*NomiraPdfApiEntry)(void);

} // extern "C"

inline constexpr int kNomiraPdfApiVersion = 1;
inline constexpr const char* kNomiraPdfModule = "libnomira_pdf.so";
inline constexpr const char* kNomiraPdfEntry = "nomira_pdf_api";
