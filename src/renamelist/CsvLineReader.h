#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// Reads a rename list file line by line the way a text-mode read with a 60,000-byte buffer does:
// CR LF arrives as LF, each read returns up to and including the next LF but at most 59,999
// bytes, so a longer line continues as further reads. Bytes are passed on as they are (NUL
// included). Only a regular file is opened.
class CsvLineReader {
public:
    static constexpr std::size_t kBufferBytes = 60000;

    explicit CsvLineReader(const std::string& path);

    bool isOpen() const { return m_file != nullptr; }
    // False at the end of the file (or when it is not open).
    bool next(std::string& line);

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    // The next byte after CR LF translation, or -1 at the end.
    int get();
    int rawGet();
    void unget(int c) { m_pushedBack = c; }

    std::unique_ptr<std::FILE, Closer> m_file;
    std::vector<char> m_chunk;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    int m_pushedBack = -1;
};
