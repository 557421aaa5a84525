#include "app/HelpLauncher.h"

#include "base/FileSystem.h"
#include "base/ScriptedPrompter.h"
#include "support/LaunchRecorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Args = std::vector<std::string>;

// A program folder holding the guide, applications folders with desktop files, and a viewer
// script that writes the arguments it was started with to "args.txt".
class HelpLauncherTest : public testing::Test {
protected:
    void SetUp() override {
        m_programFolder = m_dir.mkdir(sj("プログラム フォルダ"));
        m_viewer = m_dir.write("bin dir/viewer", "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" +
                                                     m_dir.file("args.txt") + "'\n");
        std::filesystem::permissions(m_viewer, std::filesystem::perms::owner_all);
        m_applications = m_dir.mkdir("applications");
    }

    std::string putGuide(const std::string& name = "NomiraUM.pdf") {
        return m_dir.write(sj("プログラム フォルダ/") + name, "%PDF-1.4\n");
    }
    void putDesktopFile(const std::string& relative, const std::string& body) {
        m_dir.write("applications/" + relative, body);
    }
    DesktopAssociation association(std::optional<std::string> id) {
        return DesktopAssociation(
            [this, id](const std::string& mimeType) {
                m_askedMimeType = mimeType;
                return id;
            },
            {m_dir.file("nowhere"), m_applications});
    }
    bool openWith(const DesktopAssociation& association) {
        const bool started =
            openHelp(m_launcher, m_window, m_programFolder, m_prompter, association);
        m_launcher.waitUntilIdle();
        return started;
    }
    Args viewerArguments() const {
        Args lines;
        std::string text = m_dir.read("args.txt");
        for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
             start = end + 1) {
            lines.push_back(text.substr(start, end - start));
        }
        return lines;
    }
    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (const auto& shown : m_prompter.shown()) {
            texts.push_back(u8(shown.text) + " / " + u8(shown.caption));
        }
        return texts;
    }

    TempDir m_dir;
    std::string m_programFolder;
    std::string m_viewer;
    std::string m_applications;
    std::string m_askedMimeType;
    ProgramLauncher m_launcher;
    LaunchRecorder m_window;
    ScriptedPrompter m_prompter;
};

TEST_F(HelpLauncherTest, IgnoredWhileBusyOrWhileAnApplicationRuns) {
    putGuide();
    putDesktopFile("viewer.desktop", "[Desktop Entry]\nExec=\"" + m_viewer + "\" %f\n");
    for (const bool running : {true, false}) {
        m_launcher.running() = running;
        m_launcher.modal() = !running;
        EXPECT_FALSE(openWith(association("viewer.desktop")));
        EXPECT_EQ(m_launcher.modal(), !running);
    }
    EXPECT_TRUE(m_prompter.shown().empty());
    EXPECT_TRUE(m_window.events().empty());
    EXPECT_FALSE(std::filesystem::exists(m_dir.file("args.txt")));
}

TEST_F(HelpLauncherTest, MissingGuideIsToldAndClearsBusy) {
    putDesktopFile("viewer.desktop", "[Desktop Entry]\nExec=\"" + m_viewer + "\" %f\n");
    EXPECT_FALSE(openWith(association("viewer.desktop")));
    m_dir.mkdir(sj("プログラム フォルダ/NomiraUM.pdf"));
    EXPECT_FALSE(openWith(association("viewer.desktop")));
    EXPECT_EQ(shownTexts(), std::vector<std::string>(2, "ﾍﾙﾌﾟﾌｧｲﾙが見つかりません。 / 警告"));
    EXPECT_FALSE(m_launcher.modal());
    EXPECT_TRUE(m_window.events().empty());
}

TEST_F(HelpLauncherTest, NoAssociatedApplicationIsToldAndClearsBusy) {
    putGuide();
    putDesktopFile("noexec.desktop", "[Desktop Entry]\nName=Viewer\n[Other]\nExec=/bin/true\n");
    putDesktopFile("unclosed.desktop", "[Desktop Entry]\nExec=\"/bin/viewer %f\n");
    const std::vector<std::optional<std::string>> ids{
        std::nullopt,       "",
        "missing.desktop",  "noexec.desktop",
        "unclosed.desktop", "../applications/noexec.desktop"};
    for (const auto& id : ids) {
        m_prompter.clear();
        EXPECT_FALSE(openWith(association(id)));
        EXPECT_EQ(shownTexts(),
                  std::vector<std::string>{"関連付いたｱﾌﾟﾘｹｰｼｮﾝが存在しません。 / 警告"})
            << id.value_or("(none)");
        EXPECT_FALSE(m_launcher.modal());
    }
    EXPECT_EQ(m_askedMimeType, "application/pdf");
    EXPECT_TRUE(m_window.events().empty());
}

