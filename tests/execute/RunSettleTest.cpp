#include "RunRig.h"

#include "FailingFileChanges.h"
#include "execute/ReturnedRows.h"
#include "execute/RunJournals.h"
#include "execute/RunLog.h"
#include "execute/RunRecovery.h"
#include "execute/RunRows.h"
#include "execute/RunUndo.h"
#include "execute/SettledExport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Strings = std::vector<std::string>;

int linesOf(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

int countOf(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

bool listed(const Strings& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// A run of three rows into the rename list CSV with its second copy: a single scan, a join of
// two scans and another single scan; the file name is added as the last field of the export.
void arrangeThree(RunRig& rig) {
    rig.tiff("s.tif", 1);
    rig.tiff("p1.tif", 2);
    rig.tiff("p2.tif", 1);
    rig.tiff("r.tif", 1);
    rig.dir.mkdir("second");
    rig.settings.exportType = 3;
    rig.settings.addText = 1;
    rig.settings.dispInputDlg = 0;
    rig.settings.exportFilename = "list";
    rig.settings.exportSelectFolder = 1;
    rig.settings.exportSelectFolderPath = rig.dir.file("second");
    rig.assign(1, "single", {"s.tif"});
    rig.assign(2, "joined", {"p1.tif", "p2.tif"});
    rig.assign(3, "last", {"r.tif"});
}

// Killed at every file change of the run, then settled: every row is finished or not, a finished
// row has its target and none of its scans left, a row not finished has all its scans and no
// target; the export written for the finished rows lists them; undo brings back every scan and
// writes every finished row to the rows file outside the run's folder.
TEST(RunSettle, AKillAtEveryStepIsSettledRowByRowAndFileByFile) {
    RunRig probe;
    arrangeThree(probe);
    FailingFileChanges counting;
    ASSERT_TRUE(probe.execute(counting));
    int finishedByTargetAlone = 0;
    int exportsWritten = 0;
    for (int killAt = 1; killAt <= counting.operations(); ++killAt) {
        const std::string label = "killed at " + std::to_string(killAt);
        RunRig rig;
        arrangeThree(rig);
        const Strings scansBefore = rig.waiting();
        ASSERT_NE(rig.executeKilledAt(killAt), -1) << label;
        const auto cut = runjournals::unfinished(rig.journals);
        if (!cut) {
            continue; // the journal never got its plan: nothing moved
        }
        const auto states = runrows::of(*cut);
        const auto account = runrecovery::account(*cut);
        ASSERT_EQ(states.size(), 3u) << label;
        EXPECT_EQ(account.doneRows + account.otherRows, 3) << label;
        PosixFileChanges changes;
        ASSERT_TRUE(runrecovery::finish(changes, *cut)) << label;

        Strings expectedStore;
        int finished = 0;
        std::size_t scansLeft = 0;
        for (const runrows::State& state : states) {
            const std::string target = files::fileName(state.row->target);
            finishedByTargetAlone += state.withoutOutcome ? 1 : 0;
            finished += state.finished ? 1 : 0;
            for (const std::string& source : state.row->sources) {
                EXPECT_EQ(files::exists(source), !state.finished) << label << ": " << source;
            }
            EXPECT_EQ(listed(rig.stored(), target), state.finished) << label << ": " << target;
            if (state.finished) {
                expectedStore.push_back(target);
            } else {
                scansLeft += state.row->sources.size();
            }
        }
        EXPECT_EQ(finished, account.doneRows) << label;
        EXPECT_EQ(rig.waiting().size(), scansLeft) << label;

        const auto settled = RunLog::read(cut->path);
        ASSERT_TRUE(settled) << label;
        EXPECT_EQ(static_cast<int>(settled->doneRows.size()), finished) << label;
        const auto exportState = settledexport::of(*settled);
        if (exportState == settledexport::State::Missing && finished > 0) {
            ASSERT_TRUE(settledexport::writable(*settled, rig.t, rig.settings)) << label;
            ASSERT_TRUE(settledexport::write(changes, rig.prompter, *settled, rig.t, rig.settings))
                << label;
            ++exportsWritten;
            // Every row of the run is listed; only the finished ones carry a file name.
            const std::string exported = rig.dir.read("store/list.csv");
            EXPECT_EQ(linesOf(exported), 3) << label;
            EXPECT_EQ(countOf(exported, ".tif\""), finished) << label;
            EXPECT_EQ(rig.dir.read("second/list.csv"), exported) << label;
        }
        if (exportState != settledexport::State::None && finished > 0) {
            expectedStore.push_back("list.csv");
        }
        std::sort(expectedStore.begin(), expectedStore.end());
        EXPECT_EQ(rig.stored(), expectedStore) << label;

        const auto log = runjournals::undoable(rig.journals);
        ASSERT_TRUE(log) << label;
        const RunUndo::Report undo = RunUndo(changes, rig.prompter).undo(*log, false);
        ASSERT_TRUE(undo.ok) << label;
        EXPECT_EQ(rig.waiting(), scansBefore) << label;
        // A write the kill left without its confirmation is never taken away by undo: nothing
        // in the journal proves the run wrote it. It stays, and undo names it.
        const auto leftIn = [&](const std::string& folder) {
            Strings names;
            for (const std::string& path : undo.preview.left) {
                if (files::parentFolder(path) == folder) {
                    names.push_back(files::fileName(path));
                }
            }
            std::sort(names.begin(), names.end());
            return names;
        };
        EXPECT_EQ(rig.stored(), leftIn(rig.dir.file("store"))) << label;
        EXPECT_EQ(files::listFolder(rig.dir.file("second")), leftIn(rig.dir.file("second")))
            << label;
        ASSERT_EQ(undo.listRows.has_value(), finished > 0) << label;
        if (undo.listRows) {
            EXPECT_EQ(files::parentFolder(*undo.listRows), rig.dir.file("rows")) << label;
            EXPECT_EQ(linesOf(*files::readAll(*undo.listRows)), finished) << label;
        }
    }
    // The kills between a target's completion and its row's record were met and settled.
    EXPECT_GT(finishedByTargetAlone, 0);
    EXPECT_GT(exportsWritten, 0);
}

// The export file written after settling is, byte for byte, the one the run would have written:
// a whole run is cut off just before its export file (its journal and disk put back to that
// moment) and the settled export compared with the run's own.
struct ExportRuleCase {
    const char* label;
    int exportType;
    int addText;
    bool earlierList; // list.csv exists already: the run numbers its export file
};

class SettledExportRules : public ::testing::TestWithParam<ExportRuleCase> {};

TEST_P(SettledExportRules, MatchTheRunsOwnExport) {
    const ExportRuleCase& c = GetParam();
    RunRig rig;
    rig.dir.write("images/a.jpg", "jpeg a");
    rig.dir.write("images/b.jpg", "jpeg b");
    rig.dir.mkdir("second");
    if (c.earlierList) {
        rig.dir.write("store/list.csv", "earlier list");
    }
    rig.settings.exportType = c.exportType;
    rig.settings.addText = c.addText;
    rig.settings.dispInputDlg = 0;
    rig.settings.exportFilename = "list";
    rig.settings.exportSelectFolder = 1;
    rig.settings.exportSelectFolderPath = rig.dir.file("second");
    rig.assign(4, "b", {"b.jpg"});
    rig.assign(2, "lost", {"gone.jpg"});
    rig.assign(1, "a", {"a.jpg"});
    PosixFileChanges changes;
    const auto outcome = rig.execute(changes);
    ASSERT_TRUE(outcome);
    ASSERT_EQ(outcome->doneRows.size(), 2u);
    const std::string exportFile = outcome->exportFiles.at(0);
    const std::string second = files::join(rig.dir.file("second"), files::fileName(exportFile));
    const std::string runsExport = *files::readAll(exportFile);
    const std::string runsSecond = *files::readAll(second);

    // Back to the moment before the export file was announced.
    std::string journal = *files::readAll(outcome->journal);
    journal.resize(journal.find("write\t" + exportFile));
    ASSERT_TRUE(files::writeAtomically(outcome->journal, journal));
    ASSERT_TRUE(files::removeFile(exportFile));
    ASSERT_TRUE(files::removeFile(second));

    const auto cut = runjournals::unfinished(rig.journals);
    ASSERT_TRUE(cut);
    EXPECT_EQ(settledexport::of(*cut), settledexport::State::Missing);
    ASSERT_TRUE(runrecovery::finish(changes, *cut));
    ASSERT_TRUE(settledexport::writable(*cut, rig.t, rig.settings));
    ASSERT_TRUE(settledexport::write(changes, rig.prompter, *cut, rig.t, rig.settings));
    EXPECT_EQ(*files::readAll(exportFile), runsExport);
    EXPECT_EQ(*files::readAll(second), runsSecond);
    EXPECT_EQ(settledexport::of(*RunLog::read(cut->path)), settledexport::State::Written);
    // Undo takes the written export away with the rest of the run.
    const RunUndo::Report undo =
        RunUndo(changes, rig.prompter).undo(*RunLog::read(cut->path), false);
    ASSERT_TRUE(undo.ok);
    EXPECT_EQ(rig.stored(), c.earlierList ? Strings{"list.csv"} : Strings{});
    EXPECT_EQ(files::listFolder(rig.dir.file("second")), Strings{});
}

INSTANTIATE_TEST_SUITE_P(
    Types, SettledExportRules,
    ::testing::Values(ExportRuleCase{"Ledgra list, sequence names", 1, 0, false},
                      ExportRuleCase{"rename list, name last, numbered", 3, 1, true},
                      ExportRuleCase{"rename list, name first", 3, 2, false}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

// The export is offered only while the program's template and settings are still the run's.
TEST(RunSettle, TheExportIsWritableOnlyUnderTheRunsRules) {
    struct Case {
        const char* label;
        std::function<void(RunRig&)> change;
        bool writable;
    };
    const std::vector<Case> cases = {
        {"unchanged", [](RunRig&) {}, true},
        {"export type none now", [](RunRig& r) { r.settings.exportType = 0; }, false},
        {"per-row CSV now", [](RunRig& r) { r.settings.exportType = 4; }, false},
        {"a column's type changed", [](RunRig& r) { r.t.columns[1].type = 2; }, false},
        {"a column added", [](RunRig& r) { r.t.columns.push_back(ColumnDef{}); }, false},
        {"another storage folder", [](RunRig& r) { r.t.storageFolder = r.dir.mkdir("x"); }, false},
    };
    for (const Case& c : cases) {
        RunRig rig;
        rig.dir.write("images/a.jpg", "jpeg a");
        rig.settings.exportType = 3;
        rig.settings.dispInputDlg = 0;
        rig.settings.exportFilename = "list";
        rig.assign(1, "a", {"a.jpg"});
        PosixFileChanges changes;
        ASSERT_TRUE(rig.execute(changes)) << c.label;
        const auto log = runjournals::undoable(rig.journals);
        ASSERT_TRUE(log) << c.label;
        c.change(rig);
        EXPECT_EQ(settledexport::writable(*log, rig.t, rig.settings), c.writable) << c.label;
    }
}

// Rows files live beside the journals folder, so removing old runs never takes them.
TEST(RunSettle, RowsFilesOutliveTheRunsThatAreRemoved) {
    RunRig rig;
    rig.settings.keepRuns = 1;
    Strings rowsFiles;
    for (int run = 0; run < 3; ++run) {
        PosixFileChanges changes;
        ASSERT_TRUE(rig.executeNext(run, changes));
        const auto log = runjournals::undoable(rig.journals);
        ASSERT_TRUE(log);
        const RunUndo::Report undo = RunUndo(changes, rig.prompter).undo(*log, false);
        ASSERT_TRUE(undo.ok && undo.listRows);
        rowsFiles.push_back(*undo.listRows);
    }
    EXPECT_EQ(runjournals::list(rig.journals).size(), 1u);
    for (const std::string& path : rowsFiles) {
        EXPECT_EQ(linesOf(*files::readAll(path)), 1) << path;
    }
    EXPECT_EQ(files::listFolder(rig.dir.file("rows")).size(), 3u);
}

} // namespace
