#include "execute/JournalPaths.h"

#include "base/FileSystem.h"
#include "execute/RunJournal.h"

#include <algorithm>
#include <filesystem>

namespace journalpaths {

std::string resolvedFolder(std::string_view folder) {
    const std::string absolute = files::absolute(folder);
    std::error_code error;
    const auto real = std::filesystem::canonical(files::native(absolute), error);
    return error ? absolute : files::fromNative(real);
}

std::string resolved(std::string_view path) {
    const std::string absolute = files::absolute(path);
    return files::join(resolvedFolder(files::parentFolder(absolute)), files::fileName(absolute));
}

std::optional<std::string> plain(std::string_view path) {
    if (path.empty() || path.front() != files::kSeparator) {
        return std::nullopt;
    }
    const std::string whole = files::withoutTrailingSeparator(path);
    if (whole.size() > 1 && whole.back() == files::kSeparator) {
        return std::nullopt;
    }
    std::size_t start = 1;
    while (start < whole.size()) {
        const std::size_t end = std::min(whole.find(files::kSeparator, start), whole.size());
        const std::string_view part = std::string_view(whole).substr(start, end - start);
        if (part.empty() || part == "." || part == "..") {
            return std::nullopt;
        }
        start = end + 1;
    }
    return whole;
}

bool inside(std::string_view path, const std::vector<std::string>& folders,
            std::string_view runId) {
    const auto checked = plain(path);
    if (!checked) {
        return false;
    }
    const std::string folder = files::parentFolder(*checked);
    const std::string above = files::parentFolder(folder);
    const bool besideKeep =
        files::fileName(folder) == std::string(RunJournal::kKeepBeside) + std::string(runId);
    return std::any_of(folders.begin(), folders.end(), [&](const std::string& f) {
        return f == folder || (besideKeep && f == above);
    });
}

} // namespace journalpaths
