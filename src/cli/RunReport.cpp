#include "cli/RunReport.h"

#include <algorithm>
#include <sstream>

namespace runreport {

namespace {

Json texts(const std::vector<std::string>& cp932) {
    Json list = Json::array();
    for (const std::string& text : cp932) {
        list.push_back(CliSession::out(text));
    }
    return list;
}

Json optionalText(const std::optional<std::string>& cp932) {
    return cp932 ? Json(CliSession::out(*cp932)) : Json(nullptr);
}

} // namespace

Json planJson(const RenamePlan& plan, bool ok, const std::vector<std::string>& overwritten) {
    Json rows = Json::array();
    for (const RenamePlan::Row& row : plan.rows) {
        int pages = 0;
        for (const int p : row.pages) {
            pages += p;
        }
        Json entry = {{"rowKey", row.rowKey},
                      {"renameName", CliSession::out(row.renameName)},
                      {"target", CliSession::out(row.target)},
                      {"targetExists", row.targetExists},
                      {"images", texts(row.images)},
                      {"pages", pages}};
        if (row.targetExists && row.existing != row.target) {
            entry["existing"] = CliSession::out(row.existing);
        }
        if (row.nameTooLong) {
            entry["nameTooLong"] = true;
        }
        rows.push_back(std::move(entry));
    }
    Json conflicts = Json::array();
    for (const RenamePlan::Conflict& c : plan.conflicts()) {
        conflicts.push_back({{"rowKeys", c.rowKeys}, {"target", CliSession::out(c.target)}});
    }
    return {{"ok", ok && planWritesEveryRow(plan)},
            {"rows", rows},
            {"exportFile", optionalText(plan.exportFile)},
            {"secondCopy", optionalText(plan.secondCopy)},
            {"wouldOverwrite", texts(overwritten)},
            {"conflicts", conflicts}};
}

bool planWritesEveryRow(const RenamePlan& plan) {
    return std::none_of(plan.rows.begin(), plan.rows.end(),
                        [](const RenamePlan::Row& row) { return row.refused(); });
}

std::string planText(const RenamePlan& plan, bool ok) {
    std::ostringstream out;
    for (const RenamePlan::Row& row : plan.rows) {
        out << row.rowKey << '\t' << CliSession::out(row.target)
            << (row.targetExists ? "\t(exists)" : "")
            << (row.takenBy ? "\t(taken by row " + plan.rows[row.takenBy->by].rowKey + ")" : "")
            << (row.nameTooLong ? "\t(name too long)" : "") << '\n';
        for (const std::string& image : row.images) {
            out << "\t\t" << CliSession::out(image) << '\n';
        }
    }
    if (plan.exportFile) {
        out << "export\t" << CliSession::out(*plan.exportFile) << '\n';
    }
    if (plan.secondCopy) {
        out << "copy\t" << CliSession::out(*plan.secondCopy) << '\n';
    }
    if (!ok) {
        out << "A check stops the run.\n";
    }
    return out.str();
}

namespace {

// Each program start after an agent-type run: its command line and exit code (null when the
// program could not be started).
Json agentRunsJson(const std::vector<AgentRun>& runs) {
    Json out = Json::array();
    for (const AgentRun& r : runs) {
        out.push_back({{"commandLine", CliSession::out(r.commandLine)},
                       {"exitCode", r.exitCode ? Json(*r.exitCode) : Json(nullptr)}});
    }
    return out;
}

} // namespace

bool agentProgramsFailed(const RenameRun::Outcome& outcome) {
    return std::any_of(outcome.agentRuns.begin(), outcome.agentRuns.end(),
                       [](const AgentRun& r) { return r.exitCode.value_or(-1) != 0; });
}

Json outcomeJson(const RenameRun::Outcome& outcome) {
    Json results = Json::array();
    for (const RenameRun::ImageResult& r : outcome.results) {
        results.push_back({{"fileName", CliSession::out(r.fileName)}, {"written", r.written}});
    }
    return {{"processed", outcome.processed()},
            {"renamed", outcome.renamed()},
            {"results", results},
            {"targets", texts(outcome.targets)},
            {"exportFiles", texts(outcome.exportFiles)},
            {"removedRows", outcome.doneRows},
            {"agentRuns", agentRunsJson(outcome.agentRuns)}};
}

std::string outcomeText(const RenameRun::Outcome& outcome) {
    std::ostringstream out;
    for (const RenameRun::ImageResult& r : outcome.results) {
        out << (r.written ? "written\t" : "failed\t") << CliSession::out(r.fileName) << '\n';
    }
    out << outcome.renamed() << '/' << outcome.processed() << '\n';
    return out.str();
}

} // namespace runreport
