#include "support/TempDir.h"

#include "base/FileSystem.h"
#include "base/TextCodec.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "nomira-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    // Tests may have taken permissions away; give them back so everything can be removed.
    for (auto it = fs::recursive_directory_iterator(m_path, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}

std::string TempDir::file(std::string_view relative) const {
    return files::join(m_path, relative);
}

std::string TempDir::write(std::string_view relative, std::string_view bytes) const {
    const std::string path = file(relative);
    fs::create_directories(files::native(path).parent_path());
    std::ofstream out(files::native(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string TempDir::read(std::string_view relative) const {
    std::ifstream in(files::native(file(relative)), std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string TempDir::mkdir(std::string_view relative) const {
    const std::string path = file(relative);
    fs::create_directories(files::native(path));
    return path;
}

std::string sj(std::string_view utf8) {
    return textcodec::utf8ToCp932(utf8);
}

std::string u8(std::string_view cp932) {
    return textcodec::cp932ToUtf8(cp932);
}
