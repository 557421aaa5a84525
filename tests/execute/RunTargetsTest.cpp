#include "RunRig.h"

#include "execute/ExportName.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Strings = std::vector<std::string>;

// How often each of the operator's contents occurs among the regular files below folder, keep
// folders included: a file that is lost or doubled shows as a changed count.
std::map<std::string, int> contentCounts(const std::string& folder, const Strings& contents) {
    std::map<std::string, int> counts;
    for (const std::string& content : contents) {
        counts[content] = 0;
    }
    namespace fs = std::filesystem;
    for (const auto& entry : fs::recursive_directory_iterator(files::native(folder))) {
        const auto content =
            entry.is_regular_file() ? files::readAll(files::fromNative(entry.path())) : std::nullopt;
        if (content && counts.contains(*content)) {
            ++counts[*content];
        }
    }
    return counts;
}

std::string repeated(const std::string& utf8, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += utf8;
    }
    return text;
}

mode_t modeOf(const std::string& path) {
    struct stat st {};
    ::stat(files::native(path).c_str(), &st);
    return st.st_mode & 07777;
}

// Rows of one run that end with the same file: only the first is written; every later one fails
// whole, its image stays, and the operator is told which rows before anything moves.
TEST(RunTargets, NoRowReplacesAFileAnEarlierRowOfTheRunWrote) {
    const std::string longName(260, 'x');
    struct Case {
        const char* label;
        std::function<void(RunRig&)> arrange;
        Strings names;  // row n+1 is named names[n] and gets image s<n+1>.tif
        Strings stored; // the storage folder afterwards
        std::vector<Strings> conflicts;
        const char* notice; // the notice, with its lines
        const char* lastExtension = ".tif";
    };
    const std::vector<Case> cases = {
        {"a blank removed by an empty replacement",
         [](RunRig& rig) {
             rig.t.replaceSpaces = true;
             rig.t.replacementChar = "";
         },
         {"A B", "AB"},
         {"AB.tif"},
         {{"1", "2"}},
         "次の行は、ﾘﾈｰﾑ後のﾌｧｲﾙ名が前の行と同じになるため、ﾘﾈｰﾑしません。\r\nNo 2 （No 1 と同じ "
         "AB.tif）"},
        {"a trailing connector cut off",
         [](RunRig& rig) {
             rig.t.columns.resize(1);
             rig.t.connector = "-";
         },
         {"ab-", "ab"},
         {"ab.tif"},
         {{"1", "2"}},
         "次の行は、ﾘﾈｰﾑ後のﾌｧｲﾙ名が前の行と同じになるため、ﾘﾈｰﾑしません。\r\nNo 2 （No 1 と同じ "
         "ab.tif）"},
        {"letter case after the replacement, three rows",
         [](RunRig& rig) {
             rig.t.replaceSpaces = true;
             rig.t.replacementChar = "";
         },
         {"a b", "AB", "A  b"},
         {"ab.tif"},
         {{"1", "2", "3"}},
         "次の行は、ﾘﾈｰﾑ後のﾌｧｲﾙ名が前の行と同じになるため、ﾘﾈｰﾑしません。\r\nNo 2 （No 1 と同じ "
         "ab.tif）\r\nNo 3 （No 1 と同じ ab.tif）"},
        {"equal after the path is cut",
         [](RunRig&) {},
         {longName + "1", longName + "2"},
         {},
         {{"1", "2"}},
         nullptr},
        {"per-row CSV files of one name",
         [](RunRig& rig) {
             rig.settings.exportType = 4;
             rig.t.replaceSpaces = true;
             rig.t.replacementChar = "";
         },
         {"a b", "ab"},
         {"ab.csv", "ab.tif"},
         {{"1", "2"}},
         "次の行は、ﾘﾈｰﾑ後のﾌｧｲﾙ名が前の行と同じになるため、ﾘﾈｰﾑしません。\r\nNo 2 （No 1 と同じ "
         "ab.csv）",
         ".jpg"},
        // Half-width katakana: one byte in cp932, three in the file system's UTF-8.
        {"a name longer than the file system takes",
         [](RunRig&) {},
         {std::string(30, 'a'), repeated("ｱ", 90)},
         {std::string(30, 'a') + ".tif"},
         {},
         "次の行は、ﾘﾈｰﾑ後のﾌｧｲﾙ名が長すぎるため、ﾘﾈｰﾑしません。\r\nNo 2"},
    };
    for (const Case& c : cases) {
        RunRig rig;
        c.arrange(rig);
        Strings contents;
        for (std::size_t i = 0; i < c.names.size(); ++i) {
            const bool last = i + 1 == c.names.size();
            const std::string image =
                "s" + std::to_string(i + 1) + (last ? c.lastExtension : ".tif");
            contents.push_back("scan " + std::to_string(i + 1));
            rig.dir.write("images/" + image, contents.back());
            rig.assign(static_cast<int>(i + 1), c.names[i], {image});
        }
        const RenamePlan plan = rig.plan();
        std::vector<Strings> conflicts;
        for (const RenamePlan::Conflict& conflict : plan.conflicts()) {
            conflicts.push_back(conflict.rowKeys);
        }
        EXPECT_EQ(conflicts, c.conflicts) << c.label;

        PosixFileChanges changes;
        const auto outcome = rig.execute(changes);
        ASSERT_TRUE(outcome) << c.label;
        const std::size_t failed = c.names.size() - 1;
        if (!c.stored.empty()) {
            EXPECT_EQ(rig.stored(), c.stored) << c.label;
        } else {
            EXPECT_EQ(rig.stored().size(), 1u) << c.label;
        }
        EXPECT_EQ(rig.waiting().size(), failed) << c.label;
        EXPECT_EQ(outcome->doneRows, Strings{"1"}) << c.label;
        EXPECT_EQ(outcome->processed() - outcome->renamed(), static_cast<int>(failed)) << c.label;
        const Strings messages = rig.messages();
        ASSERT_GE(messages.size(), 3u) << c.label;
        if (c.notice != nullptr) {
            EXPECT_EQ(messages.front(), c.notice) << c.label;
        }
        EXPECT_EQ(messages[messages.size() - 2],
                  std::to_string(failed) + "個のﾌｧｲﾙのﾘﾈｰﾑに失敗しました。")
            << c.label;
        for (const auto& [content, count] : contentCounts(rig.dir.path(), contents)) {
            EXPECT_EQ(count, 1) << c.label << ": " << content;
        }
    }
}

