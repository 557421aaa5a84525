#include "RunRig.h"

#include "FailingFileChanges.h"
#include "execute/TemporaryFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Strings = std::vector<std::string>;

TEST(RenameRun, MovesSinglesJoinsRowsAndCountsAMissingSource) {
    RunRig rig;
    rig.dir.write("images/x.JPG", "jpeg bytes");
    rig.tiff("p1.tif", 2);
    rig.tiff("p2.tif", 1);
    rig.tiff("p3.tif", 3);
    rig.assign(1, "ab", {"x.JPG"});
    rig.assign(2, "joined", {"p1.tif", "p2.tif", "p3.tif"});
    rig.assign(3, "lost", {"gone.tif"});
    PosixFileChanges changes;
    const auto outcome = rig.execute(changes);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(rig.stored(), (Strings{"ab.JPG", "joined.tif"}));
    EXPECT_EQ(rig.dir.read("store/ab.JPG"), "jpeg bytes");
    EXPECT_EQ(ImageFixtures::readTiffPages(files::join(rig.store, "joined.tif")).size(), 6u);
    EXPECT_TRUE(rig.waiting().empty());
    EXPECT_EQ(outcome->doneRows, (Strings{"1", "2"}));
    EXPECT_EQ(outcome->processed(), 5);
    EXPECT_EQ(outcome->renamed(), 4);
    EXPECT_EQ(rig.messages(),
              (Strings{"1個のﾌｧｲﾙのﾘﾈｰﾑに失敗しました。", "4/5件をﾘﾈｰﾑしました。"}));
}

TEST(RenameRun, LedgraNamesGiveAFailedRowsNumberToTheNext) {
    RunRig rig;
    rig.settings.exportType = 1;
    rig.settings.dispInputDlg = 0;
    rig.settings.exportFilename = "list";
    rig.tiff("a.tif", 1);
    rig.dir.write("images/c.jpg", "c");
    rig.assign(1, "first", {"a.tif"});
    rig.assign(2, "second", {"missing.tif"});
    rig.assign(3, "third", {"c.jpg"});
    PosixFileChanges changes;
    ASSERT_TRUE(rig.execute(changes));
    EXPECT_EQ(rig.stored(), (Strings{"00010001.tif", "00020001.jpg", "list.csv"}));
    EXPECT_EQ(u8(rig.dir.read("store/list.csv")), "\"first\",\"note first\",1,00010001.tif\r\n"
                                                  "\"third\",\"note third\",1,00020001.jpg\r\n");
}

TEST(RenameRun, AnExistingTargetIsReplacedWhenTheOperatorSaysSoOrTheCheckIsOff) {
    struct Case {
        const char* label;
        int renameOverwrite;
        Answer answer;
        std::vector<std::string> renameAs;
        Strings stored;
        const char* oldContent; // what ab.tif holds afterwards
        bool written;
    };
    const std::vector<Case> cases = {
        {"Yes replaces", 1, Answer::Yes, {}, {"ab.tif"}, "scan", true},
        {"No, then another name", 1, Answer::No, {"a:b"}, {"ab.tif", "a：b.tif"}, "older", true},
        {"No, a taken name refused, then a free one",
         1,
         Answer::No,
         {"AB", "cd"},
         {"ab.tif", "cd.tif"},
         "older",
         true},
        {"No and no name", 1, Answer::No, {}, {"ab.tif"}, "older", false},
        {"replaced unasked when the check is off", 0, Answer::No, {}, {"ab.tif"}, "scan", true},
    };
    for (const Case& c : cases) {
        RunRig rig;
        rig.settings.renameOverwrite = c.renameOverwrite;
        rig.dir.write("images/s.tif", "scan");
        rig.dir.write("store/ab.tif", "older");
        rig.assign(1, "ab", {"s.tif"});
        rig.prompter.queueAnswer(c.answer);
        for (const std::string& name : c.renameAs) {
            rig.dialogs.queueName(ExecuteDialogs::NameMode::Rename, sj(name));
        }
        PosixFileChanges changes;
        const auto outcome = rig.execute(changes);
        ASSERT_TRUE(outcome) << c.label;
        Strings stored;
        for (const std::string& name : rig.stored()) {
            stored.push_back(u8(name));
        }
        EXPECT_EQ(stored, c.stored) << c.label;
        EXPECT_EQ(rig.dir.read("store/ab.tif"), c.oldContent) << c.label;
        EXPECT_EQ(files::exists(files::join(rig.images, "s.tif")), !c.written) << c.label;
        EXPECT_EQ(outcome->renamed(), c.written ? 1 : 0) << c.label;
    }
}

