#include "app/ProgramLauncher.h"

#include "support/LaunchRecorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

using Events = std::vector<std::string>;

// An attachment that notes when it is freed.
struct WatchedAttachment : LaunchAttachment {
    explicit WatchedAttachment(bool* freed)
        : LaunchAttachment("a.tif", "tif", true), m_freed(freed) {}
    ~WatchedAttachment() override { *m_freed = true; }
    bool* m_freed;
};

std::string quoted(const std::string& path) {
    return "\"" + path + "\"";
}

struct LaunchCase {
    const char* name;
    bool modalBefore;
    int message;
    Events events;
    bool modalAfter;
};

class WatchedLaunch : public testing::TestWithParam<LaunchCase> {};

TEST_P(WatchedLaunch, DisablesEnablesAndPostsByModalAndMessage) {
    const LaunchCase& c = GetParam();
    ProgramLauncher launcher;
    LaunchRecorder window;
    launcher.modal() = c.modalBefore;
    launcher.running() = true;
    launcher.shell() = false;
    ASSERT_TRUE(launcher.launchWatched(window, "/bin/true", c.message, nullptr));
    launcher.waitUntilIdle();

    EXPECT_EQ(window.events(), c.events);
    EXPECT_EQ(launcher.modal(), c.modalAfter);
    EXPECT_FALSE(launcher.running());
    EXPECT_FALSE(launcher.shell());
}

INSTANTIATE_TEST_SUITE_P(
    ProgramLauncher, WatchedLaunch,
    testing::Values(
        LaunchCase{
            "ImageApplication", false, 0x464, {"disable", "enable", "front", "post 0x464"}, false},
        LaunchCase{"HelpWhileBusy", true, 0, {"front"}, false},
        LaunchCase{"DefinitionProgramInModalEditor",
                   true,
                   0x465,
                   {"disable", "enable", "front", "post 0x465"},
                   true},
        LaunchCase{"NoMessagePostsNothing", false, 0, {"disable", "enable", "front"}, false},
        LaunchCase{"BusyWindowStaysEnabled", true, 0x464, {"front", "post 0x464"}, false}),
    [](const testing::TestParamInfo<LaunchCase>& info) { return std::string(info.param.name); });

TEST(ProgramLauncher, PostsOnlyAfterTheProgramHasEndedWithTheAttachment) {
    TempDir dir;
    const std::string marker = dir.file("ended");
    ProgramLauncher launcher;
    LaunchRecorder window;
    bool freed = false;
    auto attachment = std::make_unique<WatchedAttachment>(&freed);
    const LaunchAttachment* sent = attachment.get();
    launcher.launchWatched(window, "/bin/sh -c \"sleep 0.2; echo x > '" + marker + "'\"",
                           ProgramLauncher::kImageEdited, std::move(attachment));
    launcher.waitUntilIdle();

    ASSERT_EQ(window.posted().size(), 1u);
    EXPECT_EQ(window.posted().front().get(), sent);
    EXPECT_FALSE(freed) << "the handler owns a posted attachment";
    EXPECT_TRUE(std::filesystem::exists(marker)) << "posted before the program ended";
}

TEST(ProgramLauncher, AttachmentOfALaunchWithoutMessageIsFreed) {
    ProgramLauncher launcher;
    LaunchRecorder window;
    bool freed = false;
    launcher.launchWatched(window, "/bin/true", ProgramLauncher::kNoMessage,
                           std::make_unique<WatchedAttachment>(&freed));
    launcher.waitUntilIdle();
    EXPECT_TRUE(freed);
    EXPECT_TRUE(window.posted().empty());
}

struct FailureCase {
    const char* name;
    std::string commandText;
};

class LaunchThatCannotStart : public testing::TestWithParam<FailureCase> {};

TEST_P(LaunchThatCannotStart, ReportsClearsRunningAndShellKeepsModalFreesAttachment) {
    for (const bool modal : {false, true}) {
        ProgramLauncher launcher;
        LaunchRecorder window;
        launcher.modal() = modal;
        launcher.running() = true;
        launcher.shell() = true;
        bool freed = false;
        auto attachment = std::make_unique<WatchedAttachment>(&freed);
        attachment->shellWay = false; // the command line, not the desktop's opener
        launcher.launchWatched(window, GetParam().commandText, ProgramLauncher::kImageEdited,
                               std::move(attachment));
        launcher.waitUntilIdle();

        EXPECT_EQ(window.events(), Events{"failure"});
        EXPECT_TRUE(freed);
        EXPECT_EQ(launcher.modal(), modal);
        EXPECT_FALSE(launcher.running());
        EXPECT_FALSE(launcher.shell());
    }
}

