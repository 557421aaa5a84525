#include "RunRig.h"

#include "FailingFileChanges.h"
#include "execute/JournalLine.h"
#include "execute/RunJournals.h"
#include "execute/RunLog.h"
#include "execute/RunRecovery.h"
#include "execute/RunUndo.h"
#include "execute/TemporaryFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using Strings = std::vector<std::string>;
using Snapshot = std::map<std::string, std::string>; // folder/name -> bytes

// The operator's folders of a run: images, storage folder and the second export folder.
Snapshot snapshot(const RunRig& rig) {
    Snapshot files;
    for (const char* folder : {"images", "store", "second"}) {
        for (const std::string& name : files::listFolder(rig.dir.file(folder))) {
            files[u8(std::string(folder) + "/" + name)] =
                rig.dir.read(std::string(folder) + "/" + name);
        }
    }
    return files;
}

// The snapshot without the files an undo left because their writes were never confirmed.
Snapshot withoutLeft(Snapshot files, const RunRig& rig, const RunUndo::Report& report) {
    for (const std::string& path : report.preview.left) {
        files.erase(u8(path.substr(rig.dir.path().size() + 1)));
    }
    return files;
}

// A mixed run: a JPEG, a 3-image join, a row whose image is missing, a row replacing an earlier
// target, and the rename list CSV with a second copy that replaces an earlier one there.
void arrangeMixed(RunRig& rig) {
    rig.dir.write("images/x.JPG", "jpeg bytes");
    rig.tiff("p1.tif", 2);
    rig.tiff("p2.tif", 1);
    rig.tiff("p3.tif", 1);
    rig.dir.write("images/r.tif", "new scan");
    rig.dir.write("store/old.tif", "earlier target");
    rig.dir.write("second/list.csv", "earlier list");
    rig.t.columns[0].sourceField = 2;
    rig.t.columns[1].sourceField = 1;
    rig.settings.exportType = 3;
    rig.settings.dispInputDlg = 0;
    rig.settings.exportFilename = "list";
    rig.settings.exportSelectFolder = 1;
    rig.settings.exportSelectFolderPath = rig.dir.file("second");
    rig.assign(1, "ab", {"x.JPG"});
    rig.assign(2, "joined", {"p1.tif", "p2.tif", "p3.tif"});
    rig.assign(3, "lost", {"gone.tif"});
    rig.assign(4, "old", {"r.tif"});
}

struct UndoRun {
    RunUndo::Report report;
    Strings messages;
};

UndoRun undoLast(RunRig& rig, bool dryRun = false) {
    rig.prompter.clear();
    PosixFileChanges changes;
    const auto log = runjournals::undoable(rig.journals);
    EXPECT_TRUE(log);
    UndoRun result;
    if (log) {
        result.report = RunUndo(changes, rig.prompter).undo(*log, dryRun);
    }
    result.messages = rig.messages();
    return result;
}

TEST(RunUndo, AMixedRunIsTakenBackToTheExactBytes) {
    RunRig rig;
    arrangeMixed(rig);
    const Snapshot before = snapshot(rig);
    PosixFileChanges changes;
    const auto outcome = rig.execute(changes);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->renamed(), 5);
    EXPECT_EQ(rig.stored(), (Strings{"ab.JPG", "joined.tif", "list.csv", "old.tif"}));
    EXPECT_EQ(rig.dir.read("store/old.tif"), "new scan");
    EXPECT_NE(rig.dir.read("second/list.csv"), "earlier list");

    const UndoRun dry = undoLast(rig, true);
    EXPECT_TRUE(dry.report.ok);
    // Removed: the join and both exports; back: two moved images, three joined sources and the
    // two files the run replaced.
    EXPECT_EQ(dry.report.preview.actions.size(), 10u);
    EXPECT_NE(snapshot(rig), before);

    const UndoRun undo = undoLast(rig);
    ASSERT_TRUE(undo.report.ok);
    EXPECT_EQ(snapshot(rig), before);
    ASSERT_TRUE(undo.report.listRows);
    EXPECT_EQ(undo.messages,
              Strings{"7個のﾌｧｲﾙを元に戻し、3個のﾌｧｲﾙを削除しました。\r\n実行でﾘﾈｰﾑﾘｽﾄから外れた"
                      "3行は次のﾌｧｲﾙにあります（「ﾘﾈｰﾑﾘｽﾄ読込み」で読めます）。\r\n" +
                      u8(*undo.report.listRows)});
    // The rows the run removed, each value in its column's source field, failed row left out.
    EXPECT_EQ(u8(*files::readAll(*undo.report.listRows)),
              "\"note ab\",\"ab\"\r\n\"note joined\",\"joined\"\r\n\"note old\",\"old\"\r\n");
    EXPECT_FALSE(runjournals::undoable(rig.journals));
}

