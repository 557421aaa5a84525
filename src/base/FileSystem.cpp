#include "base/FileSystem.h"

#include "base/Cp932.h"
#include "base/RegularFile.h"
#include "base/TextCodec.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace files {

namespace fs = std::filesystem;

fs::path native(std::string_view cp932Path) {
    return fs::path(textcodec::cp932ToUtf8(cp932Path));
}

std::string fromNative(const fs::path& path) {
    return textcodec::utf8ToCp932(path.string());
}

std::string absolute(std::string_view path) {
    if (!path.empty() && path.front() == kSeparator) {
        return std::string(path);
    }
    std::error_code error;
    const fs::path current = fs::current_path(error);
    return error ? std::string(path) : join(fromNative(current), path);
}

std::string join(std::string_view folder, std::string_view name) {
    std::string out(folder);
    if (out.empty() || out.back() != kSeparator) {
        out.push_back(kSeparator);
    }
    out.append(name);
    return out;
}

std::string fileName(std::string_view path) {
    const std::size_t pos = cp932::findLastChar(path, kSeparator);
    return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string parentFolder(std::string_view path) {
    const std::size_t pos = cp932::findLastChar(path, kSeparator);
    if (pos == std::string_view::npos) {
        return {};
    }
    return std::string(path.substr(0, pos == 0 ? 1 : pos));
}

std::string withoutTrailingSeparator(std::string_view path) {
    if (path.size() > 1 && path.back() == kSeparator) {
        return std::string(path.substr(0, path.size() - 1));
    }
    return std::string(path);
}

bool exists(std::string_view path) {
    std::error_code ec;
    return !path.empty() && fs::exists(native(path), ec);
}

bool isDirectory(std::string_view path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(native(path), ec);
}

bool isRegularFile(std::string_view path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(native(path), ec);
}

bool isPlainFile(std::string_view path) {
    struct stat st {};
    return !path.empty() && ::lstat(native(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isWritable(std::string_view path) {
    return ::access(native(path).c_str(), W_OK) == 0;
}

namespace {

// The process's umask, read without changing it (setting it to learn it would race with files
// that other threads create meanwhile); the common 022 where the kernel does not tell.
mode_t currentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(std::strtol(line.c_str() + 6, nullptr, 8));
        }
    }
    return 022;
}

} // namespace

bool clearReadOnly(std::string_view path) {
    const std::string nativePath = native(path).string();
    struct stat st {};
    if (::stat(nativePath.c_str(), &st) != 0) {
        return false;
    }
    if ((st.st_mode & S_IWUSR) != 0) {
        return true;
    }
    const mode_t mask = currentUmask();
    // Write for each class that may read the file, where a new file would give it.
    const mode_t write = (st.st_mode & 0444) >> 1 & (0222 & ~mask);
    return ::chmod(nativePath.c_str(), (st.st_mode & 07777) | write | S_IWUSR) == 0;
}

bool isWorkableFolder(std::string_view path) {
    return isDirectory(path) && ::access(native(path).c_str(), R_OK | W_OK | X_OK) == 0;
}

bool createDirectory(std::string_view path) {
    if (path.empty()) {
        return false;
    }
    std::error_code ec;
    if (fs::create_directory(native(path), ec)) {
        setCreatedMode(native(path));
    }
    return isDirectory(path);
}

bool isSharedFolder(const fs::path& folder) {
    struct stat st {};
    const fs::path at = folder.empty() ? fs::path(".") : folder;
    return ::stat(at.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISGID) != 0 &&
           (st.st_mode & S_IWGRP) != 0;
}

unsigned newMode(const fs::path& folder, bool isFolder) {
    if (isSharedFolder(folder)) {
        return isFolder ? 02775 : 0664;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return (isFolder ? 0777 : 0666) & ~mask;
}

bool setCreatedMode(const fs::path& created, int fd) {
    struct stat st {};
    if ((fd >= 0 ? ::fstat(fd, &st) : ::lstat(created.c_str(), &st)) != 0 || S_ISLNK(st.st_mode)) {
        return false;
    }
    const bool isFolder = S_ISDIR(st.st_mode);
    const fs::path folder = created.parent_path();
    // Outside a shared folder a new folder keeps what mkdir gave it (with a set-group-id bit
    // inherited from its parent).
    if (isFolder && !isSharedFolder(folder)) {
        return true;
    }
    const auto mode = static_cast<mode_t>(newMode(folder, isFolder));
    if ((st.st_mode & 07777) == mode) {
        return true;
    }
    return (fd >= 0 ? ::fchmod(fd, mode) : ::chmod(created.c_str(), mode)) == 0;
}

bool removeFile(std::string_view path) {
    std::error_code ec;
    return fs::remove(native(path), ec);
}

std::optional<std::string> readAll(std::string_view path) {
    return RegularFile(path).readAll();
}

std::optional<fs::path> createTemporaryBeside(const fs::path& target, int& fd) {
    constexpr const char* kPattern = ".~nmXXXXXX";
    const fs::path folder = target.parent_path();
    std::string name = (folder.empty() ? fs::path(kPattern) : folder / kPattern).string();
    fd = ::mkstemp(name.data());
    if (fd < 0) {
        return std::nullopt;
    }
    setCreatedMode(name, fd);
    return fs::path(name);
}

std::optional<std::string> stageFile(std::string_view path, std::string_view content) {
    const fs::path target = native(path);
    struct stat existing {};
    const bool targetExists = ::stat(target.c_str(), &existing) == 0;
    // A file without any write permission bit is read-only even for a user whom the bits do
    // not stop (root), as a read-only attribute would be.
    if (targetExists && (!S_ISREG(existing.st_mode) || (existing.st_mode & 0222) == 0 ||
                         ::access(target.c_str(), W_OK) != 0)) {
        return std::nullopt;
    }
    int fd = -1;
    const auto temporary = createTemporaryBeside(target, fd);
    if (!temporary) {
        return std::nullopt;
    }
    const std::string tmp = temporary->string();
    bool ok = true;
    const char* p = content.data();
    std::size_t left = content.size();
    while (ok && left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n <= 0) {
            ok = false;
        } else {
            p += n;
            left -= static_cast<std::size_t>(n);
        }
    }
    if (ok && targetExists) {
        ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok) {
        ::unlink(tmp.c_str());
        return std::nullopt;
    }
    return tmp;
}

bool commitStaged(const std::string& staged, std::string_view path) {
    if (std::rename(staged.c_str(), native(path).c_str()) == 0) {
        return true;
    }
    ::unlink(staged.c_str());
    return false;
}

void discardStaged(const std::string& staged) {
    ::unlink(staged.c_str());
}

bool writeAtomically(std::string_view path, std::string_view content) {
    const auto staged = stageFile(path, content);
    return staged && commitStaged(*staged, path);
}

namespace {

// An entry of a folder under its file-system spelling, and whether it is a symbolic link.
struct FolderEntry {
    std::string name;
    bool link = false;
};

// What a listing keeps: every entry, regular files (a link to one counts as one), or regular
// files that are no links together with every symbolic link, whatever it points at.
enum class Keep { All, Files, FilesAndLinks };

bool kept(const fs::directory_entry& entry, Keep keep, bool link) {
    std::error_code error;
    switch (keep) {
    case Keep::All:
        return true;
    case Keep::Files:
        return entry.is_regular_file(error);
    case Keep::FilesAndLinks:
        return link || entry.symlink_status(error).type() == fs::file_type::regular;
    }
    return false;
}

// The entries of a folder, in the order the system gives.
std::vector<FolderEntry> entryNames(std::string_view folder, Keep keep) {
    std::vector<FolderEntry> entries;
    std::error_code ec;
    fs::directory_iterator it(native(folder), ec);
    if (ec) {
        return entries;
    }
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) {
            break;
        }
        std::error_code typeError;
        const bool link = it->is_symlink(typeError);
        if (kept(*it, keep, link)) {
            entries.push_back(FolderEntry{it->path().filename().string(), link});
        }
    }
    return entries;
}

