#include "RunRig.h"

#include "execute/FileStamp.h"
#include "execute/RunJournal.h"
#include "execute/RunJournals.h"
#include "execute/RunLock.h"
#include "execute/RunLog.h"
#include "execute/RunRecovery.h"
#include "execute/RunUndo.h"
#include "support/FileCensus.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <thread>

namespace {

using Strings = std::vector<std::string>;

// A run of a single image, a two-page join and a replaced earlier target, with a folder of the
// operator's beside the data folder that the run never touches.
void arrange(RunRig& rig) {
    rig.tiff("s.tif", 1);
    rig.tiff("p1.tif", 1);
    rig.tiff("p2.tif", 2);
    rig.dir.write("images/r.tif", "new scan");
    rig.dir.write("store/old.tif", "earlier target");
    rig.dir.write("outside/victim.tif", "the operator's drawing");
    rig.dir.write("store/sub/deep.tif", "a drawing below the storage folder");
    rig.assign(1, "single", {"s.tif"});
    rig.assign(2, "joined", {"p1.tif", "p2.tif"});
    rig.assign(3, "old", {"r.tif"});
}

std::string newestJournal(const RunRig& rig) {
    const Strings journals = runjournals::list(rig.journals);
    return journals.empty() ? std::string() : journals.back();
}

struct Undone {
    RunUndo::Report report;
    Strings messages;
};

Undone undoNewest(RunRig& rig, const std::string& journal) {
    rig.prompter.clear();
    Undone result;
    const auto log = RunLog::read(journal);
    EXPECT_TRUE(log) << journal;
    if (log) {
        PosixFileChanges changes;
        result.report = RunUndo(changes, rig.prompter).undo(*log, false);
    }
    result.messages = rig.messages();
    return result;
}

// The 1-based line of journal text that starts with record; 0 when there is none.
int lineOf(const std::string& text, const std::string& record) {
    const std::size_t at = text.find("\n" + record);
    return at == std::string::npos
               ? 0
               : 2 + static_cast<int>(std::count(text.begin(), text.begin() + at, '\n'));
}

std::string stampFields(const std::string& path) {
    const auto stamp = FileStamp::of(path);
    EXPECT_TRUE(stamp) << path;
    return stamp ? std::to_string(stamp->size) + "\t" + std::to_string(stamp->mtimeNs) + "\t" +
                       std::to_string(stamp->inode) + "\t" + std::to_string(stamp->ctimeNs)
                 : std::string();
}

// Files whose bytes are found nowhere after, the journal's own text aside.
Strings lost(const FileCensus& before, const FileCensus& after) {
    std::multiset<std::string> remaining;
    for (const auto& [path, bytes] : after) {
        remaining.insert(bytes);
    }
    Strings gone;
    for (const auto& [path, bytes] : before) {
        const auto it = remaining.find(bytes);
        if (it != remaining.end()) {
            remaining.erase(it);
        } else if (!path.ends_with(RunJournal::kFileName)) {
            gone.push_back(path);
        }
    }
    return gone;
}

TEST(RunUndoTrust, AJournalNamingAPathOutsideItsRunRefusesTheWholeUndo) {
    struct Case {
        const char* label;
        // The planted record (cp932 paths of the rig), its first line to find it by, and the
        // header line it replaces (appended when empty).
        std::function<std::string(const RunRig&)> record;
        const char* replaces;
    };
    auto written = [](const std::string& path) {
        return "write\t" + path + "\nwritten\t" + path + "\t" + stampFields(path) + "\n";
    };
    const std::vector<Case> cases = {
        {"a confirmed file outside every folder",
         [&](const RunRig& r) { return written(r.dir.file("outside/victim.tif")); }, ""},
        {"a path through ..",
         [&](const RunRig& r) {
             return "write\t" + r.store + "/../outside/victim.tif\nwritten\t" + r.store +
                    "/../outside/victim.tif\t" + stampFields(r.dir.file("outside/victim.tif")) +
                    "\n";
         },
         ""},
        {"a file below the storage folder",
         [&](const RunRig& r) { return written(r.dir.file("store/sub/deep.tif")); }, ""},
        {"a relative path", [](const RunRig&) { return std::string("write\touts/victim.tif\n"); },
         ""},
        {"a kept file brought in from outside",
         [](const RunRig& r) {
             return "keep\t" + r.images + "/new.tif\t" + r.dir.file("outside/victim.tif") +
                    "\nkept\t" + r.images + "/new.tif\t" + r.dir.file("outside/victim.tif") + "\n";
         },
         ""},
        {"a keep folder of another run",
         [](const RunRig& r) {
             return "keep\t" + r.images + "/s2.tif\t" + r.images + "/.nomira-keep-other/s2.tif\n";
         },
         ""},
        {"a storage folder reaching up",
         [](const RunRig& r) { return "storage\t" + r.store + "/../outside\n"; }, "storage\t"},
    };
    for (const Case& c : cases) {
        RunRig rig;
        arrange(rig);
        PosixFileChanges changes;
        ASSERT_TRUE(rig.execute(changes)) << c.label;
        const std::string journal = newestJournal(rig);
        std::string text = *files::readAll(journal);
        const std::string record = c.record(rig);
        if (*c.replaces) {
            const std::size_t at = text.find(std::string("\n") + c.replaces) + 1;
            text.replace(at, text.find('\n', at) + 1 - at, record);
        } else {
            text += record;
        }
        rig.dir.write(journal.substr(rig.dir.path().size() + 1), text);
        const FileCensus before = fileCensus(rig.dir.path());

        const Undone undo = undoNewest(rig, journal);
        EXPECT_FALSE(undo.report.ok) << c.label;
        EXPECT_EQ(fileCensus(rig.dir.path()), before) << c.label;
        const std::string where = journal + ":" + std::to_string(lineOf(text, record));
        EXPECT_EQ(
            undo.messages,
            Strings{"実行記録の次の行が実行のﾌｫﾙﾀﾞの外を指しているため、元に戻せません。\r\n" +
                    u8(where)})
            << c.label;
    }
}

TEST(RunUndoTrust, AJournalOfAnotherFormatOrDataFolderIsRefusedAndNothingMoves) {
    struct Case {
        const char* label;
        bool copy; // the data folder copied with its journals, undone in the copy
        const char* from;
        const char* to;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"an older format", false, "nomira-run\t2", "nomira-run\t1",
         "以前の版で作られた実行記録のため、元に戻せません。\r\n"},
        {"no data folder named", false, "\ndata\t", "\nsomething\t",
         "別のﾃﾞｰﾀﾌｫﾙﾀﾞで作られた実行記録のため、元に戻せません。\r\n"},
        {"a copied data folder", true, "", "",
         "別のﾃﾞｰﾀﾌｫﾙﾀﾞで作られた実行記録のため、元に戻せません。\r\n"},
    };
    for (const Case& c : cases) {
        RunRig rig;
        arrange(rig);
        PosixFileChanges changes;
        ASSERT_TRUE(rig.execute(changes)) << c.label;
        std::string journal = newestJournal(rig);
        const TempDir copy;
        if (c.copy) {
            std::filesystem::copy(files::native(rig.journals), files::native(copy.file("journal")),
                                  std::filesystem::copy_options::recursive);
            journal = runjournals::list(copy.file("journal")).back();
        } else {
            std::string text = *files::readAll(journal);
            text.replace(text.find(c.from), std::string(c.from).size(), c.to);
            rig.dir.write(journal.substr(rig.dir.path().size() + 1), text);
        }
        const FileCensus before = fileCensus(rig.dir.path());
        const FileCensus copied = fileCensus(copy.path());

        const Undone undo = undoNewest(rig, journal);
        EXPECT_FALSE(undo.report.ok) << c.label;
        EXPECT_EQ(fileCensus(rig.dir.path()), before) << c.label;
        EXPECT_EQ(fileCensus(copy.path()), copied) << c.label;
        EXPECT_EQ(undo.messages, Strings{c.message + u8(journal)}) << c.label;
    }
}

