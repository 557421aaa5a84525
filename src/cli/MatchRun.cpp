#include "cli/MatchRun.h"

#include "app/ReadSettings.h"
#include "app/SettingsStore.h"
#include "base/ProfileFile.h"
#include "base/WorkerPool.h"
#include "cli/HeadlessWindow.h"
#include "renamelist/RenameList.h"
#include "workbench/RenameListCommands.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

Json candidateJson(const std::optional<SheetMatcher::Candidate>& c,
                   const std::vector<std::string>& columnNames) {
    if (!c) {
        return nullptr;
    }
    const std::size_t k = static_cast<std::size_t>(c->column);
    return Json{{"rowKey", c->rowKey},
                {"row", c->row},
                {"score", std::round(c->score * 100.0) / 100.0},
                {"by", c->by == SheetMatcher::By::Code ? "code" : "text"},
                {"column", k < columnNames.size() ? columnNames[k] : std::string()},
                {"value", c->value}};
}

std::vector<std::string> fileNameColumns(Workbench& wb) {
    std::vector<std::string> names;
    const RenameList& list = wb.renameList().list();
    for (int k = 0; k < list.columnCount(); ++k) {
        if (list.column(k).fileName) {
            names.push_back(CliSession::out(list.column(k).name));
        }
    }
    return names;
}

} // namespace

MatchRun MatchRun::read(HeadlessWindow& window, CliSession& session,
                        const std::optional<double>& minScore) {
    Workbench& wb = window.workbench();
    ReadSettings settings = ReadSettings::load(ProfileFile(wb.settingsStore().settingsFile()));
    if (minScore) {
        settings.minScore = *minScore;
    }
    const SheetReadJob::Input input = SheetReadJob::collect(wb, settings);
    bool told = false;
    SheetReadJob::tellBefore(input, session.prompter(), told);
    MatchRun run;
    run.minScore = settings.minScore;
    run.columns = fileNameColumns(wb);
    WorkerPool pool(WorkerPool::threadsFor(input.settings.threads));
    run.threads = pool.size();
    const std::atomic<bool> cancel{false};
    const auto start = std::chrono::steady_clock::now();
    run.suggestions = SheetReadJob::run(input, &pool, cancel, {});
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return run;
}

Json MatchRun::imageJson(const ReadSuggestion& s) const {
    Json codes = Json::array();
    for (const ReadCode& c : s.reading.codes) {
        codes.push_back({{"format", c.format}, {"text", c.text}});
    }
    Json image{
        {"fileName", CliSession::out(s.image.fileName)},
        {"paperSize", CliSession::out(s.image.paperSize)},
        {"codes", codes},
        {"text", s.reading.text},
        {"suggestion", candidateJson(s.match.suggestion, columns)},
        {"runnerUp", candidateJson(s.match.runnerUp, columns)},
        {"codeOverText", s.match.codeOverText},
        {"paperSizeListed",
         s.paperSizeListed.empty() ? Json(nullptr) : Json(CliSession::out(s.paperSizeListed))},
        {"paperMismatch", s.paperMismatch},
        {"reason", s.reading.failed() ? Json(readFailureText(s.reading.failure)) : Json(nullptr)}};
    return image;
}
