#include "cli/TemplateCommand.h"

#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "base/RegularFile.h"
#include "cli/CliSession.h"
#include "template/ColumnType.h"
#include "template/TemplateFolder.h"

#include <sstream>

namespace {

Json templateJson(const Template& t) {
    const auto o = &CliSession::out;
    Json columns = Json::array();
    for (const ColumnDef& c : t.columns) {
        columns.push_back(
            {{"name", o(c.name)},
             {"type", c.type},
             {"sourceField", c.sourceField},
             {"fileName", c.fileName},
             {"sort1", c.sort1},
             {"sort2", c.sort2},
             {"hidden", c.hidden},
             {"digits", c.digits},
             {"decimals", c.decimals},
             {"alignment", c.alignment},
             {"restriction", c.malformedRestriction ? Json(CliSession::out(*c.malformedRestriction))
                                                    : Json(c.restriction)}});
    }
    return Json{{"name", o(t.name)},
                {"columns", columns},
                {"storageFolder", o(t.storageFolder)},
                {"replaceSpaces", t.replaceSpaces},
                {"replacementChar", o(t.replacementChar)},
                {"sortExport", t.sortExport},
                {"rememberWidths", t.rememberWidths},
                {"widths", t.widths},
                {"connector", o(t.connector)},
                {"docType", o(t.docType)}};
}

std::string templateText(const Template& t) {
    const auto o = &CliSession::out;
    std::ostringstream out;
    out << "template:        " << o(t.name) << "\n"
        << "storage folder:  " << o(t.storageFolder) << "\n"
        << "replace spaces:  "
        << (t.replaceSpaces ? "yes, by \"" + o(t.replacementChar) + "\"" : "no") << "\n"
        << "connector:       \"" << o(t.connector) << "\"\n"
        << "sort export:     " << (t.sortExport ? "yes" : "no") << "\n"
        << "remember widths: " << (t.rememberWidths ? "yes" : "no") << "\n"
        << "document type:   " << o(t.docType) << "\n"
        << "columns:\n";
    int n = 1;
    for (const ColumnDef& c : t.columns) {
        out << "  " << n++ << ". " << o(c.name) << "  [" << o(columnTypeName(c.type)) << "] field "
            << c.sourceField << (c.fileName ? "  file name" : "")
            << (c.sort1 ? "  sort1=" + std::to_string(c.sort1) : "")
            << (c.sort2 ? "  sort2=" + std::to_string(c.sort2) : "") << (c.hidden ? "  hidden" : "")
            << "  digits " << c.digits << "/" << c.decimals << "  alignment " << c.alignment
            << "\n";
    }
    return out.str();
}

std::optional<Template> readArgument(CliSession& session, const std::string& dataFolder,
                                     const std::string& path) {
    const std::string file = CliSession::in(path);
    if (RegularFile::refused(file, session.prompter())) {
        return std::nullopt;
    }
    auto t = TemplateFolder::readTemplateFile(file, dataFolder);
    if (!t) {
        session.prompter().tell(Msg::TemplateReadFailed);
    }
    return t;
}

// The data folder when one is set up; reading a template only needs it for a template that names
// no storage folder, so a missing one is not an error here.
std::string optionalDataFolder(CliSession& session) {
    CliSession probe(session.options());
    const auto folder = probe.dataFolder();
    return folder.value_or(std::string());
}

int list(CliSession& session) {
    const auto dataFolder = session.dataFolder();
    if (!dataFolder) {
        return session.fail();
    }
    const TemplateFolder folder(files::join(*dataFolder, "template"), *dataFolder);
    Json names = Json::array();
    std::string text;
    for (const std::string& name : folder.listTemplates()) {
        names.push_back(CliSession::out(name));
        text += CliSession::out(name) + "\n";
    }
    return session.finish(Json{{"templates", names}}, text, CliSession::Done);
}

int show(CliSession& session, const std::string& path) {
    const auto t = readArgument(session, optionalDataFolder(session), path);
    if (!t) {
        return session.fail();
    }
    return session.finish(templateJson(*t), templateText(*t), CliSession::Done);
}

int rewrite(CliSession& session, const std::string& in, const std::string& outPath) {
    const std::string target = CliSession::in(outPath);
    if (!cp932::endsWithNoCase(target, ".tpl")) {
        return session.usageError("the output file must end in .tpl");
    }
    auto t = readArgument(session, optionalDataFolder(session), in);
    if (!t) {
        return session.fail();
    }
    const std::string fileName = files::fileName(target);
    t->name = fileName.substr(0, fileName.size() - 4);
    std::string folder = files::parentFolder(target);
    if (folder.empty()) {
        folder = ".";
    }
    const TemplateFolder writer(folder, {});
    if (!writer.writeTemplate(*t, session.prompter())) {
        if (session.prompter().shown().empty()) {
            session.prompter().tell(Msg::TemplateSetFailed);
        }
        return session.fail();
    }
    return session.finish(Json{{"written", outPath}}, "written: " + outPath + "\n",
                          CliSession::Done);
}

} // namespace

int runTemplateCommand(CliSession& session) {
    const auto& args = session.options().command;
    if (args.size() == 2 && args[1] == "list") {
        return list(session);
    }
    if (args.size() == 3 && args[1] == "show") {
        return show(session, args[2]);
    }
    if (args.size() == 4 && args[1] == "rewrite") {
        return rewrite(session, args[2], args[3]);
    }
    return session.usageError("template needs list, show FILE.tpl or rewrite IN.tpl OUT.tpl");
}
