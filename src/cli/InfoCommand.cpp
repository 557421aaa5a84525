#include "cli/InfoCommand.h"

#include "app/AppPaths.h"
#include "app/SettingsStore.h"
#include "base/FileSystem.h"
#include "cli/CliSession.h"
#include "image/ImageProbe.h"
#include "image/PaperSize.h"

#include <sstream>

ImageSettings loadImageSettings(const std::string& dataFolder) {
    SettingsStore store(files::join(dataFolder, "Nomira.ini"), dataFolder);
    if (!dataFolder.empty()) {
        store.loadAll();
    }
    const std::string programFolder = files::parentFolder(AppPaths::currentExecutablePath());
    return ImageSettings::from(store.settings(), dataFolder.empty() ? "." : dataFolder,
                               programFolder);
}

namespace {

Json pageJson(const PageFacts& p, int margin) {
    return Json{{"page", p.page},
                {"widthPx", p.widthPx},
                {"heightPx", p.heightPx},
                {"bitsPerPixel", p.bitsPerPixel},
                {"xDpi", p.xDpi},
                {"yDpi", p.yDpi},
                {"widthMm", p.widthMm},
                {"heightMm", p.heightMm},
                {"paperSize", CliSession::out(PaperSize::classify(p.widthMm, p.heightMm, margin))}};
}

} // namespace

int runInfoCommand(CliSession& session) {
    const auto& args = session.options().command;
    if (args.size() < 2) {
        return session.usageError("info needs at least one FILE");
    }
    std::string dataFolder;
    {
        CliSession probe(session.options());
        dataFolder = probe.dataFolder().value_or(std::string());
    }
    const ImageSettings settings = loadImageSettings(dataFolder);
    const ImageProbe inspector(settings);
    Json list = Json::array();
    std::ostringstream text;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string path = CliSession::in(args[i]);
        const auto type = ImageTypeDetector::detect(files::fileName(path), settings.extensions);
        ImageFacts facts;
        if (type) {
            facts = inspector.inspect(path, *type);
        } else {
            facts.result = files::isRegularFile(path) ? -1 : 1;
        }
        Json pages = Json::array();
        for (const PageFacts& p : facts.pages) {
            pages.push_back(pageJson(p, settings.margin));
        }
        list.push_back(Json{{"file", args[i]},
                            {"type", type ? Json(ImageTypeDetector::typeText(*type)) : Json()},
                            {"result", facts.result},
                            {"pageCount", facts.pageCount},
                            {"overA0", facts.overA0},
                            {"pages", pages}});
        text << args[i] << ": " << (type ? ImageTypeDetector::typeText(*type) : "-") << "  result "
             << facts.result << "  pages " << facts.pageCount << (facts.overA0 ? "  over A0" : "")
             << "\n";
        for (const Json& p : pages) {
            text << "  page " << p["page"] << ": " << p["widthPx"] << " x " << p["heightPx"]
                 << " px, " << p["bitsPerPixel"] << " bit, " << p["xDpi"] << " x " << p["yDpi"]
                 << " dpi, " << p["widthMm"] << " x " << p["heightMm"] << " mm, "
                 << p["paperSize"].get<std::string>() << "\n";
        }
    }
    return session.finish(list, text.str(), CliSession::Done);
}
