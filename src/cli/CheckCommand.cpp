#include "cli/CheckCommand.h"

#include "app/SettingsStore.h"
#include "base/CellGrid.h"
#include "base/FileSystem.h"
#include "base/RecordingMainView.h"
#include "base/RegularFile.h"
#include "cli/CliSession.h"
#include "cli/JsonText.h"
#include "renamelist/AssignmentList.h"
#include "renamelist/RenameList.h"
#include "renamelist/RenameListImport.h"
#include "renamelist/RenameListLoader.h"
#include "template/TemplateFolder.h"

#include <iostream>
#include <ostream>

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
    const std::string templatePath = CliSession::in(args->templatePath);
    if (RegularFile::refused(templatePath, session.prompter())) {
        return session.fail();
    }
    const auto t = TemplateFolder::readTemplateFile(templatePath, environment.dataFolder);
    if (!t) {
        session.prompter().tell(Msg::TemplateReadFailed);
        return session.fail();
    }
    if (!TemplateFolder::usable(*t, settings.csvRowNum, session.prompter())) {
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

    const int last = lastRowWithContent(list);
    const auto writeJson = [&list, last](std::ostream& out) {
        out << "\n \"loadedRowCount\": " << list.loadedRowCount() << ",\n \"rows\": [";
        std::string line;
        for (int row = 1; row <= last; ++row) {
            line.assign(row == 1 ? "\n  " : ",\n  ");
            line += "{\"row\": " + std::to_string(row) + ", \"cells\": [";
            for (int k = 0; k < list.columnCount(); ++k) {
                line += k == 0 ? "{\"text\": " : ", {\"text\": ";
                JsonText::appendString(line, CliSession::out(list.cellText(row, k)));
                line += list.isInvalid(row, k) ? ", \"invalid\": true}" : ", \"invalid\": false}";
            }
            line += "]}";
            out << line;
        }
        out << (last > 0 ? "\n ]" : "]");
    };
    const auto writeText = [&list, last](std::ostream& out) {
        out << "loaded rows: " << list.loadedRowCount() << "\n";
        std::string line;
        for (int row = 1; row <= last; ++row) {
            line = std::to_string(row) + ":";
            for (int k = 0; k < list.columnCount(); ++k) {
                line += k == 0 ? " " : " | ";
                line += list.isInvalid(row, k) ? std::string("<invalid>")
                                               : CliSession::out(list.cellText(row, k));
            }
            out << line << "\n";
        }
    };
    return session.finishStreamed(writeJson, writeText, CliSession::Done);
}