// A file the run confirmed is taken away only while it is that very file.
TEST(RunUndoTrust, AConfirmedFileThatIsNoLongerTheSameFileRefusesTheUndo) {
    struct Case {
        const char* label;
        std::function<void(const std::string& path)> meddle;
    };
    auto restoreTimes = [](const std::string& path, const struct stat& was) {
        const timespec times[2] = {was.st_atim, was.st_mtim};
        ASSERT_EQ(::utimensat(AT_FDCWD, files::native(path).c_str(), times, 0), 0);
    };
    const std::vector<Case> cases = {
        {"bytes edited in place, modification time put back",
         [&](const std::string& path) {
             struct stat was {};
             ::stat(path.c_str(), &was);
             std::string bytes = *files::readAll(path);
             bytes.back() ^= 1;
             const int fd = ::open(path.c_str(), O_WRONLY);
             ASSERT_EQ(::pwrite(fd, bytes.data(), bytes.size(), 0),
                       static_cast<ssize_t>(bytes.size()));
             ::close(fd);
             restoreTimes(path, was);
         }},
        {"replaced by a copy of the same size and times",
         [&](const std::string& path) {
             struct stat was {};
             ::stat(path.c_str(), &was);
             const std::string copy = path + ".copy";
             std::filesystem::copy_file(path, copy);
             restoreTimes(copy, was);
             std::filesystem::rename(copy, path);
         }},
        {"made read-only", [](const std::string& path) { ::chmod(path.c_str(), 0444); }},
        {"grown",
         [](const std::string& path) {
             const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND);
             ASSERT_EQ(::write(fd, "x", 1), 1);
             ::close(fd);
         }},
        {"deleted", [](const std::string& path) { std::filesystem::remove(path); }},
        {"a link in its place",
         [](const std::string& path) {
             std::filesystem::rename(path, path + ".moved");
             std::filesystem::create_symlink(path + ".moved", path);
         }},
    };
    for (const char* target : {"store/single.tif", "store/joined.tif"}) {
        for (const Case& c : cases) {
            const std::string label = std::string(target) + ", " + c.label;
            RunRig rig;
            arrange(rig);
            PosixFileChanges changes;
            ASSERT_TRUE(rig.execute(changes)) << label;
            // The clock moves on, so that every change of the file leaves a new change time.
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            c.meddle(rig.dir.file(target));
            const FileCensus before = fileCensus(rig.dir.path());

            const Undone undo = undoNewest(rig, newestJournal(rig));
            EXPECT_FALSE(undo.report.ok) << label;
            EXPECT_EQ(fileCensus(rig.dir.path()), before) << label;
            EXPECT_EQ(undo.messages,
                      Strings{"実行後に変更されたﾌｧｲﾙがあるため、元に戻せません。\r\n" +
                              u8(rig.dir.file(target))})
                << label;
        }
    }
}