// The cp932 pair 0x8754 and 0xFA4A is one character to the file system.
TEST(RunTargets, TwoCp932SpellingsOfOneCharacterAreOneFile) {
    RunRig rig;
    rig.dir.write("images/s1.tif", "scan 1");
    rig.dir.write("images/s2.tif", "scan 2");
    rig.assign(1, "a", {"s1.tif"});
    rig.assign(2, "b", {"s2.tif"});
    rig.cells[1][0] = "\x87\x54";
    rig.cells[2][0] = "\xFA\x4A";
    EXPECT_EQ(rig.plan().conflicts().size(), 1u);
    PosixFileChanges changes;
    const auto outcome = rig.execute(changes);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(rig.dir.read(sj("store/Ⅰ.tif")), "scan 1");
    EXPECT_EQ(rig.waiting(), Strings{"s2.tif"});
    EXPECT_EQ(outcome->renamed(), 1);
}

// A file already in the storage folder is found whatever its letter case: the overwrite question
// comes, and a replaced file is replaced under its own spelling.
TEST(RunTargets, AnExistingTargetIsFoundWithoutRegardToCase) {
    struct Case {
        const char* label;
        int renameOverwrite;
        bool agree;
        bool asked;
        const char* content; // what AB.TIF holds afterwards
    };
    const std::vector<Case> cases = {
        {"Yes replaces", 1, true, true, "scan"},
        {"No keeps it, the row fails", 1, false, true, "older"},
        {"the check off replaces unasked", 0, false, false, "scan"},
    };
    for (const Case& c : cases) {
        RunRig rig;
        rig.settings.renameOverwrite = c.renameOverwrite;
        rig.prompter.setAgreeByDefault(c.agree);
        rig.dir.write("store/AB.TIF", "older");
        rig.dir.write("images/s.tif", "scan");
        rig.assign(1, "ab", {"s.tif"});
        const RenamePlan plan = rig.plan();
        EXPECT_TRUE(plan.rows[0].targetExists) << c.label;
        EXPECT_EQ(plan.rows[0].existing, files::join(rig.store, "AB.TIF")) << c.label;
        PosixFileChanges changes;
        ASSERT_TRUE(rig.execute(changes)) << c.label;
        EXPECT_EQ(rig.stored(), Strings{"AB.TIF"}) << c.label;
        EXPECT_EQ(rig.dir.read("store/AB.TIF"), c.content) << c.label;
        const Strings messages = rig.messages();
        EXPECT_EQ(messages.front() == "ﾌｧｲﾙ出力先ﾌｫﾙﾀﾞに ab.tif ﾌｧｲﾙが既に存在します。\n上書きしますか？",
                  c.asked)
            << c.label;
        // Nothing is lost: a replaced file waits in the run's keep folder.
        EXPECT_EQ(contentCounts(rig.dir.path(), {"older", "scan"}),
                  (std::map<std::string, int>{{"older", 1}, {"scan", 1}}))
            << c.label;
    }
}

