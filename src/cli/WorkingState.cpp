#include "cli/WorkingState.h"

#include "base/CellGrid.h"
#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "base/ProfileFile.h"
#include "base/RegularFile.h"
#include "base/TextCodec.h"
#include "cli/HeadlessWindow.h"
#include "cli/MatchRun.h"
#include "execute/AssignmentMarks.h"
#include "image/ImageEntry.h"
#include "renamelist/RenameList.h"
#include "template/TemplateFolder.h"
#include "workbench/Cmd.h"
#include "workbench/Ctl.h"
#include "workbench/ReadAssignment.h"

#include <array>
#include <cstdlib>
#include <sstream>

namespace {

struct CommandButton {
    const char* key;
    Ctl control;
    const char* caption;
};

constexpr std::array kButtons{
    CommandButton{"assign", Ctl::Assign, "割り当て"},
    CommandButton{"release", Ctl::Release, "解除"},
    CommandButton{"batchAssign", Ctl::BatchAssign, "一括割り当て"},
    CommandButton{"batchRelease", Ctl::BatchRelease, "一括解除"},
    CommandButton{"execute", Ctl::Execute, "実行"},
};

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> out;
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        if (!item.empty()) {
            out.push_back(CliSession::in(item));
        }
    }
    return out;
}

const char* markName(int picture) {
    switch (picture) {
    case assignmark::Single:
        return "single";
    case assignmark::Multi:
        return "multi";
    default:
        return "none";
    }
}

// Only the image rows of the files are selected, the first of them current. False when a file is
// not listed.
bool selectImages(Workbench& wb, const std::vector<std::string>& files, std::string& error) {
    std::vector<int> rows;
    for (const std::string& f : files) {
        const int row = ImageEntry::findRow(wb.imageGrid(), f);
        if (row < 0) {
            error = "no image " + CliSession::out(f) + " in the image list";
            return false;
        }
        rows.push_back(row);
    }
    if (rows.empty()) {
        error = "no image named";
        return false;
    }
    wb.imageList().selectRow(rows.front());
    for (int row : rows) {
        wb.imageGrid().setRowSelected(row, true);
    }
    wb.refreshControlStates();
    return true;
}

bool runButton(HeadlessWindow& window, int command, std::string& unavailable) {
    if (!window.view().isEnabled(command)) {
        unavailable = command == id(Cmd::SaveWorkDataAs) ? "作業ﾃﾞｰﾀに名前を付けて保存" : "";
        for (const CommandButton& b : kButtons) {
            if (id(b.control) == command) {
                unavailable = b.caption;
            }
        }
        return false;
    }
    window.workbench().command(command);
    return true;
}

} // namespace

std::optional<WorkingState> WorkingState::parse(const std::vector<std::string>& args,
                                                std::string& error) {
    WorkingState s;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool takesValue = a == "--work" || a == "--template" || a == "--list" ||
                                a == "--images" || a == "--assign" || a == "--release" ||
                                a == "--save" || a == "--min-score";
        if (takesValue && i + 1 >= args.size()) {
            error = a + " needs a value";
            return std::nullopt;
        }
        if (a == "--work") {
            s.m_work = args[++i];
        } else if (a == "--template") {
            s.m_template = args[++i];
        } else if (a == "--list") {
            s.m_list = args[++i];
        } else if (a == "--images") {
            s.m_images = args[++i];
        } else if (a == "--min-score") {
            const std::string& v = args[++i];
            char* end = nullptr;
            const double score = std::strtod(v.c_str(), &end);
            if (v.empty() || *end != '\0' || !(score >= 0.0 && score <= 1.0)) {
                error = "--min-score needs a number from 0 to 1";
                return std::nullopt;
            }
            s.m_minScore = score;
        } else if (a == "--batch-assign" || a == "--batch-release" || a == "--assign-read") {
            s.m_operations.push_back({a, {}});
        } else if (takesValue) {
            s.m_operations.push_back({a, args[++i]});
        } else {
            error = "unknown argument " + a;
            return std::nullopt;
        }
    }
    return s;
}

bool WorkingState::build(HeadlessWindow& window, CliSession& session) const {
    Workbench& wb = window.workbench();
    if (m_work && !wb.workData().load(CliSession::in(*m_work))) {
        return false;
    }
    if (m_template) {
        const std::string path = CliSession::in(*m_template);
        if (RegularFile::refused(path, session.prompter())) {
            return false;
        }
        const auto t = TemplateFolder::readTemplateFile(path, window.dataFolder());
        if (!t) {
            session.prompter().tell(Msg::TemplateReadFailed);
            return false;
        }
        std::string name = files::fileName(path);
        if (cp932::endsWithNoCase(name, ".tpl")) {
            name.resize(name.size() - 4);
        }
        if (!wb.templateBox().selectTemplate(name, *t)) {
            return false;
        }
        wb.refreshControlStates();
    }
    if (m_images && !wb.imageList().loadFolder(CliSession::in(*m_images))) {
        return false;
    }
    return !m_list || wb.renameList().load(CliSession::in(*m_list));
}

