#include "app/AppPaths.h"

#include "base/FileSystem.h"
#include "support/ProfileFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const std::string kKey = "[SOFTWARE\\Orvane\\DelmoSolution\\Nomira]";

class AppPathsTest : public ::testing::Test {
protected:
    std::string registryWith(std::initializer_list<std::string_view> lines) const {
        return m_dir.write("registry.ini", crlfLines(lines));
    }

    TempDir m_dir;
};

TEST_F(AppPathsTest, DataFolderComesFromTheRegistryStore) {
    const struct {
        std::string line;
        std::string folder;
    } cases[] = {
        {"DataPath=/srv/nomira", "/srv/nomira"},
        {"DataPath=/srv/nomira/", "/srv/nomira"}, // a trailing separator is dropped
        {"DataPath=/", "/"},                      // the root keeps it
        {"DataPath=" + sj("/データ/表"), sj("/データ/表")},
        {"DataPath=", ""},
        {"Version=1", ""},
        {"DataPath=/" + std::string(300, 'd'), "/" + std::string(257, 'd')},
    };
    for (const auto& c : cases) {
        AppPaths paths(RegistryStore(registryWith({kKey, c.line})));
        EXPECT_EQ(paths.dataFolder(), c.folder) << c.line;
    }
    AppPaths none(RegistryStore(m_dir.file("no-registry.ini")));
    EXPECT_EQ(none.dataFolder(), "");
}

TEST_F(AppPathsTest, AnEmptyDataFolderIsAskedForAgainAFoundOneIsKept) {
    const std::string registry = registryWith({kKey, "DataPath="});
    AppPaths paths{RegistryStore(registry)};
    EXPECT_EQ(paths.dataFolder(), "");
    registryWith({kKey, "DataPath=/first"});
    EXPECT_EQ(paths.dataFolder(), "/first");
    registryWith({kKey, "DataPath=/second"});
    EXPECT_EQ(paths.dataFolder(), "/first");
    EXPECT_EQ(paths.settingsFilePath(), "/first/Nomira.ini");
}

TEST_F(AppPathsTest, ProgramFolderIsTheExecutablesFolder) {
    AppPaths paths(RegistryStore(m_dir.file("r.ini")), "/opt/nomira/bin/Nomira");
    EXPECT_EQ(paths.programFolder(), "/opt/nomira/bin");
    AppPaths real{RegistryStore(m_dir.file("r.ini"))};
    EXPECT_FALSE(real.programFolder().empty());
    EXPECT_EQ(real.programFolder(), files::parentFolder(AppPaths::currentExecutablePath()));
}

TEST_F(AppPathsTest, AbsolutePaths) {
    const struct {
        const char* text;
        bool absolute;
    } cases[] = {
        {"/data", true},    {"\\\\server\\share", true},
        {"C:\\data", true}, {"c:\\", true},
        {"C:data", false},  {"C:", false},
        {"C:/data", false}, {"\\single", false},
        {"data/x", false},  {"", false},
        {"a", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AppPaths::isAbsolutePath(c.text), c.absolute) << c.text;
    }
}

TEST_F(AppPathsTest, RegistryStoreLocationFollowsTheEnvironment) {
    const char* old = std::getenv("NOMIRA_REGISTRY");
    const std::string saved = old != nullptr ? old : "";
    ::setenv("NOMIRA_REGISTRY", "/tmp/reg.ini", 1);
    EXPECT_EQ(RegistryStore::defaultPath(), "/tmp/reg.ini");
    ::unsetenv("NOMIRA_REGISTRY");
    EXPECT_EQ(RegistryStore::defaultPath(), "/etc/nomira/registry.ini");
    if (old != nullptr) {
        ::setenv("NOMIRA_REGISTRY", saved.c_str(), 1);
    }
}

} // namespace