// Undo takes nothing out of existence: what it takes away lands in its keep folder, and a write
// whose confirmation is missing stays where it is.
TEST(RunUndoTrust, UndoLosesNoFileAndLeavesWhatTheRunDidNotConfirm) {
    struct Case {
        const char* label;
        const char* unconfirm; // the written file whose confirmation is dropped, or ""
        Strings stored;        // the storage folder after the undo
        Strings messages;
    };
    const std::vector<Case> cases = {
        {"a finished run", "", {"old.tif"}, {"5個のﾌｧｲﾙを元に戻し、1個のﾌｧｲﾙを削除しました。"}},
        {"a join without its confirmation",
         "joined.tif",
         {"joined.tif", "old.tif"},
         {"5個のﾌｧｲﾙを元に戻し、0個のﾌｧｲﾙを削除しました。",
          "実行記録に書込みの完了が記録されていないため、次のﾌｧｲﾙは残しました。\r\n%"}},
    };
    for (const Case& c : cases) {
        RunRig rig;
        arrange(rig);
        const FileCensus beforeRun = fileCensus(rig.dir.path());
        PosixFileChanges changes;
        ASSERT_TRUE(rig.execute(changes)) << c.label;
        const std::string journal = newestJournal(rig);
        if (*c.unconfirm) {
            std::string text = *files::readAll(journal);
            const std::size_t at = text.find("\nwritten\t" + files::join(rig.store, c.unconfirm));
            text.erase(at + 1, text.find('\n', at + 1) - at);
            rig.dir.write(journal.substr(rig.dir.path().size() + 1), text);
        }
        const FileCensus beforeUndo = fileCensus(rig.dir.path());

        const Undone undo = undoNewest(rig, journal);
        ASSERT_TRUE(undo.report.ok) << c.label;
        const FileCensus after = fileCensus(rig.dir.path());
        EXPECT_EQ(lost(beforeUndo, after), Strings{}) << c.label;
        for (const auto& [path, bytes] : beforeRun) {
            EXPECT_EQ(after.count(path) ? after.at(path) : "(gone)", bytes) << c.label << path;
        }
        EXPECT_EQ(rig.stored(), c.stored) << c.label;
        Strings expected = c.messages;
        for (std::string& m : expected) {
            if (m.ends_with("%")) {
                m.replace(m.size() - 1, 1, u8(files::join(rig.store, c.unconfirm)));
            }
        }
        // The result's first line counts the files; the lines after it name the rows file.
        Strings told = undo.messages;
        if (!told.empty()) {
            told.front() = told.front().substr(0, told.front().find("\r\n"));
        }
        EXPECT_EQ(told, expected) << c.label;
    }
}

// A child process that holds the data folder's lock until it is killed with SIGKILL.
class LockHolder {
public:
    explicit LockHolder(const std::string& journals) {
        int ready[2];
        EXPECT_EQ(::pipe(ready), 0);
        m_pid = ::fork();
        if (m_pid == 0) {
            const RunLock lock(journals);
            const char held = lock.held() ? '1' : '0';
            (void)!::write(ready[1], &held, 1);
            for (;;) {
                ::pause();
            }
        }
        char held = '0';
        EXPECT_EQ(::read(ready[0], &held, 1), 1);
        EXPECT_EQ(held, '1');
        ::close(ready[0]);
        ::close(ready[1]);
    }
    void kill() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }
    ~LockHolder() { kill(); }

