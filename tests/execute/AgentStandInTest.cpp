#include "app/ProgramLauncher.h"
#include "base/FileSystem.h"
#include "base/ProfileFile.h"
#include "base/ScriptedPrompter.h"
#include "execute/CheckRegistrationPrerequisites.h"
#include "execute/ReadDocType.h"
#include "execute/RunRegistrationPrograms.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>

namespace {

namespace fs = std::filesystem;

// The stand-in programs are built beside nomira-cli, in the folder "agent". Each test copies
// them into an agent folder of its own, so that their settings and store stay the test's.
class AgentStandIn : public ::testing::Test {
protected:
    void SetUp() override {
        const char* cli = std::getenv("NOMIRA_CLI");
        ASSERT_NE(cli, nullptr);
        const fs::path built = fs::path(cli).parent_path() / "agent";
        fs::create_directories(files::native(m_agent));
        for (const char* program : {"Quentdef.exe", "Quentconv.exe", "Quentry.exe"}) {
            fs::copy_file(built / program, files::native(m_agent + program));
        }
        m_dir.write("agent/Quentry.ini", "[Store]\nFolder=" + m_store + "\n");
        // The programs read the machine's registry store; an installed one must not lead them
        // out of the test's folder.
        const char* registry = std::getenv("NOMIRA_REGISTRY");
        m_savedRegistry = registry != nullptr ? std::optional<std::string>(registry) : std::nullopt;
        ::setenv("NOMIRA_REGISTRY", m_registry.c_str(), 1);
    }

    void TearDown() override {
        if (m_savedRegistry) {
            ::setenv("NOMIRA_REGISTRY", m_savedRegistry->c_str(), 1);
        } else {
            ::unsetenv("NOMIRA_REGISTRY");
        }
    }

    int run(const std::string& commandLine) {
        return m_launcher.runBlockingForExit(commandLine).value_or(-1);
    }

    TempDir m_dir;
    std::string m_agent = m_dir.file("agent") + "/";
    std::string m_storage = m_dir.mkdir("storage");
    std::string m_store = m_dir.file("store");
    std::string m_registry = m_dir.file("registry.ini");
    std::optional<std::string> m_savedRegistry;
    ProgramLauncher m_launcher;
};

TEST_F(AgentStandIn, DefinesConvertsAndRegistersARenamedRun) {
    m_dir.write("agent/Quentdef.ini", "[Definition]\nCabinetName=Plans\nFolderName=Inbox\n"
                                      "CabinetField=3\nFolderField=4\nDocNameField=1\n"
                                      "Properties=Number:2;Sheet:5\n");
    ASSERT_EQ(run("\"" + m_agent + "Quentdef.exe\" \"/o=" + m_storage + "\" /t=Drawing"), 0);
    EXPECT_EQ(ReadDocType(files::join(m_storage, "quentdef.map")), "Drawing");
    EXPECT_EQ(m_dir.read("storage/quentdef.map"),
              "<DocType>,Drawing\r\n<CabinetName>,3\r\n<FolderName>,4\r\n<DocName>,1\r\n"
              "Number,2\r\nSheet,5\r\n");
    EXPECT_EQ(ProfileFile(m_agent + "ini/RegistKey.ini").readString("WorkPath", "LastPath"),
              files::join(m_storage, "quentdef.xml"));
    ScriptedPrompter prompter;
    EXPECT_TRUE(CheckRegistrationPrerequisites({m_agent, m_storage, "DRAWING"}, prompter));

    m_dir.write("storage/A-001.tif", "image one");
    m_dir.write("storage/B-002.jpg", "image two");
    m_dir.write("storage/list.csv", "\"A-001.tif\",Plans,Inbox,\"Title A\",\"N1\",\"S1\",\r\n"
                                    "\"B-002.jpg\",Other,2026/Q1,\"Title B\",\r\n");
    const auto runs = RunRegistrationPrograms(m_launcher, m_agent, m_storage);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].exitCode, 0);
    EXPECT_EQ(runs[1].exitCode, 0);
    EXPECT_EQ(m_dir.read("store/Drawing/Plans/Inbox/A-001.tif"), "image one");
    EXPECT_EQ(m_dir.read("store/Drawing/Other/2026/Q1/B-002.jpg"), "image two");
    EXPECT_TRUE(files::exists(m_dir.file("storage/WORK/list.job.done")));
    EXPECT_EQ(m_dir.read("storage/A-001.tif"), "image one");
    const std::string log = m_dir.read("store/quentry.log");
    EXPECT_NE(log.find("\tREGISTERED\tlist.job\tA-001.tif\t"), std::string::npos) << log;
    EXPECT_NE(log.find("\tREGISTERED\tlist.job\tB-002.jpg\t"), std::string::npos) << log;
}

