#pragma once

#include <string>
#include <string_view>

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes away. path() is the cp932 form the program works with.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    // path + "/" + relative
    std::string file(std::string_view relative) const;
    // Writes bytes into a file below the folder, creating parent folders; returns its path.
    std::string write(std::string_view relative, std::string_view bytes) const;
    std::string read(std::string_view relative) const;
    std::string mkdir(std::string_view relative) const;

private:
    std::string m_path;
};

// UTF-8 source text to the program's cp932 bytes.
std::string sj(std::string_view utf8);
// cp932 bytes to UTF-8, for readable failure output.
std::string u8(std::string_view cp932);
