#include "app/ProgramLauncher.h"
#include "base/FileSystem.h"
#include "base/ScriptedPrompter.h"
#include "execute/CheckRegistrationPrerequisites.h"
#include "execute/ReadDocType.h"
#include "execute/RunRegistrationPrograms.h"
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

std::vector<std::string> shownTexts(const ScriptedPrompter& prompter) {
    std::vector<std::string> texts;
    for (const auto& s : prompter.shown()) {
        texts.push_back(s.text);
    }
    return texts;
}

std::vector<std::string> textsOf(std::initializer_list<Msg> ids) {
    std::vector<std::string> texts;
    for (const Msg id : ids) {
        texts.push_back(message(id).text);
    }
    return texts;
}

struct PrerequisiteCase {
    const char* what;
    bool program;
    const char* xmlName; // nullptr: none
    const char* mapName;
    std::string mapText;
    std::string docType;
    std::initializer_list<Msg> messages;
};

TEST(RegistrationPrerequisites, FailInOrderWithTheirMessages) {
    const std::string map = "<CabinetName>,3\r\n<DocType>,Drawing\r\n<DocName>,1\r\n";
    const PrerequisiteCase cases[] = {
        {"nothing installed",
         false,
         "quentdef.xml",
         "quentdef.map",
         map,
         "Drawing",
         {Msg::AgentNotInstalled}},
        {"no xml, though a map",
         true,
         nullptr,
         "quentdef.map",
         map,
         "Drawing",
         {Msg::AgentDefinitionXmlMissing}},
        {"xml without map",
         true,
         "quentdef.xml",
         nullptr,
         map,
         "Drawing",
         {Msg::AgentDefinitionMapMissing}},
        {"map of another type",
         true,
         "quentdef.xml",
         "quentdef.map",
         map,
         "Letter",
         {Msg::AgentDocTypeDiffers}},
        {"map without the tag",
         true,
         "quentdef.xml",
         "quentdef.map",
         "<DocName>,1\r\n",
         "Drawing",
         {Msg::AgentDocTypeDiffers}},
        {"type and names in another case",
         true,
         "QuentDef.XML",
         "QUENTDEF.map",
         map,
         "DRAWING",
         {}},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string agent = dir.mkdir("agent") + "/";
        const std::string storage = dir.mkdir("storage");
        if (c.program) {
            dir.write("agent/Quentdef.exe", "");
        }
        if (c.xmlName) {
            dir.write(std::string("storage/") + c.xmlName, "<Quentdef/>");
        }
        if (c.mapName) {
            dir.write(std::string("storage/") + c.mapName, c.mapText);
        }
        ScriptedPrompter prompter;
        const bool passed = CheckRegistrationPrerequisites({agent, storage, c.docType}, prompter);
        EXPECT_EQ(passed, c.messages.size() == 0) << c.what;
        EXPECT_EQ(shownTexts(prompter), textsOf(c.messages)) << c.what;
        for (const auto& s : prompter.shown()) {
            EXPECT_EQ(s.icon, Icon::Warning) << c.what;
        }
    }
}

TEST(RegistrationPrerequisites, UnreadableMapIsToldAndThenFailsTheTypeCheck) {
    TempDir dir;
    dir.write("agent/Quentdef.exe", "");
    dir.write("storage/quentdef.xml", "<Quentdef/>");
    const std::string map = dir.write("storage/quentdef.map", "<DocType>,Drawing\r\n");
    ASSERT_EQ(::chmod(files::native(map).c_str(), 0), 0);
    if (files::readAll(map)) {
        GTEST_SKIP() << "permission bits do not stop this user from reading";
    }
    ScriptedPrompter prompter;
    EXPECT_FALSE(CheckRegistrationPrerequisites({dir.file("agent"), dir.file("storage"), "Drawing"},
                                                prompter));
    EXPECT_EQ(shownTexts(prompter), textsOf({Msg::AgentMapOpenFailed, Msg::AgentDocTypeDiffers}));
}

struct DocTypeCase {
    const char* what;
    std::string content;
    std::string docType;
};

TEST(ReadDocType, TakesTheSecondFieldOfTheFirstTaggedLine) {
    const DocTypeCase cases[] = {
        {"CR LF lines", "<DocType>,Drawing\r\n<CabinetName>,2\r\n", "Drawing"},
        {"tag in the middle", "<CabinetName>,2\n<DocType>, Plan B \n<DocType>,Other\n", "Plan B"},
        {"third field ignored", "x <DocType> y,Drawing,7\r\n", "Drawing"},
        {"no line end at the end", "<DocType>,Drawing", "Drawing"},
        {"no tag", "<CabinetName>,2\r\n<DocName>,1\r\n", ""},
        {"tag without a field", "<DocType>\r\n", ""},
        {"empty file", "", ""},
        {"a long line is read in 1023-byte pieces", "<DocType>," + std::string(1100, 'V') + "\n",
         std::string(1013, 'V')},
        {"the tag in the second piece of a long line", std::string(1023, 'x') + "<DocType>,Late\n",
         "Late"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        EXPECT_EQ(ReadDocType(dir.write("quentdef.map", c.content)), c.docType) << c.what;
    }
    TempDir dir;
    EXPECT_EQ(ReadDocType(dir.file("missing.map")), std::nullopt);
}

std::string recorder(const TempDir& dir, const std::string& name, int exitCode) {
    const std::string path = dir.write(
        "agent/" + name, "#!/bin/sh\nprintf '%s\\n' \"$(basename \"$0\")\" \"$@\" >> \"$(dirname "
                         "\"$0\")/calls.txt\"\nexit " +
                             std::to_string(exitCode) + "\n");
    std::filesystem::permissions(files::native(path), std::filesystem::perms::owner_all);
    return path;
}

TEST(RunRegistrationPrograms, RunsConversionThenRegistrationAndTellsTheirEnds) {
    TempDir dir;
    recorder(dir, "Quentconv.exe", 0);
    recorder(dir, "Quentry.exe", 3);
    const std::string agent = dir.file("agent") + "/";
    const std::string storage = dir.mkdir("my storage");
    ProgramLauncher launcher;
    const auto runs = RunRegistrationPrograms(launcher, agent, storage);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].commandLine, "\"" + agent + "Quentconv.exe\" \"" + storage + "\"");
    EXPECT_EQ(runs[1].commandLine, "\"" + agent + "Quentry.exe\" /d=\"" + storage + "/WORK\"");
    EXPECT_EQ(runs[0].exitCode, 0);
    EXPECT_EQ(runs[1].exitCode, 3);
    EXPECT_EQ(dir.read("agent/calls.txt"),
              "Quentconv.exe\n" + storage + "\nQuentry.exe\n/d=" + storage + "/WORK\n");
}

TEST(RunRegistrationPrograms, AProgramThatCannotStartIsPassedOver) {
    TempDir dir;
    recorder(dir, "Quentry.exe", 0);
    const std::string storage = dir.mkdir("storage");
    ProgramLauncher launcher;
    const auto runs = RunRegistrationPrograms(launcher, dir.file("agent"), storage);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].exitCode, std::nullopt);
    EXPECT_EQ(runs[1].exitCode, 0);
    EXPECT_EQ(dir.read("agent/calls.txt"), "Quentry.exe\n/d=" + storage + "/WORK\n");
}

} // namespace