TEST(RunTargets, AnImageThatOnlyChangesTheCaseOfItsNameIsMoved) {
    RunRig rig;
    rig.t.storageFolder = rig.images;
    rig.dir.write("images/AB.tif", "scan");
    rig.assign(1, "ab", {"AB.tif"});
    PosixFileChanges changes;
    const auto outcome = rig.execute(changes);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(rig.waiting(), Strings{"ab.tif"});
    EXPECT_EQ(rig.dir.read("images/ab.tif"), "scan");
    EXPECT_EQ(outcome->renamed(), 1);
}

// A moved image is an ordinary file of the storage folder afterwards: it loses its read-only
// mode as a file of this process would have it.
TEST(RunTargets, ReadOnlyModeIsClearedAsANewFileWouldHaveIt) {
    struct Case {
        mode_t mode;
        mode_t mask;
        mode_t expected;
    };
    const std::vector<Case> cases = {
        {0444, 022, 0644}, {0440, 022, 0640}, {0400, 022, 0600}, {0555, 022, 0755},
        {0444, 002, 0664}, {0444, 077, 0644}, {0604, 022, 0604}, {0664, 022, 0664},
    };
    const mode_t saved = ::umask(022);
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.write("f.tif", "x");
        ::chmod(path.c_str(), c.mode);
        ::umask(c.mask);
        EXPECT_TRUE(files::clearReadOnly(path)) << std::oct << c.mode << " " << c.mask;
        EXPECT_EQ(modeOf(path), c.expected) << std::oct << c.mode << " " << c.mask;
    }
    ::umask(022);
    RunRig rig;
    const std::string image = rig.dir.write("images/s.tif", "scan");
    ::chmod(image.c_str(), 0444);
    rig.assign(1, "ab", {"s.tif"});
    PosixFileChanges changes;
    ASSERT_TRUE(rig.execute(changes));
    EXPECT_EQ(modeOf(files::join(rig.store, "ab.tif")), static_cast<mode_t>(0644));
    ::umask(saved);
    EXPECT_FALSE(files::clearReadOnly(rig.dir.file("missing")));
}

