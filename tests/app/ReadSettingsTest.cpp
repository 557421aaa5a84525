#include "app/ReadSettings.h"
#include "base/ProfileFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadSettingsTest, UnusableValuesReadAsTheirDefaults) {
    const struct {
        const char* file;
        double minScore;
        const char* languages;
    } cases[] = {
        {"", 0.90, "jpn+eng"},
        {"[READ]\nMinScore=0.75\nLanguages=eng\n", 0.75, "eng"},
        {"[READ]\nMinScore=1.5\n", 1.0, "jpn+eng"},
        {"[READ]\nMinScore=-2\n", 0.0, "jpn+eng"},
        {"[READ]\nMinScore=high\n", 0.90, "jpn+eng"},
        {"[READ]\nMinScore=0.8x\n", 0.90, "jpn+eng"},
        {"[READ]\nMinScore=nan\n", 0.90, "jpn+eng"},
        {"[READ]\nLanguages=../../etc/passwd\n", 0.90, "jpn+eng"},
        {"[READ]\nLanguages=jpn_vert+eng\n", 0.90, "jpn_vert+eng"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const ReadSettings s = ReadSettings::load(ProfileFile(dir.write("Nomira.ini", c.file)));
        EXPECT_DOUBLE_EQ(s.minScore, c.minScore) << c.file;
        EXPECT_EQ(s.languages, c.languages) << c.file;
    }
}

} // namespace
