#include "image/BitmapFileType.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string_view>

namespace {

bool startsWith(const std::uint8_t* bytes, std::size_t size, std::string_view magic) {
    return size >= magic.size() && std::memcmp(bytes, magic.data(), magic.size()) == 0;
}

// PDF readers accept the header anywhere in the first kilobyte.
constexpr std::size_t PdfHeaderWindow = 1024;

} // namespace

BitmapFileType::Kind BitmapFileType::detect(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return Unknown;
    }
    std::uint8_t head[PdfHeaderWindow];
    in.read(reinterpret_cast<char*>(head), sizeof head);
    return detect(head, static_cast<std::size_t>(in.gcount()));
}

BitmapFileType::Kind BitmapFileType::detect(const std::uint8_t* bytes, std::size_t size) {
    using namespace std::string_view_literals;
    if (startsWith(bytes, size, "II\x2a\x00"sv) || startsWith(bytes, size, "MM\x00\x2a"sv) ||
        startsWith(bytes, size, "II\x2b\x00"sv) || startsWith(bytes, size, "MM\x00\x2b"sv)) {
        return Tiff;
    }
    if (startsWith(bytes, size, "\xff\xd8\xff"sv)) {
        return Jpeg;
    }
    if (startsWith(bytes, size, "\x89PNG\r\n\x1a\n"sv)) {
        return Png;
    }
    if (startsWith(bytes, size, "BM"sv) && size >= 26) {
        return Bmp;
    }
    const std::string_view window(reinterpret_cast<const char*>(bytes),
                                  std::min(size, PdfHeaderWindow));
    if (window.find("%PDF-") != std::string_view::npos) {
        return Pdf;
    }
    return Unknown;
}