// In a folder the process may write and search but not read, the folder cannot be opened for its
// sync; every change that was made is still reported done. Root reads every folder, so the
// changes are made by an ordinary user in a child process.
TEST(RunTargets, ChangesInAWriteOnlyFolderAreReportedDone) {
    struct Case {
        const char* label;
        std::function<bool(PosixFileChanges&, const std::string& from, const std::string& to)>
            change;
        Strings left; // the write-only folder afterwards
    };
    const std::vector<Case> cases = {
        {"move", [](PosixFileChanges& c, const std::string& from,
                    const std::string& to) { return c.move(from + "/a", to + "/b", false); },
         {"b", "old"}},
        {"commit",
         [](PosixFileChanges& c, const std::string&, const std::string& to) {
             TempFile temp = c.createTemp(to);
             return temp && c.write(temp, "new", 3) && c.sync(temp) &&
                    c.commit(temp, to + "/n", false);
         },
         {"n", "old"}},
        {"remove",
         [](PosixFileChanges& c, const std::string&, const std::string& to) {
             return c.remove(to + "/old");
         },
         {}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string from = dir.mkdir("from");
        const std::string to = dir.mkdir("to");
        dir.write("from/a", "a");
        dir.write("to/old", "old");
        const bool root = ::geteuid() == 0;
        if (root) {
            for (const std::string& folder : {dir.path(), from, to}) {
                ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
            }
        }
        ::chmod(to.c_str(), 0333);
        const pid_t child = ::fork();
        if (child == 0) {
            if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
                ::_exit(2);
            }
            PosixFileChanges changes;
            ::_exit(c.change(changes, from, to) ? 0 : 1);
        }
        int status = -1;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ::chmod(to.c_str(), 0755);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.label;
        EXPECT_EQ(files::listFolder(to), c.left) << c.label;
    }
}

// A name the operator types that has no cp932 form is refused, in both modes of the dialog, as a
// name with a character a file name may not hold; the next name is taken.
TEST(RunTargets, TypedNamesWithoutACp932FormAreRefused) {
    struct Case {
        const char* label;
        ExecuteDialogs::NameMode mode;
        Strings stored;
    };
    const std::vector<Case> cases = {
        {"export name", ExecuteDialogs::NameMode::Export, {"ab.tif", "list.csv"}},
        {"another name for an image", ExecuteDialogs::NameMode::Rename, {"ab.tif", "cd.tif"}},
    };
    for (const Case& c : cases) {
        RunRig rig;
        rig.settings.exportType = c.mode == ExecuteDialogs::NameMode::Export ? 3 : 0;
        rig.settings.renameOverwrite = 1;
        rig.prompter.setAgreeByDefault(false);
        if (c.mode == ExecuteDialogs::NameMode::Rename) {
            rig.dir.write("store/ab.tif", "older");
        }
        rig.dir.write("images/s.tif", "scan");
        rig.assign(1, "ab", {"s.tif"});
        rig.dialogs.queueName(c.mode, std::nullopt);
        rig.dialogs.queueName(c.mode, c.mode == ExecuteDialogs::NameMode::Export ? "list" : "cd");
        PosixFileChanges changes;
        const auto outcome = rig.execute(changes);
        ASSERT_TRUE(outcome) << c.label;
        EXPECT_EQ(rig.stored(), c.stored) << c.label;
        const Strings messages = rig.messages();
        EXPECT_NE(std::find(messages.begin(), messages.end(),
                            "ﾌｧｲﾙ名に使用できない文字が含まれています。"),
                  messages.end())
            << c.label;
    }
}

// Names typed into the dialog stay within what the file system takes, counted in its UTF-8.
TEST(RunTargets, TypedNamesLongerThanTheFileSystemTakesAreRefused) {
    TempDir dir;
    struct Case {
        int characters;
        std::optional<Msg> rename;       // name + ".tif"
        std::optional<Msg> exportDialog; // name + ".csv"
        std::optional<Msg> exportStored;
    };
    const std::vector<Case> cases = {
        {83, std::nullopt, std::nullopt, std::nullopt},
        {84, Msg::FileNameTooLong, Msg::FileNameTooLong, Msg::ExportNameTooLong},
    };
    Settings settings;
    settings.exportAddConse = false;
    for (const Case& c : cases) {
        const std::string name = sj(repeated("ｱ", c.characters));
        EXPECT_EQ(exportname::checkRenameName(name, ExportType::None, dir.path(), "tif").refusal,
                  c.rename)
            << c.characters;
        EXPECT_EQ(exportname::checkExportName(name, true, dir.path(), settings).refusal,
                  c.exportDialog)
            << c.characters;
        EXPECT_EQ(exportname::checkExportName(name, false, dir.path(), settings).refusal,
                  c.exportStored)
            << c.characters;
    }
}

} // namespace
