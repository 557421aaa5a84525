#include "image/PrivateFolder.h"

#include "base/FileSystem.h"

#include <cstdlib>
#include <filesystem>

PrivateFolder::PrivateFolder(const std::string& parent, const std::string& prefix) {
    if (!files::isDirectory(parent) && !files::createDirectory(parent)) {
        return;
    }
    const std::string name = prefix + "XXXXXX";
    std::string pattern = files::native(files::join(parent, name)).string();
    if (::mkdtemp(pattern.data()) != nullptr) {
        // mkdtemp filled in the last six (ASCII) characters; the parent keeps its own spelling.
        m_path = files::join(parent, prefix + pattern.substr(pattern.size() - 6));
    }
}

PrivateFolder::~PrivateFolder() {
    if (isValid()) {
        // Only this object made the folder, under a name nobody else was given: all it holds was
        // written there on the program's behalf. A link in it goes, never what it points to.
        std::error_code error;
        std::filesystem::remove_all(files::native(m_path), error);
    }
}