TEST(RunUndo, RefusesWithoutChangingAnythingWhenTheRunsFilesMoved) {
    struct Case {
        const char* label;
        std::function<void(RunRig&)> meddle;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"a moved target edited", [](RunRig& r) { r.dir.write("store/ab.JPG", "jpeg bytes!"); },
         "実行後に変更されたﾌｧｲﾙがあるため、元に戻せません。\r\n%/store/ab.JPG"},
        {"a joined target rewritten",
         [](RunRig& r) {
             const std::string bytes = r.dir.read("store/joined.tif");
             r.dir.write("store/joined.tif", bytes + "x");
         },
         "実行後に変更されたﾌｧｲﾙがあるため、元に戻せません。\r\n%/store/joined.tif"},
        {"a moved target deleted", [](RunRig& r) { files::removeFile(r.dir.file("store/ab.JPG")); },
         "実行後に変更されたﾌｧｲﾙがあるため、元に戻せません。\r\n%/store/ab.JPG"},
        {"an old name taken", [](RunRig& r) { r.dir.write("images/p2.tif", "new scan"); },
         "元の名前のﾌｧｲﾙが既に存在するため、元に戻せません。\r\n%/images/p2.tif"},
    };
    for (const Case& c : cases) {
        RunRig rig;
        arrangeMixed(rig);
        PosixFileChanges changes;
        ASSERT_TRUE(rig.execute(changes)) << c.label;
        c.meddle(rig);
        const Snapshot meddled = snapshot(rig);
        const UndoRun undo = undoLast(rig);
        EXPECT_FALSE(undo.report.ok) << c.label;
        EXPECT_TRUE(undo.report.preview.actions.empty()) << c.label;
        EXPECT_EQ(snapshot(rig), meddled) << c.label;
        std::string expected = c.message;
        expected.replace(expected.find('%'), 1, u8(rig.dir.path()));
        EXPECT_EQ(undo.messages, Strings{expected}) << c.label;
        EXPECT_TRUE(runjournals::undoable(rig.journals)) << c.label;
    }
}

TEST(RunUndo, AJournalThatCannotBeWrittenStopsTheRunBeforeAnythingMoves) {
    struct Case {
        const char* label;
        int failAt;
        bool blocked;
    };
    for (const Case& c : {Case{"full disk", 1, false}, Case{"no journals folder", 0, true}}) {
        RunRig rig;
        arrangeMixed(rig);
        if (c.blocked) {
            rig.dir.write("journal", "a file where the folder should be");
        }
        const Snapshot before = snapshot(rig);
        FailingFileChanges failing(c.failAt);
        const auto outcome = rig.execute(failing);
        ASSERT_TRUE(outcome) << c.label;
        EXPECT_TRUE(outcome->journalFailed) << c.label;
        EXPECT_EQ(outcome->renamed(), 0) << c.label;
        EXPECT_EQ(snapshot(rig), before) << c.label;
        EXPECT_TRUE(rig.messages().front().starts_with("実行記録を書き込めないため、")) << c.label;
        EXPECT_TRUE(runjournals::list(rig.journals).empty()) << c.label;
    }
}