// Without a PDF or an application for it the HTML copy beside it is shown inside the program;
// only when that copy is missing too (or nothing can show it) is the operator told.
TEST_F(HelpLauncherTest, WithoutAViewerTheHtmlCopyIsShownInside) {
    struct Case {
        const char* label;
        bool pdf;
        std::optional<std::string> viewer;
        const char* html; // its name in the program folder, or nullptr
        bool showInside;
        const char* told; // the message, or nullptr when the guide was shown
    };
    putDesktopFile("viewer.desktop", "[Desktop Entry]\nExec=\"" + m_viewer + "\" %f\n");
    const std::vector<Case> cases = {
        {"no application", true, std::nullopt, "NomiraUM.html", true, nullptr},
        {"no application, name in other case", true, std::nullopt, "nomiraum.HTML", true, nullptr},
        {"no PDF", false, "viewer.desktop", "NomiraUM.html", true, nullptr},
        {"no HTML copy", true, std::nullopt, nullptr, true, "関連付いたｱﾌﾟﾘｹｰｼｮﾝが存在しません。"},
        {"nothing to show it", true, std::nullopt, "NomiraUM.html", false,
         "関連付いたｱﾌﾟﾘｹｰｼｮﾝが存在しません。"},
        {"neither file", false, std::nullopt, nullptr, true, "ﾍﾙﾌﾟﾌｧｲﾙが見つかりません。"},
    };
    for (const Case& c : cases) {
        TempDir folder;
        m_programFolder = folder.path();
        if (c.pdf) {
            folder.write("NomiraUM.pdf", "%PDF-1.4\n");
        }
        const std::string html = c.html ? folder.write(c.html, "<html></html>") : std::string();
        m_prompter.clear();
        std::vector<std::string> shown;
        const ShowGuide inside = [&shown](const std::string& path) { shown.push_back(path); };
        const bool started = openHelp(m_launcher, m_window, m_programFolder, m_prompter,
                                      association(c.viewer), c.showInside ? inside : ShowGuide());
        EXPECT_EQ(started, c.told == nullptr) << c.label;
        EXPECT_EQ(shown, c.told ? std::vector<std::string>{} : std::vector<std::string>{html})
            << c.label;
        EXPECT_EQ(shownTexts(), c.told ? std::vector<std::string>{std::string(c.told) + " / 警告"}
                                       : std::vector<std::string>{})
            << c.label;
        EXPECT_FALSE(m_launcher.modal()) << c.label;
    }
    EXPECT_TRUE(m_window.events().empty());
}

struct ExecCase {
    const char* name;
    std::string desktopFile; // below the applications folder
    std::string exec;        // "VIEWER" stands for the quoted viewer path
    Args arguments;          // "DOC" stands for the guide's path
};

class HelpExecLine : public HelpLauncherTest, public testing::WithParamInterface<ExecCase> {};

TEST_P(HelpExecLine, StartsTheViewerWithTheGuideAndLeavesTheWindowEnabled) {
    const ExecCase& c = GetParam();
    const std::string guide = u8(putGuide("nomiraum.PDF"));
    std::string exec = c.exec;
    exec.replace(exec.find("VIEWER"), 6, "\"" + m_viewer + "\"");
    putDesktopFile(c.desktopFile, "[Desktop Entry]\nName=Viewer\nExec = " + exec + "\r\n");
    const std::string id =
        c.desktopFile == "kde4/viewer.desktop" ? "kde4-viewer.desktop" : c.desktopFile;

    EXPECT_TRUE(openWith(association(id)));

    Args expected = c.arguments;
    for (std::string& argument : expected) {
        if (const auto at = argument.find("DOC"); at != std::string::npos) {
            argument.replace(at, 3, guide);
        }
    }
    EXPECT_EQ(viewerArguments(), expected);
    EXPECT_TRUE(m_prompter.shown().empty());
    EXPECT_EQ(m_window.events(), std::vector<std::string>{"front"})
        << "the busy window is not disabled and nothing is posted";
    EXPECT_FALSE(m_launcher.modal()) << "busy clears when the viewer ends";
}

INSTANTIATE_TEST_SUITE_P(
    HelpLauncher, HelpExecLine,
    testing::Values(
        ExecCase{"FileCode", "viewer.desktop", "VIEWER %f", {"DOC"}},
        ExecCase{
            "UrlListWithOptions", "viewer.desktop", "VIEWER --page 1 %U", {"--page", "1", "DOC"}},
        ExecCase{"NoFieldCode", "viewer.desktop", "VIEWER --new", {"--new", "DOC"}},
        ExecCase{"OtherCodes",
                 "viewer.desktop",
                 "VIEWER %i %c --zoom=50%% %k %F %f",
                 {"--zoom=50%", "DOC"}},
        ExecCase{"CodeInsideAnArgument", "viewer.desktop", "VIEWER --file=%f", {"--file=DOC"}},
        ExecCase{"EscapedQuotesAndSpaces",
                 "viewer.desktop",
                 R"(VIEWER "a \"b\" c" "x\sy" %u)",
                 {R"(a "b" c)", "x y", "DOC"}},
        ExecCase{"DashMeansSubfolder", "kde4/viewer.desktop", "VIEWER %f", {"DOC"}}),
    [](const testing::TestParamInfo<ExecCase>& info) { return std::string(info.param.name); });

TEST_F(HelpLauncherTest, ViewerThatCannotStartIsReportedAndClearsBusy) {
    putGuide();
    putDesktopFile("gone.desktop", "[Desktop Entry]\nExec=/nonexistent/nomira-viewer %f\n");
    EXPECT_TRUE(openWith(association("gone.desktop")));
    EXPECT_EQ(m_window.events(), std::vector<std::string>{"failure"});
    EXPECT_FALSE(m_launcher.modal()) << "otherwise help would never open again";
}

} // namespace
