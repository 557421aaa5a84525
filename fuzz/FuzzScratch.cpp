#include "FuzzScratch.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

FuzzScratch& FuzzScratch::instance() {
    static FuzzScratch scratch;
    return scratch;
}

FuzzScratch::FuzzScratch() {
    std::string pattern = (fs::temp_directory_path() / "nomira-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("nomira fuzz: cannot make a scratch folder");
        std::abort();
    }
    m_folder = pattern;
}

FuzzScratch::~FuzzScratch() {
    std::error_code error;
    fs::remove_all(m_folder, error);
}

std::string FuzzScratch::write(std::string_view name, std::string_view bytes) const {
    const std::string path = m_folder + "/" + std::string(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        std::perror("nomira fuzz: cannot write an input file");
        std::abort();
    }
    return path;
}

std::string FuzzScratch::write(std::string_view name, const std::uint8_t* data,
                               std::size_t size) const {
    return write(name, std::string_view(reinterpret_cast<const char*>(data), size));
}

void FuzzScratch::clear() const {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(m_folder, error)) {
        fs::remove_all(entry.path(), error);
    }
}