// Every step of the mixed run, failed as a full disk would, and then undone.
TEST(RunUndo, AFailureAtAnyStepIsUndoneToTheStateBeforeTheRun) {
    RunRig probe;
    arrangeMixed(probe);
    FailingFileChanges counting;
    ASSERT_TRUE(probe.execute(counting));
    for (int failAt = 1; failAt <= counting.operations(); ++failAt) {
        RunRig rig;
        arrangeMixed(rig);
        const Snapshot before = snapshot(rig);
        FailingFileChanges failing(failAt);
        ASSERT_TRUE(rig.execute(failing));
        if (runjournals::list(rig.journals).empty()) {
            EXPECT_EQ(snapshot(rig), before) << failAt;
            continue;
        }
        const Snapshot failed = snapshot(rig);
        const UndoRun undo = undoLast(rig);
        const auto& refusal = undo.report.preview.refusal;
        const Strings& left = undo.report.preview.left;
        if (refusal) {
            // Only a write that was never confirmed, standing on the name of a kept file, may
            // stop the undo; then nothing moves.
            EXPECT_NE(std::find(left.begin(), left.end(), refusal->second), left.end()) << failAt;
            EXPECT_EQ(snapshot(rig), failed) << failAt;
            continue;
        }
        EXPECT_TRUE(undo.report.ok) << failAt;
        EXPECT_EQ(withoutLeft(snapshot(rig), rig, undo.report), before) << "failed at " << failAt;
    }
}

// Pages of the TIFFs of the operator's folders: none is half-written, none is lost.
int pagesFound(RunRig& rig, const std::string& label) {
    int found = 0;
    for (const std::string& folder : {rig.images, rig.store}) {
        for (const std::string& name : files::listFolder(folder)) {
            const auto facts = ImageFixtures::readTiffPages(files::join(folder, name));
            EXPECT_FALSE(facts.empty()) << label << ": " << name << " is not a whole TIFF";
            found += static_cast<int>(facts.size());
        }
    }
    return found;
}

TEST(RunUndo, AChildKilledAtEachStepIsRecoveredWithNothingLostAndThenUndone) {
    auto arrange = [](RunRig& rig) {
        rig.tiff("s.tif", 1);
        rig.tiff("p1.tif", 2);
        rig.tiff("p2.tif", 3);
        rig.tiff("r.tif", 1);
        ImageFixtures::TiffLayout old;
        old.pages = 2;
        ImageFixtures::writeTiff(files::join(rig.store, "old.tif"), old);
        rig.assign(1, "single", {"s.tif"});
        rig.assign(2, "joined", {"p1.tif", "p2.tif"});
        rig.assign(3, "old", {"r.tif"});
    };
    RunRig probe;
    arrange(probe);
    FailingFileChanges counting;
    ASSERT_TRUE(probe.execute(counting));
    for (int killAt = 1; killAt <= counting.operations() + 1; ++killAt) {
        const std::string label = "killed at " + std::to_string(killAt);
        RunRig rig;
        arrange(rig);
        const Snapshot before = snapshot(rig);
        ASSERT_NE(rig.executeKilledAt(killAt), -1) << label;
        PosixFileChanges changes;
        if (const auto cut = runjournals::unfinished(rig.journals)) {
            EXPECT_TRUE(runrecovery::finish(changes, *cut)) << label;
            EXPECT_FALSE(runjournals::unfinished(rig.journals)) << label;
        }
        // Every assigned page is in the image folder or in a complete target.
        EXPECT_GE(pagesFound(rig, label), 7) << label;
        for (const std::string& name : files::listFolder(rig.store)) {
            EXPECT_FALSE(temporaries::isTemporaryName(name)) << label;
        }
        RunUndo::Report undone;
        if (runjournals::undoable(rig.journals)) {
            undone = undoLast(rig).report;
            const Strings& left = undone.preview.left;
            if (undone.preview.refusal &&
                std::find(left.begin(), left.end(), undone.preview.refusal->second) != left.end()) {
                continue; // a write never confirmed stands on a kept file's name
            }
            EXPECT_TRUE(undone.ok) << label;
        }
        EXPECT_EQ(withoutLeft(snapshot(rig), rig, undone), before) << label;
    }
}