TEST_F(AgentStandIn, ConversionWithoutDefinitionOrListWritesNoJob) {
    const std::string conv = "\"" + m_agent + "Quentconv.exe\" \"" + m_storage + "\"";
    EXPECT_EQ(run(conv), 2);
    m_dir.write("storage/quentdef.xml", "<Quentdef><DocType>Drawing</DocType></Quentdef>");
    EXPECT_EQ(run(conv), 3);
    EXPECT_FALSE(files::exists(m_dir.file("storage/WORK")));
}

// The conversion writes only jobs the registration takes: the document type comes from the map
// when the definition has none, and a list whose values would break the job's lines is refused.
TEST_F(AgentStandIn, ConversionWritesOnlyJobsTheRegistrationTakes) {
    const struct {
        const char* what;
        std::string xml;
        std::string map;
        std::string list;
        int convertExit;
        const char* registeredAt;
    } cases[] = {
        {"the type of the definition", "<Quentdef><DocType>Drawing</DocType></Quentdef>",
         "<DocType>,Other\r\n", "\"x.tif\",C,F,\"T\"\r\n", 0, "store/Drawing/C/F/x.tif"},
        {"the type of the map", "<Quentdef><DocType/></Quentdef>", "<DocType>,Plan\r\n",
         "\"x.tif\",C,F,\"T\"\r\n", 0, "store/Plan/C/F/x.tif"},
        {"no type anywhere", "<Quentdef/>", "", "\"x.tif\",C,F,\"T\"\r\n", 4, nullptr},
        {"a type leaving the store", "<Quentdef><DocType>..</DocType></Quentdef>", "",
         "\"x.tif\",C,F,\"T\"\r\n", 4, nullptr},
        {"a tab in a title", "<Quentdef><DocType>D</DocType></Quentdef>", "",
         "\"x.tif\",C,F,\"T\tU\"\r\n", 4, nullptr},
        {"a file name leaving the source", "<Quentdef><DocType>D</DocType></Quentdef>", "",
         "\"../x.tif\",C,F,\"T\"\r\n", 4, nullptr},
    };
    m_dir.write("storage/x.tif", "scan");
    for (const auto& c : cases) {
        fs::remove_all(files::native(m_store));
        fs::remove_all(files::native(m_dir.file("storage/WORK")));
        fs::remove(files::native(m_dir.file("storage/quentdef.map")));
        m_dir.write("storage/quentdef.xml", c.xml);
        if (!c.map.empty()) {
            m_dir.write("storage/quentdef.map", c.map);
        }
        m_dir.write("storage/list.csv", c.list);
        EXPECT_EQ(run("\"" + m_agent + "Quentconv.exe\" \"" + m_storage + "\""), c.convertExit)
            << c.what;
        EXPECT_EQ(files::exists(m_dir.file("storage/WORK/list.job")), c.convertExit == 0) << c.what;
        if (c.registeredAt != nullptr) {
            EXPECT_EQ(run("\"" + m_agent + "Quentry.exe\" /d=\"" + m_storage + "/WORK\""), 0)
                << c.what;
            EXPECT_EQ(m_dir.read(c.registeredAt), "scan") << c.what;
        }
    }
}

struct JobCase {
    const char* what;
    std::string job;
    int exitCode;
    const char* logged;
};