private:
    pid_t m_pid = -1;
};

TEST(RunUndoTrust, OneRunOrUndoAtATimeUntilTheHolderIsKilled) {
    struct Case {
        const char* label;
        std::function<bool(RunRig&)> act; // true when it changed the operator's files
    };
    const std::vector<Case> cases = {
        {"a run",
         [](RunRig& r) {
             PosixFileChanges changes;
             const auto outcome = r.execute(changes);
             return outcome && outcome->renamed() > 0;
         }},
        {"an undo", [](RunRig& r) { return undoNewest(r, newestJournal(r)).report.ok; }},
    };
    for (const Case& c : cases) {
        RunRig rig;
        arrange(rig);
        rig.dir.write("images/next.tif", "the next scan");
        PosixFileChanges changes;
        ASSERT_TRUE(rig.execute(changes)) << c.label;
        rig.records.clear();
        rig.assign(1, "next", {"next.tif"});
        LockHolder holder(rig.journals);
        const FileCensus before = fileCensus(rig.dir.path());
        rig.prompter.clear();
        EXPECT_FALSE(c.act(rig)) << c.label;
        EXPECT_EQ(fileCensus(rig.dir.path()), before) << c.label;
        ASSERT_FALSE(rig.messages().empty()) << c.label;
        EXPECT_EQ(rig.messages().front(),
                  "このﾃﾞｰﾀﾌｫﾙﾀﾞでは別の実行または元に戻す処理が行われています。\r\n終了してから、"
                  "もう一度行ってください。\r\n" +
                      u8(rig.dir.path()))
            << c.label;
        holder.kill();
        EXPECT_TRUE(c.act(rig)) << c.label << " after the holder was killed";
    }
}

TEST(RunUndoTrust, ALockFileThatIsNoFileStopsTheRunBeforeAnythingMoves) {
    struct Case {
        const char* label;
        std::function<void(RunRig&)> plant;
    };
    const std::vector<Case> cases = {
        {"a link to the operator's drawing",
         [](RunRig& r) {
             std::filesystem::create_symlink(files::native(r.dir.file("outside/victim.tif")),
                                             files::native(r.dir.file("journal/lock")));
         }},
        {"a FIFO",
         [](RunRig& r) { ASSERT_EQ(::mkfifo(r.dir.file("journal/lock").c_str(), 0666), 0); }},
        {"a folder", [](RunRig& r) { r.dir.mkdir("journal/lock"); }},
    };
    for (const Case& c : cases) {
        RunRig rig;
        arrange(rig);
        rig.dir.mkdir("journal");
        c.plant(rig);
        const FileCensus before = fileCensus(rig.dir.path());
        PosixFileChanges changes;
        const auto outcome = rig.execute(changes);
        ASSERT_TRUE(outcome) << c.label;
        EXPECT_EQ(outcome->renamed(), 0) << c.label;
        EXPECT_EQ(fileCensus(rig.dir.path()), before) << c.label;
        EXPECT_TRUE(rig.messages().front().starts_with("実行記録を書き込めないため、")) << c.label;
    }
}

TEST(RunUndoTrust, ARunCutOffAndNotSettledRefusesANewRunUntilItIsSettled) {
    RunRig rig;
    arrange(rig);
    FailingFileChanges counting;
    {
        RunRig probe;
        arrange(probe);
        ASSERT_TRUE(probe.execute(counting));
    }
    // Killed halfway: the child's lock went with it, the run stays unsettled.
    ASSERT_NE(rig.executeKilledAt(counting.operations() / 2), -1);
    const auto cut = runjournals::unfinished(rig.journals);
    ASSERT_TRUE(cut);
    const FileCensus before = fileCensus(rig.dir.path());
    PosixFileChanges changes;
    rig.prompter.clear();
    const auto refused = rig.execute(changes);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->renamed(), 0);
    EXPECT_EQ(fileCensus(rig.dir.path()), before);
    EXPECT_EQ(
        rig.messages().front(),
        "前回の実行(" + cut->started +
            ")が途中で終了したままのため、実行できません。\r\n「nomira-cli undo」で元に戻すか、"
            "Nomiraの起動時の確認で元に戻すか確定してください。");

    ASSERT_TRUE(runrecovery::finish(changes, *cut));
    rig.dir.write("images/next.tif", "the next scan");
    rig.records.clear();
    rig.assign(1, "next", {"next.tif"});
    const auto next = rig.execute(changes);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->renamed(), 1);
}

} // namespace