TEST(RunUndo, RecoveryAccountsForRowsAndKeepsTheSourcesOfDoneJoins) {
    RunRig rig;
    rig.tiff("p1.tif", 1);
    rig.tiff("p2.tif", 1);
    rig.tiff("q.tif", 1);
    rig.assign(1, "joined", {"p1.tif", "p2.tif"});
    rig.assign(2, "later", {"q.tif"});
    // Killed while the sources of the join were being kept: after the first row was done.
    FailingFileChanges counting;
    {
        RunRig probe;
        probe.tiff("p1.tif", 1);
        probe.tiff("p2.tif", 1);
        probe.tiff("q.tif", 1);
        probe.assign(1, "joined", {"p1.tif", "p2.tif"});
        probe.assign(2, "later", {"q.tif"});
        ASSERT_TRUE(probe.execute(counting));
    }
    ASSERT_NE(rig.executeKilledAt(counting.operations() - 4), -1);
    const auto cut = runjournals::unfinished(rig.journals);
    ASSERT_TRUE(cut);
    const auto account = runrecovery::account(*cut);
    EXPECT_EQ(account.doneRows, 2);
    EXPECT_EQ(account.otherRows, 0);
    PosixFileChanges changes;
    ASSERT_TRUE(runrecovery::finish(changes, *cut));
    EXPECT_EQ(rig.waiting(), Strings{});
    EXPECT_EQ(rig.stored(), (Strings{"joined.tif", "later.tif"}));
}

TEST(RunUndo, OnlyTheNewestRunsKeepTheirJournals) {
    RunRig rig;
    rig.settings.keepRuns = 2;
    for (int run = 0; run < 4; ++run) {
        // A second run in the same second gets a folder of its own.
        PosixFileChanges changes;
        ASSERT_TRUE(rig.executeNext(run, changes));
    }
    const Strings journals = runjournals::list(rig.journals);
    ASSERT_EQ(journals.size(), 2u);
    EXPECT_EQ(RunLog::read(journals.back())->rows.front().target,
              files::join(rig.store, "out3.tif"));
}

TEST(RunUndo, JournalLinesKeepEveryByteOfTheirFields) {
    const Strings fields{sj("フォルダ/a\tb.tif"), "back\\slash", "two\r\nlines", ""};
    const std::string line = journalline::compose(fields);
    EXPECT_EQ(line.find_first_of("\r"), std::string::npos);
    EXPECT_EQ(line.find('\n'), line.size() - 1);
    EXPECT_EQ(journalline::split(line.substr(0, line.size() - 1)), fields);
}

} // namespace

namespace {

// A run given relative folders (as on a command line) is undone by a process started elsewhere.
TEST(RunUndo, ARunOnRelativeFoldersIsUndoneFromAnotherFolder) {
    RunRig rig;
    rig.dir.write("images/x.JPG", "jpeg bytes");
    rig.tiff("p1.tif", 2);
    rig.tiff("p2.tif", 1);
    rig.dir.write("store/j.tif", "earlier target");
    rig.settings.renameOverwrite = 0;
    rig.assign(1, "ab", {"x.JPG"});
    rig.assign(2, "j", {"p1.tif", "p2.tif"});
    const Snapshot before = snapshot(rig);
    const std::string started = files::fromNative(std::filesystem::current_path());
    ASSERT_EQ(::chdir(files::native(rig.dir.path()).c_str()), 0);
    rig.images = "images";
    rig.t.storageFolder = rig.store = "store";
    rig.journals = "journal";
    PosixFileChanges changes;
    const auto outcome = rig.execute(changes);
    ASSERT_EQ(::chdir("/"), 0);
    rig.journals = rig.dir.file("journal");
    ASSERT_TRUE(outcome);
    EXPECT_NE(snapshot(rig), before);
    EXPECT_TRUE(undoLast(rig).report.ok);
    EXPECT_EQ(snapshot(rig), before);
    ASSERT_EQ(::chdir(files::native(started).c_str()), 0);
}

} // namespace
