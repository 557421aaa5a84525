#include "cli/PreviewCommand.h"

#include "base/FileSystem.h"
#include "base/RecordingMainView.h"
#include "cli/CliSession.h"
#include "cli/InfoCommand.h"
#include "image/PreviewMaker.h"

#include <sstream>

int runPreviewCommand(CliSession& session) {
    const auto& args = session.options().command;
    if (args.size() != 2) {
        return session.usageError("preview needs one FILE");
    }
    const auto dataFolder = session.dataFolder();
    if (!dataFolder) {
        return session.fail();
    }
    const ImageSettings settings = loadImageSettings(*dataFolder);
    const std::string path = CliSession::in(args[1]);
    const auto type = ImageTypeDetector::detect(files::fileName(path), settings.extensions);
    PreviewResult result;
    if (type) {
        RecordingMainView view;
        result = PreviewMaker(settings, &view, &session.prompter()).make(path, *type);
    } else {
        result.result = files::isRegularFile(path) ? -1 : 1;
    }
    Json names = Json::array();
    std::ostringstream text;
    text << "result " << result.result << "  pages " << result.pageCount << "  previews "
         << result.previewCount << "\n";
    for (const std::string& name : result.files) {
        names.push_back(CliSession::out(name));
        text << CliSession::out(name) << "\n";
    }
    return session.finish(Json{{"result", result.result},
                               {"pageCount", result.pageCount},
                               {"previewCount", result.previewCount},
                               {"files", names}},
                          text.str(), result.result == 0 ? CliSession::Done : CliSession::Failed);
}
