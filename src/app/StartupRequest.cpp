#include "app/StartupRequest.h"

#include "app/AppPaths.h"
#include "base/FileSystem.h"
#include "base/Prompter.h"

namespace {

bool startsWith(const std::string& s, std::string_view a, std::string_view b) {
    return s.compare(0, a.size(), a) == 0 || s.compare(0, b.size(), b) == 0;
}

bool endsWith(const std::string& s, std::string_view suffix) {
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The path as is when absolute, else below the given folder.
std::string resolve(const std::string& text, const std::string& folder) {
    return AppPaths::isAbsolutePath(text) ? text : files::join(folder, text);
}

} // namespace

StartupRequest StartupRequest::parse(const std::vector<std::string>& arguments,
                                     const std::string& dataFolder, Prompter& prompter) {
    StartupRequest r;
    for (const std::string& arg : arguments) {
        if (startsWith(arg, "/t=", "/T=")) {
            const std::string path =
                resolve(arg.substr(3) + ".tpl", files::join(dataFolder, "template"));
            if (const auto found = files::findFileNoCase(path)) {
                r.templatePath = *found;
                r.templateGiven = true;
                r.argumentsAccepted = true;
            }
        } else if (startsWith(arg, "/f=", "/F=")) {
            if (arg.size() <= 3) {
                continue;
            }
            const std::string path = resolve(arg.substr(3), dataFolder);
            if (files::isDirectory(path)) {
                r.imageFolderPath = path;
                r.imageFolderGiven = true;
                r.argumentsAccepted = true;
            } else {
                prompter.tell(Msg::ImageFolderMissing, {path});
            }
        } else if (endsWith(arg, ".edd") || endsWith(arg, ".EDD")) {
            r.workDataPath = resolve(arg, files::join(dataFolder, "editdata"));
            r.workDataGiven = true;
            r.argumentsAccepted = true;
        } else if (endsWith(arg, ".csv") || endsWith(arg, ".CSV")) {
            const std::string path = resolve(arg, files::join(dataFolder, "csv"));
            if (const auto found = files::findFileNoCase(path)) {
                r.renameListPath = *found;
                r.renameListGiven = true;
                r.argumentsAccepted = true;
            }
        }
    }
    return r;
}