WorkingState::Outcome WorkingState::operate(HeadlessWindow& window, CliSession& session,
                                            std::string& unavailable, std::string& error) const {
    Workbench& wb = window.workbench();
    for (const Operation& op : m_operations) {
        if (op.option == "--batch-assign") {
            wb.refreshControlStates();
            if (!runButton(window, id(Ctl::BatchAssign), unavailable)) {
                return Outcome::Unavailable;
            }
        } else if (op.option == "--batch-release") {
            wb.refreshControlStates();
            if (!runButton(window, id(Ctl::BatchRelease), unavailable)) {
                return Outcome::Unavailable;
            }
        } else if (op.option == "--assign") {
            const std::size_t eq = op.value.find('=');
            const int row =
                eq == std::string::npos ? 0 : ProfileFile::parseInt(op.value.substr(0, eq));
            if (row < 1 || row > RenameList::kDataRows) {
                error = "--assign needs ROW=FILE[,FILE...] with a row from 1 to 1000";
                return Outcome::Usage;
            }
            wb.renameList().list().selectRow(row);
            if (!selectImages(wb, splitList(op.value.substr(eq + 1)), error)) {
                return Outcome::Usage;
            }
            if (!runButton(window, id(Ctl::Assign), unavailable)) {
                return Outcome::Unavailable;
            }
        } else if (op.option == "--assign-read") {
            const auto read = MatchRun::read(window, session, m_minScore);
            ReadAssignment::apply(wb, read.suggestions,
                                  ReadAssignment::presetChecks(read.suggestions, read.minScore));
        } else if (op.option == "--release") {
            if (!selectImages(wb, splitList(op.value), error)) {
                return Outcome::Usage;
            }
            if (!runButton(window, id(Ctl::Release), unavailable)) {
                return Outcome::Unavailable;
            }
        } else {
            // "--save": the name chosen in the naming dialog is the one given.
            wb.refreshControlStates();
            session.prompter().queuePath(CliSession::in(op.value));
            if (!runButton(window, id(Cmd::SaveWorkDataAs), unavailable)) {
                return Outcome::Unavailable;
            }
            if (wb.state().modified) {
                return Outcome::Failed;
            }
        }
    }
    return Outcome::Done;
}

Json WorkingState::report(HeadlessWindow& window) {
    Workbench& wb = window.workbench();
    Json assignments = Json::array();
    for (const CAssignInfo& r : wb.assignmentCommands().list().records()) {
        assignments.push_back({{"rowKey", CliSession::out(r.rowKey)},
                               {"fileName", CliSession::out(r.fileName)},
                               {"page", r.page},
                               {"preview", r.preview}});
    }
    const RenameList& list = wb.renameList().list();
    Json renameRows = Json::array();
    for (int row = 1; row <= list.lastDataRow(); ++row) {
        Json cells = Json::array();
        for (int k = 0; k < list.columnCount(); ++k) {
            cells.push_back(CliSession::out(list.cellText(row, k)));
        }
        Json entry{{"row", row},
                   {"mark", markName(list.grid().cellPicture(row, RenameList::kColAssign))},
                   {"cells", cells}};
        const std::string listed = wb.assignmentCommands().work().paperSizeListed(
            list.grid().text(row, RenameList::kColRowKey));
        if (!listed.empty()) {
            entry["paperSizeListed"] = CliSession::out(listed);
        }
        renameRows.push_back(entry);
    }
    const CellGrid& grid = wb.imageGrid();
    Json images = Json::array();
    for (int row = grid.fixedRows(); row < grid.rows(); ++row) {
        images.push_back({{"row", row},
                          {"fileName", CliSession::out(grid.text(row, ImageEntry::FileName))},
                          {"page", grid.text(row, ImageEntry::PageOrder)},
                          {"mark", markName(grid.cellPicture(row, ImageEntry::Assigned))}});
    }
    Json commands = Json::object();
    for (const CommandButton& b : kButtons) {
        commands[b.key] = window.view().isEnabled(id(b.control));
    }
    return Json{
        {"assignments", assignments},
        {"renameRows", renameRows},
        {"images", images},
        {"commands", commands},
        {"workData",
         {{"name", CliSession::out(wb.state().workDataName)}, {"modified", wb.state().modified}}}};
}

std::string WorkingState::reportText(HeadlessWindow& window) {
    const Json state = report(window);
    std::ostringstream text;
    text << "assignments:\n";
    for (const Json& a : state["assignments"]) {
        text << "  row " << a["rowKey"].get<std::string>() << "  page " << a["page"].get<int>()
             << "  " << a["fileName"].get<std::string>() << "\n";
    }
    text << "images:\n";
    for (const Json& i : state["images"]) {
        text << "  " << i["row"].get<int>() << "  " << i["fileName"].get<std::string>() << "  "
             << i["page"].get<std::string>() << "  " << i["mark"].get<std::string>() << "\n";
    }
    text << "commands:";
    for (const auto& [key, enabled] : state["commands"].items()) {
        text << " " << key << (enabled.get<bool>() ? "+" : "-");
    }
    text << "\n";
    return text.str();
}