template <typename T, typename Name> void sortNoCase(std::vector<T>& items, Name name) {
    std::stable_sort(items.begin(), items.end(), [&name](const T& a, const T& b) {
        const int c = cp932::compareNoCase(name(a), name(b));
        return c != 0 ? c < 0 : name(a) < name(b);
    });
}

} // namespace

std::vector<std::string> listFolder(std::string_view folder, bool filesOnly) {
    std::vector<std::string> names;
    for (const FolderEntry& entry : entryNames(folder, filesOnly ? Keep::Files : Keep::All)) {
        names.push_back(textcodec::utf8ToCp932(entry.name));
    }
    sortNoCase(names, [](const std::string& n) -> const std::string& { return n; });
    return names;
}

std::vector<ListedName> listFolderNames(std::string_view folder, bool filesOnly) {
    std::vector<ListedName> names;
    for (const FolderEntry& entry :
         entryNames(folder, filesOnly ? Keep::FilesAndLinks : Keep::All)) {
        if (auto exact = textcodec::utf8ToCp932Exact(entry.name)) {
            names.push_back(ListedName{std::move(*exact), true, entry.link});
        } else {
            names.push_back(
                ListedName{textcodec::utf8ToCp932Marked(entry.name), false, entry.link});
        }
    }
    sortNoCase(names, [](const ListedName& n) -> const std::string& { return n.name; });
    return names;
}

std::optional<std::string> findNoCase(std::string_view folder, std::string_view name) {
    if (exists(join(folder, name))) {
        return std::string(name);
    }
    for (const std::string& entry : listFolder(folder, false)) {
        if (cp932::equalsNoCase(entry, name)) {
            return entry;
        }
    }
    return std::nullopt;
}

std::optional<std::string> findFileNoCase(std::string_view path) {
    const std::string folder = parentFolder(path);
    const auto name = findNoCase(folder, fileName(path));
    if (!name) {
        return std::nullopt;
    }
    std::string found = join(folder, *name);
    return isRegularFile(found) ? std::optional(std::move(found)) : std::nullopt;
}

} // namespace files
