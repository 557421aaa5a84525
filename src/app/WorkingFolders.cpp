#include "app/WorkingFolders.h"

#include "base/FileSystem.h"
#include "base/Prompter.h"

#include <array>

std::optional<WorkingFolders> WorkingFolders::prepare(const std::string& dataFolder,
                                                      Prompter& prompter) {
    if (!files::isDirectory(dataFolder)) {
        prompter.tell(Msg::DataFolderMissing, {dataFolder});
        return std::nullopt;
    }
    constexpr std::array<const char*, 4> kNames{"editdata", "scan", "csv", "rename"};
    std::array<std::string, 4> paths;
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        paths[i] = files::join(dataFolder, kNames[i]);
        if (!files::isDirectory(paths[i]) && !files::createDirectory(paths[i])) {
            prompter.tell(Msg::FolderCreateFailed);
            return std::nullopt;
        }
    }
    // A shared data folder may exist complete and still be closed to this user (one outside the
    // group that owns it): every save would fail later, so the start stops here and names the
    // first folder the user cannot work in.
    if (const auto closed = firstClosedFolder(dataFolder)) {
        prompter.tell(Msg::DataFolderMissing, {*closed});
        return std::nullopt;
    }
    return WorkingFolders{paths[0], paths[1], paths[2]};
}

std::optional<std::string> WorkingFolders::firstClosedFolder(const std::string& dataFolder) {
    if (!files::isWorkableFolder(dataFolder)) {
        return dataFolder;
    }
    // template and temp are made later, by the template editor and the previews; when they are
    // already there they must be usable too.
    for (const char* name : {"editdata", "scan", "csv", "rename", "template", "temp"}) {
        const std::string path = files::join(dataFolder, name);
        if (files::exists(path) && !files::isWorkableFolder(path)) {
            return path;
        }
    }
    return std::nullopt;
}