TEST(RenameRun, ChecksStopTheRunBeforeAnythingIsTouched) {
    struct Case {
        const char* label;
        std::function<void(RunRig&)> arrange;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"read-only storage folder", [](RunRig& rig) { ::chmod(rig.store.c_str(), 0555); },
         "ﾘﾈｰﾑ画像の格納ﾌｫﾙﾀﾞに対してｱｸｾｽ権がないため、実行できません。"},
        {"missing storage folder", [](RunRig& rig) { rig.t.storageFolder = rig.dir.file("none"); },
         "ﾘﾈｰﾑ画像の格納ﾌｫﾙﾀﾞが存在しないため、実行できません。"},
        {"duplicate names", [](RunRig& rig) { rig.assign(2, "AB", {"t.tif"}); },
         "ﾘﾈｰﾑ名称が重複しているため、実行できません。"},
        {"export file listed and refused",
         [](RunRig& rig) {
             rig.settings.exportType = 3;
             rig.settings.dispInputDlg = 0;
             rig.settings.exportFilename = "list";
             rig.settings.exportAddConse = false;
             rig.settings.displayFileExistCheck = true;
             rig.dir.write("store/list.csv", "previous");
         },
         nullptr},
    };
    for (const Case& c : cases) {
        RunRig rig;
        rig.dir.write("images/s.tif", "scan");
        rig.dir.write("images/t.tif", "scan");
        rig.assign(1, "ab", {"s.tif"});
        c.arrange(rig);
        const Strings before = rig.stored();
        PosixFileChanges changes;
        EXPECT_FALSE(rig.execute(changes)) << c.label;
        ::chmod(rig.store.c_str(), 0755);
        EXPECT_EQ(rig.stored(), before) << c.label;
        EXPECT_EQ(rig.waiting(), (Strings{"s.tif", "t.tif"})) << c.label;
        EXPECT_EQ(rig.messages(), c.message ? Strings{c.message} : Strings{}) << c.label;
    }
}

TEST(RenameRun, RenameListCsvWritesFailedRowsWithAnEmptyNameInRowOrder) {
    RunRig rig;
    rig.settings.exportType = 3;
    rig.settings.addText = 2;
    rig.settings.dispInputDlg = 0;
    rig.settings.exportFilename = sj("リネームリスト");
    rig.dir.write(sj("store/リネームリスト.csv"), "1");
    rig.dir.write(sj("store/リネームリスト(1).csv"), "2");
    rig.dir.write("images/b.tif", "b");
    rig.assign(2, "second", {"b.tif"});
    rig.assign(1, "first", {"missing.tif"});
    PosixFileChanges changes;
    ASSERT_TRUE(rig.execute(changes));
    EXPECT_EQ(u8(rig.dir.read(sj("store/リネームリスト(2).csv"))),
              ",\"first\",\"note first\"\r\n\"second.tif\",\"second\",\"note second\"\r\n");
}

TEST(RenameRun, AJoinOntoOneOfItsOwnSourcesIsRefused) {
    RunRig rig;
    rig.t.storageFolder = rig.images;
    rig.tiff("ab.tif", 1);
    rig.tiff("more.tif", 2);
    rig.assign(1, "ab", {"more.tif", "ab.tif"});
    rig.settings.renameOverwrite = 1;
    rig.prompter.queueAnswer(Answer::Yes);
    PosixFileChanges changes;
    const auto outcome = rig.execute(changes);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->renamed(), 0);
    EXPECT_EQ(ImageFixtures::readTiffPages(files::join(rig.images, "ab.tif")).size(), 1u);
    EXPECT_EQ(ImageFixtures::readTiffPages(files::join(rig.images, "more.tif")).size(), 2u);
}

// Every page of every source is in the image folder or in a complete target: the pages of the
// images folder and of the storage folder add up to the pages assigned, and no temporary file
// is left once the next run cleaned up.
void expectNothingLost(RunRig& rig, int pages, const std::string& label) {
    PosixFileChanges changes;
    temporaries::removeLeftovers(changes, rig.store);
    int found = 0;
    for (const std::string& folder : {rig.images, rig.store}) {
        for (const std::string& name : files::listFolder(folder)) {
            const auto facts = ImageFixtures::readTiffPages(files::join(folder, name));
            EXPECT_FALSE(facts.empty()) << label << ": " << name << " is not a whole TIFF";
            found += static_cast<int>(facts.size());
        }
    }
    // Joined sources may still be there beside their complete target: never fewer pages.
    EXPECT_GE(found, pages) << label;
}

