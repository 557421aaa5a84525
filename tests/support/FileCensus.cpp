#include "support/FileCensus.h"

#include "base/FileSystem.h"

#include <filesystem>
#include <fstream>
#include <sstream>

FileCensus fileCensus(const std::string& folder) {
    namespace fs = std::filesystem;
    FileCensus census;
    std::error_code error;
    const fs::path root = files::native(folder);
    for (auto it = fs::recursive_directory_iterator(root, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_regular_file(error) && !it->is_symlink(error)) {
            std::ifstream in(it->path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            census[files::fromNative(it->path().lexically_relative(root))] = bytes.str();
        }
    }
    return census;
}
