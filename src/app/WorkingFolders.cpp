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
    return WorkingFolders{paths[0], paths[1], paths[2]};
}