INSTANTIATE_TEST_SUITE_P(
    ProgramLauncher, LaunchThatCannotStart,
    testing::Values(FailureCase{"MissingProgram", "\"/nonexistent/nomira-viewer\" \"a.pdf\""},
                    FailureCase{"NotExecutable", "/etc/hostname"}, FailureCase{"EmptyCommand", ""},
                    FailureCase{"EmptyProgramName", "\"\" a"},
                    FailureCase{"BrokenCp932", "/bin/true \x81"},
                    FailureCase{"TooLong", "/bin/true " + std::string(32767, 'a')}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST(ProgramLauncher, FailureOfALaunchThatSetModalForItselfClearsIt) {
    ProgramLauncher launcher;
    LaunchRecorder window;
    launcher.modal() = true;
    launcher.launchWatched(window, "/nonexistent/nomira-viewer", ProgramLauncher::kNoMessage,
                           nullptr, ProgramLauncher::ModalOnFailure::Clear);
    launcher.waitUntilIdle();
    EXPECT_EQ(window.events(), Events{"failure"});
    EXPECT_FALSE(launcher.modal());
}

// Puts a stand-in for the desktop's opener first on the PATH; it writes its arguments to
// "opened.txt" and exits with the number in "exit-code".
class FakeOpener {
public:
    FakeOpener() : m_oldPath(std::getenv("PATH") ? std::getenv("PATH") : "") {
        m_dir.write("exit-code", "0");
        const std::string script = m_dir.write(
            "xdg-open",
            "#!/bin/sh\nd=$(dirname \"$0\")\nprintf '%s\\n' \"$@\" > \"$d/opened.txt\"\n"
            "exit $(cat \"$d/exit-code\")\n");
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        ::setenv("PATH", (m_dir.path() + ":" + m_oldPath).c_str(), 1);
    }
    ~FakeOpener() { ::setenv("PATH", m_oldPath.c_str(), 1); }

    void exitWith(int code) const { m_dir.write("exit-code", std::to_string(code)); }
    std::string opened() const { return m_dir.read("opened.txt"); }

private:
    TempDir m_dir;
    std::string m_oldPath;
};

TEST(ProgramLauncher, ShellWayOpensTheDocumentWithTheDesktopOpener) {
    FakeOpener opener;
    TempDir dir;
    const std::string document = dir.write(sj("図面 ソ.tif"), "II*");
    ProgramLauncher launcher;
    LaunchRecorder window;
    launcher.running() = true;
    launcher.shell() = true;
    launcher.launchWatched(window, document, ProgramLauncher::kImageEdited,
                           std::make_unique<LaunchAttachment>(document, "tif", true));
    launcher.waitUntilIdle();

    EXPECT_EQ(opener.opened(), u8(document) + "\n");
    EXPECT_EQ(window.events(), (Events{"disable", "enable", "front", "post 0x464"}));
    EXPECT_FALSE(launcher.shell());
    EXPECT_FALSE(launcher.running());
}

TEST(ProgramLauncher, ShellWayOnlyWhenTheFlagAndTheAttachmentAskForIt) {
    FakeOpener opener;
    ProgramLauncher launcher;
    LaunchRecorder window;
    launcher.shell() = false;
    launcher.launchWatched(window, "/bin/true", ProgramLauncher::kNoMessage,
                           std::make_unique<LaunchAttachment>("x", "tif", true));
    launcher.waitUntilIdle(); // the worker reads the flag when it starts
    launcher.shell() = true;
    launcher.launchWatched(window, "/bin/true", ProgramLauncher::kNoMessage,
                           std::make_unique<LaunchAttachment>("x", "tif", false));
    launcher.waitUntilIdle();
    EXPECT_EQ(opener.opened(), "");
}

TEST(ProgramLauncher, OpenerThatCannotOpenTheDocumentIsALaunchFailure) {
    FakeOpener opener;
    opener.exitWith(4);
    ProgramLauncher launcher;
    LaunchRecorder window;
    launcher.running() = true;
    launcher.shell() = true;
    bool freed = false;
    launcher.launchWatched(window, "/tmp/none.tif", ProgramLauncher::kImageEdited,
                           std::make_unique<WatchedAttachment>(&freed));
    launcher.waitUntilIdle();
    EXPECT_EQ(window.events(), (Events{"disable", "enable", "failure"}));
    EXPECT_TRUE(freed);
    EXPECT_FALSE(launcher.running());
    EXPECT_FALSE(launcher.shell());
}

TEST(ProgramLauncher, RunBlockingWaitsAndTellsWhetherTheProcessWasCreated) {
    TempDir dir;
    const std::string marker = dir.file("ended");
    ProgramLauncher launcher;
    EXPECT_EQ(launcher.runBlocking("/bin/true"), 1);
    EXPECT_EQ(launcher.runBlocking("/bin/sh -c \"exit 3\""), 1);
    EXPECT_EQ(launcher.runBlocking(quoted("/nonexistent/Quentconv") + " a b"), 0);
    EXPECT_EQ(launcher.runBlocking(""), 0);
    EXPECT_EQ(launcher.runBlocking("/bin/sh -c \"sleep 0.2; echo x > '" + marker + "'\""), 1);
    EXPECT_TRUE(std::filesystem::exists(marker));
}

} // namespace
