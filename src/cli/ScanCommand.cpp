#include "cli/ScanCommand.h"

#include "base/CellGrid.h"
#include "base/RecordingMainView.h"
#include "base/WorkerPool.h"
#include "cli/CliSession.h"
#include "cli/InfoCommand.h"
#include "image/ImageEntry.h"
#include "image/ImageFolderScan.h"

#include <sstream>

int runScanCommand(CliSession& session) {
    const auto& args = session.options().command;
    if (args.size() != 2) {
        return session.usageError("scan needs one FOLDER");
    }
    const auto dataFolder = session.dataFolder();
    if (!dataFolder) {
        return session.fail();
    }
    const ImageSettings settings = loadImageSettings(*dataFolder);
    CellGrid grid;
    ImageEntry::prepareGrid(grid);
    RecordingMainView view;
    ImageFolderScan scan(grid, view, session.prompter());
    WorkerPool pool(WorkerPool::threadsFor(settings.threads));
    scan.setPool(&pool);
    if (!scan.scan(CliSession::in(args[1]), settings, ImageFolderScan::Mode::FolderChoice)) {
        return session.fail();
    }
    Json rows = Json::array();
    std::ostringstream text;
    for (int row = grid.fixedRows(); row < grid.rows(); ++row) {
        const ImageEntry e = ImageEntry::read(grid, row);
        rows.push_back(Json{{"row", row},
                            {"type", e.type},
                            {"fileName", CliSession::out(e.fileName)},
                            {"paperSize", CliSession::out(e.paperSize)},
                            {"date", e.date},
                            {"pageCount", e.pageCount},
                            {"previewValid", e.previewValid ? "1" : "0"}});
        text << row << "  " << e.type << "  " << CliSession::out(e.fileName) << "  "
             << CliSession::out(e.paperSize) << "  " << e.date << "  " << e.pageCount
             << (e.previewValid ? "" : "  (no preview)") << "\n";
    }
    text << CliSession::out(ImageFolderScan::countCaption(scan.imageCount())) << "\n";
    return session.finish(Json{{"count", scan.imageCount()}, {"rows", rows}}, text.str(),
                          CliSession::Done);
}
