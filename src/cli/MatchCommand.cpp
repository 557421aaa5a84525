#include "cli/MatchCommand.h"

#include "cli/CliSession.h"
#include "cli/HeadlessWindow.h"
#include "cli/MatchRun.h"
#include "cli/WorkingState.h"

#include <cmath>
#include <iomanip>
#include <sstream>

namespace {

std::string reportText(const Json& report) {
    std::ostringstream text;
    for (const Json& image : report["images"]) {
        text << image["fileName"].get<std::string>() << "  ";
        if (!image["reason"].is_null()) {
            text << "-  " << image["reason"].get<std::string>();
        } else if (image["suggestion"].is_null()) {
            text << "-";
        } else {
            const Json& s = image["suggestion"];
            text << "row " << s["row"].get<int>() << "  " << s["value"].get<std::string>() << "  "
                 << std::fixed << std::setprecision(2) << s["score"].get<double>() << "  "
                 << s["by"].get<std::string>();
            if (image["paperMismatch"].get<bool>()) {
                text << "  list: " << image["paperSizeListed"].get<std::string>();
            }
        }
        text << "\n";
    }
    text << "threads " << report["threads"].get<unsigned>() << ", " << std::fixed
         << std::setprecision(1) << report["seconds"].get<double>() << " s\n";
    return text.str();
}

} // namespace

int runMatchCommand(CliSession& session) {
    const auto& args = session.options().command;
    std::string error;
    const auto state =
        WorkingState::parse(std::vector<std::string>(args.begin() + 1, args.end()), error);
    if (!state) {
        return session.usageError(error);
    }
    const auto dataFolder = session.dataFolder();
    if (!dataFolder) {
        return session.fail();
    }
    HeadlessWindow window(*dataFolder, session.prompter());
    if (!state->build(window, session)) {
        return session.finish(Json{{"images", Json::array()}}, "", CliSession::Failed);
    }
    std::string unavailable;
    switch (state->operate(window, session, unavailable, error)) {
    case WorkingState::Outcome::Usage:
        return session.usageError(error);
    case WorkingState::Outcome::Unavailable:
        return session.finish(Json{{"images", Json::array()}, {"unavailable", unavailable}},
                              "unavailable: " + unavailable + "\n", CliSession::Failed);
    case WorkingState::Outcome::Failed:
        return session.finish(Json{{"images", Json::array()}}, "", CliSession::Failed);
    case WorkingState::Outcome::Done:
        break;
    }
    const MatchRun run = MatchRun::read(window, session, state->minScore());
    Json images = Json::array();
    for (const ReadSuggestion& s : run.suggestions) {
        images.push_back(run.imageJson(s));
    }
    const Json report{{"images", images},
                      {"threads", run.threads},
                      {"seconds", std::round(run.seconds * 10.0) / 10.0}};
    return session.finish(report, reportText(report), CliSession::Done);
}
