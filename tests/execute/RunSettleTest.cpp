#include "RunRig.h"

#include "FailingFileChanges.h"
#include "execute/JournalLine.h"
#include "execute/ReturnedRows.h"
#include "execute/RunJournals.h"
#include "execute/RunLog.h"
#include "execute/RunRecovery.h"
#include "execute/RunRows.h"
#include "execute/RunUndo.h"
#include "execute/SettledExport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

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

void overwrite(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// The journal line "rows" rewritten to name path, with that file's stamp as it is now.
void recordRowsFile(const std::string& journal, const std::string& path) {
    std::string text = *files::readAll(journal);
    const auto at = text.find("rows\t");
    ASSERT_NE(at, std::string::npos);
    Strings fields{"rows", path};
    for (const std::string& field : FileStamp::fields(FileStamp::of(path))) {
        fields.push_back(field);
    }
    text.replace(at, text.find('\n', at) + 1 - at, journalline::compose(fields));
    overwrite(journal, text);
}

// The rows files lie beside the journals folder; removing an undone run removes the one its undo
// wrote, and nothing else: only while it is the very file written, in the data folder's rows
// folder, under a name made for the run. A file of the run's name that was there before the undo
// is the operator's, and the undo writes "(2)" beside it.
TEST(RunSettle, ARemovedRunTakesTheRowsFileOfItsUndoAndNothingElse) {
    struct Case {
        const char* label;
        bool nameTaken; // "<run>-rows.csv" exists before the undo
        // What happens to the rows file (and the journal) between the undo and the next run.
        std::function<void(RunRig&, const std::string& rows, const std::string& journal)> change;
        bool removed;
    };
    const std::vector<Case> cases = {
        {"unchanged", false, [](RunRig&, const std::string&, const std::string&) {}, true},
        {"numbered beside the operator's file", true,
         [](RunRig&, const std::string&, const std::string&) {}, true},
        {"edited", false,
         [](RunRig&, const std::string& rows, const std::string&) {
             overwrite(rows, *files::readAll(rows) + "x,y\r\n");
         },
         false},
        {"replaced by a copy", false,
         [](RunRig& rig, const std::string& rows, const std::string&) {
             const std::string copy = rig.dir.write("rows/copy", *files::readAll(rows));
             std::filesystem::rename(copy, rows);
         },
         false},
        {"the journal names another file of the rows folder", false,
         [](RunRig& rig, const std::string&, const std::string& journal) {
             recordRowsFile(journal, rig.dir.write("rows/mine.csv", "a,b\r\n"));
         },
         false},
        {"the journal names a file of the run's name in another folder", false,
         [](RunRig& rig, const std::string& rows, const std::string& journal) {
             recordRowsFile(journal, rig.dir.write("other/" + files::fileName(rows), "a\r\n"));
         },
         false},
        {"a journal without the line, as older undos wrote it", false,
         [](RunRig&, const std::string&, const std::string& journal) {
             std::string text = *files::readAll(journal);
             const auto at = text.find("rows\t");
             text.erase(at, text.find('\n', at) + 1 - at);
             overwrite(journal, text);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        RunRig rig;
        rig.settings.keepRuns = 1;
        rig.dir.mkdir("other");
        rig.dir.write("images/s0.tif", "s0");
        rig.assign(1, "out0", {"s0.tif"});
        PosixFileChanges changes;
        ASSERT_TRUE(rig.execute(changes));
        auto log = runjournals::undoable(rig.journals);
        ASSERT_TRUE(log);
        const std::string theirs = returnedrows::fileFor(log->path);
        if (c.nameTaken) {
            rig.dir.write("rows/" + files::fileName(theirs), "the operator's\r\n");
        }
        const RunUndo::Report undo = RunUndo(changes, rig.prompter).undo(*log, false);
        ASSERT_TRUE(undo.ok && undo.listRows);
        const std::string rows = *undo.listRows;
        EXPECT_EQ(files::fileName(rows) == files::fileName(theirs), !c.nameTaken);
        c.change(rig, rows, log->path);
        std::map<std::string, std::string> others;
        for (const char* folder : {"rows", "other"}) {
            for (const std::string& name : files::listFolder(rig.dir.file(folder))) {
                const std::string path = rig.dir.file(std::string(folder) + "/" + name);
                if (path != rows) {
                    others[path] = *files::readAll(path);
                }
            }
        }

        rig.dir.write("images/s1.tif", "s1");
        rig.records.clear();
        rig.assign(1, "out1", {"s1.tif"});
        ASSERT_TRUE(rig.execute(changes));
        EXPECT_EQ(runjournals::list(rig.journals).size(), 1u);
        EXPECT_EQ(files::exists(rows), !c.removed);
        for (const auto& [path, content] : others) {
            EXPECT_EQ(files::readAll(path), content) << path;
        }
    }
}

TEST(RunSettle, RowsFileNamesAreTheRunsOwn) {
    const std::string journal = "/d/journal/20261209-101010-02/journal.txt";
    const struct {
        const char* name;
        bool own;
    } cases[] = {
        {"20261209-101010-02-rows.csv", true},      {"20261209-101010-02-rows(2).csv", true},
        {"20261209-101010-02-rows(17).csv", true},  {"20261209-101010-02-rows(1).csv", false},
        {"20261209-101010-02-rows(02).csv", false}, {"20261209-101010-02-rows().csv", false},
        {"20261209-101010-02-rows(2a).csv", false}, {"20261209-101010-02-rows.txt", false},
        {"20261209-101010-rows.csv", false},        {"x20261209-101010-02-rows.csv", false},
        {"20261209-101010-02-rows.csv.csv", false}, {"-rows.csv", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(returnedrows::namedFor(journal, c.name), c.own) << c.name;
    }
    EXPECT_FALSE(returnedrows::namedFor("journal.txt", "-rows.csv"));
}

} // namespace