TEST_F(AgentStandIn, RegistrationRefusesMalformedJobsAndReportsMissingFiles) {
    const std::string head = "QUENTJOB 1\nDOCTYPE\tDrawing\nSOURCE\t" + m_storage + "\n";
    m_dir.write("storage/x.tif", "x");
    const JobCase cases[] = {
        {"no header", "DOCTYPE\tDrawing\n", 1, "\tMALFORMED\tjob.job\t"},
        {"no source", "QUENTJOB 1\nDOCTYPE\tDrawing\nFILE\tx.tif\tC\tF\tT\n", 1, "\tMALFORMED\t"},
        {"too few fields", head + "FILE\tx.tif\tC\tF\n", 1, "\tMALFORMED\t"},
        {"a file name leaving the source", head + "FILE\t../x.tif\tC\tF\tT\n", 1, "\tMALFORMED\t"},
        {"a folder leaving the store", head + "FILE\tx.tif\tC\t../..\tT\n", 1, "\tMALFORMED\t"},
        {"a missing file", head + "FILE\tgone.tif\tC\tF\tT\n", 2, "\tFAILED\tjob.job\tgone.tif"},
        {"a sound job", head + "FILE\tx.tif\tC\tF\tT\n", 0, "\tREGISTERED\tjob.job\tx.tif"},
    };
    for (const auto& c : cases) {
        fs::remove_all(files::native(m_store));
        fs::remove_all(files::native(m_dir.file("storage/WORK")));
        m_dir.write("storage/WORK/job.job", c.job);
        EXPECT_EQ(run("\"" + m_agent + "Quentry.exe\" /d=\"" + m_storage + "/WORK\""), c.exitCode)
            << c.what;
        const std::string log = m_dir.read("store/quentry.log");
        EXPECT_NE(log.find(c.logged), std::string::npos) << c.what << "\n" << log;
        EXPECT_EQ(files::exists(m_dir.file("storage/WORK/job.job.done")), c.exitCode == 0)
            << c.what;
    }
    // The sound job is done: a second registration finds nothing to record, and says so.
    EXPECT_EQ(run("\"" + m_agent + "Quentry.exe\" /d=\"" + m_storage + "/WORK\""), 3);
    EXPECT_EQ(run("\"" + m_agent + "Quentry.exe\" " + m_storage), 64);
}

// An installed agent cannot write beside itself: the agent's DataPath in the registry store is
// its home (settings, last definition, store) when that folder exists.
TEST_F(AgentStandIn, HomeFolderIsTheRegisteredDataPathWhenItExists) {
    const std::string home = m_dir.mkdir("home");
    const struct {
        std::string registry;
        std::string lastDefinitionAt;
    } cases[] = {
        {"", "agent/ini/RegistKey.ini"},
        {"[SOFTWARE\\ORVANE\\DelmoSolution\\Quentry]\nDataPath=" + home + "\n",
         "home/ini/RegistKey.ini"},
        {"[SOFTWARE\\ORVANE\\DelmoSolution\\Quentry]\nDataPath=" + home + "/\n",
         "home/ini/RegistKey.ini"},
        {"[SOFTWARE\\ORVANE\\DelmoSolution\\Quentry]\nDataPath=" + m_dir.file("gone") + "\n",
         "agent/ini/RegistKey.ini"},
    };
    for (const auto& c : cases) {
        fs::remove_all(files::native(m_dir.file("agent/ini")));
        fs::remove_all(files::native(home + "/ini"));
        m_dir.write("registry.ini", c.registry);
        m_dir.write("home/Quentdef.ini", "[Definition]\nDocType=FromHome\n");
        ASSERT_EQ(run("\"" + m_agent + "Quentdef.exe\" \"/o=" + m_storage + "\""), 0) << c.registry;
        EXPECT_TRUE(files::exists(m_dir.file(c.lastDefinitionAt))) << c.registry;
        EXPECT_EQ(ReadDocType(files::join(m_storage, "quentdef.map")),
                  c.lastDefinitionAt.starts_with("home") ? "FromHome" : "Document")
            << c.registry;
    }
}

} // namespace
