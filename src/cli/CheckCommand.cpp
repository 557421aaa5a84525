#include "cli/CheckCommand.h"

#include "app/SettingsStore.h"
#include "base/CellGrid.h"
#include "base/FileSystem.h"
#include "base/RecordingMainView.h"
#include "cli/CliSession.h"
#include "renamelist/AssignmentList.h"
#include "renamelist/RenameList.h"
#include "renamelist/RenameListImport.h"
#include "renamelist/RenameListLoader.h"
#include "template/TemplateFolder.h"

#include <iostream>
#include <sstream>

namespace {

struct CheckArguments {
    std::string templatePath;
    std::string listPath;
};

std::optional<CheckArguments> parseArguments(const std::vector<std::string>& args) {
    CheckArguments parsed;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--template" && i + 1 < args.size() && parsed.templatePath.empty()) {
            parsed.templatePath = args[++i];
        } else if (a.rfind("--template=", 0) == 0 && parsed.templatePath.empty()) {
            parsed.templatePath = a.substr(11);
        } else if (a.rfind("--", 0) != 0 && parsed.listPath.empty()) {
            parsed.listPath = a;
        } else {
            return std::nullopt;
        }
    }
    if (parsed.templatePath.empty() || parsed.listPath.empty()) {
        return std::nullopt;
    }
    return parsed;
}

struct Environment {
    std::string dataFolder;
    Settings settings;
};

// The data folder and the settings the main window would hold there. A list can be checked
// without a data folder: the settings are then the defaults.
Environment loadEnvironment(const CliSession& session) {
    CliSession probe(session.options());
    const auto folder = probe.dataFolder();
    if (!folder) {
        return {};
    }
    SettingsStore store(files::join(*folder, "Nomira.ini"), *folder);
    store.loadAll();
    return {*folder, store.settings()};
}

int lastRowWithContent(const RenameList& list) {
    for (int row = RenameList::kDataRows; row >= 1; --row) {
        for (int k = 0; k < list.columnCount(); ++k) {
            if (!list.cellText(row, k).empty() || list.isInvalid(row, k)) {
                return row;
            }
        }
    }
    return 0;
}

} // namespace

int runCheckCommand(CliSession& session) {
    const auto args = parseArguments(session.options().command);
    if (!args) {
        return session.usageError("check needs --template FILE.tpl LIST.csv");
    }
    const Environment environment = loadEnvironment(session);
    const Settings& settings = environment.settings;
    const auto t = TemplateFolder::readTemplateFile(CliSession::in(args->templatePath),
                                                    environment.dataFolder);
    if (!t) {
        session.prompter().tell(Msg::TemplateReadFailed);
        return session.fail();
    }

    CellGrid grid;
    RenameList list(grid);
    list.applyTemplate(*t);
    AssignmentList assignments;
    RecordingMainView view;
    RenameListLoader loader(list, assignments, view, session.prompter(), settings,
                            SettingsStore::systemToday);
    RenameListImport import(session.prompter(), loader, assignments);
    const auto choice = import.choose({}, CliSession::in(args->listPath));
    if (choice.outcome != RenameListImport::Choice::Chosen) {
        return session.fail();
    }
    const auto imported = import.load(choice.path);
    if (!imported.opened) {
        std::cerr << "nomira-cli: cannot open " << CliSession::out(choice.path) << "\n";
        return session.fail();
    }

    Json rows = Json::array();
    std::ostringstream text;
    text << "loaded rows: " << list.loadedRowCount() << "\n";
    const int last = lastRowWithContent(list);
    for (int row = 1; row <= last; ++row) {
        Json cells = Json::array();
        text << row << ":";
        for (int k = 0; k < list.columnCount(); ++k) {
            const std::string value = CliSession::out(list.cellText(row, k));
            const bool invalid = list.isInvalid(row, k);
            cells.push_back({{"text", value}, {"invalid", invalid}});
            text << (k == 0 ? " " : " | ") << (invalid ? "<invalid>" : value);
        }
        text << "\n";
        rows.push_back({{"row", row}, {"cells", cells}});
    }
    return session.finish(Json{{"loadedRowCount", list.loadedRowCount()}, {"rows", rows}},
                          text.str(), CliSession::Done);
}