TEST(RenameRun, AFailureAtAnyStepLosesNoPage) {
    auto arrange = [](RunRig& rig) {
        rig.tiff("s.tif", 1);
        rig.tiff("p1.tif", 2);
        rig.tiff("p2.tif", 3);
        rig.assign(1, "single", {"s.tif"});
        rig.assign(2, "joined", {"p1.tif", "p2.tif"});
    };
    RunRig probe;
    arrange(probe);
    FailingFileChanges counting;
    ASSERT_TRUE(probe.execute(counting));
    ASSERT_EQ(probe.stored(), (Strings{"joined.tif", "single.tif"}));
    for (int failAt = 1; failAt <= counting.operations(); ++failAt) {
        RunRig rig;
        arrange(rig);
        FailingFileChanges failing(failAt);
        ASSERT_TRUE(rig.execute(failing));
        expectNothingLost(rig, 6, "step " + std::to_string(failAt));
    }
}

TEST(RenameRun, AChildKilledDuringAFiftyPageJoinLosesNoPage) {
    auto arrange = [](RunRig& rig) {
        for (int i = 0; i < 50; ++i) {
            rig.tiff("p" + std::to_string(100 + i) + ".tif", 1, 400);
        }
        Strings names = rig.waiting();
        rig.assign(1, "joined", names);
    };
    RunRig probe;
    arrange(probe);
    FailingFileChanges counting;
    ASSERT_TRUE(probe.execute(counting));
    ASSERT_EQ(ImageFixtures::readTiffPages(files::join(probe.store, "joined.tif")).size(), 50u);
    const int steps = counting.operations();
    for (const int killAt :
         {1, 2, steps / 3, steps / 2, steps - 52, steps - 50, steps - 1, steps}) {
        RunRig rig;
        arrange(rig);
        const int status = rig.executeKilledAt(killAt);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << killAt;
        expectNothingLost(rig, 50, "killed at " + std::to_string(killAt));
    }
}

// Every file below the folders, by path relative to root: a regular file's content, a link's
// target. Folders themselves are left out.
std::map<std::string, std::string> filesBelow(const std::string& root) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(files::native(root))) {
        const std::string relative = fs::relative(entry.path(), files::native(root)).string();
        if (entry.is_symlink()) {
            found[relative] = "-> " + fs::read_symlink(entry.path()).string();
        } else if (entry.is_regular_file()) {
            found[relative] = *files::readAll(files::fromNative(entry.path()));
        }
    }
    return found;
}

// An image replaced by a symbolic link after the scan, or a link in the way of a target: the run
// neither moves the link nor reads or writes what it points at; the row fails and every file,
// inside the folders and outside, is as it was.
TEST(RenameRun, ALinkIsNeverMovedNorWrittenThrough) {
    struct Case {
        const char* label;
        std::vector<std::string> images; // assigned to row "ab"; "l.tif" is the link
        const char* linkIn;              // "images" or "store" (then named ab.tif)
        const char* pointsAt;            // relative to the rig's folder
    };
    const Case cases[] = {
        {"link to an image of the folder", {"l.tif"}, "images", "images/other.tif"},
        {"link to a file outside", {"l.tif"}, "images", "outside/secret.tif"},
        {"dangling link", {"l.tif"}, "images", "outside/none.tif"},
        {"link to a folder", {"l.tif"}, "images", "outside"},
        {"joined with a link to a file outside",
         {"p.tif", "l.tif"},
         "images",
         "outside/secret.tif"},
        {"target is a link to a file outside", {"p.tif"}, "store", "outside/secret.tif"},
        {"target is a dangling link", {"p.tif"}, "store", "outside/none.tif"},
    };
    for (const Case& c : cases) {
        RunRig rig;
        rig.settings.renameOverwrite = 1;
        rig.tiff("p.tif", 1);
        rig.tiff("other.tif", 2);
        ImageFixtures::TiffLayout layout;
        layout.pages = 2;
        ImageFixtures::writeTiff(rig.dir.mkdir("outside") + "/secret.tif", layout);
        const std::string link =
            c.linkIn == std::string("store") ? rig.store + "/ab.tif" : rig.images + "/l.tif";
        ASSERT_EQ(::symlink(rig.dir.file(c.pointsAt).c_str(), link.c_str()), 0) << c.label;
        rig.assign(1, "ab", c.images);
        rig.prompter.queueAnswer(Answer::Yes);
        for (const char* folder : {"images", "store", "outside"}) {
            rig.dir.write(std::string(folder) + "/count.txt", "1");
        }
        const auto before = filesBelow(rig.dir.path());

        PosixFileChanges changes;
        const auto outcome = rig.execute(changes);
        ASSERT_TRUE(outcome) << c.label;
        EXPECT_EQ(outcome->renamed(), 0) << c.label;
        EXPECT_EQ(outcome->processed(), int(c.images.size())) << c.label;
        auto after = filesBelow(rig.dir.path());
        std::erase_if(after, [](const auto& entry) { return entry.first.starts_with("journal"); });
        EXPECT_EQ(after, before) << c.label;
    }
}

} // namespace
