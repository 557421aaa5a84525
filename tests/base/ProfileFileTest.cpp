#include "base/ProfileFile.h"

#include "base/FileSystem.h"
#include "support/NonRegularFiles.h"
#include "support/ProfileFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    ProfileFile fileWith(std::string_view content) const {
        return ProfileFile(m_dir.write("test.ini", content));
    }
    std::string content() const { return m_dir.read("test.ini"); }

    TempDir m_dir;
};

TEST_F(ProfileFileTest, SectionsAndKeysMatchWithoutCaseAndTheFirstMatchWins) {
    const ProfileFile f = fileWith(crlfLines({
        "[System]",
        "Margin=5",
        "margin=6",
        "  Spaced Key  =  value with blanks  ",
        "[PATH]",
        "Scan=/a",
        "[SYSTEM]",
        "Margin=7",
        "Late=1",
    }));
    EXPECT_EQ(f.read("SYSTEM", "MARGIN"), "5");
    EXPECT_EQ(f.read("system", "spaced key"), "value with blanks");
    EXPECT_EQ(f.read("path", "scan"), "/a");
    // Keys of a second section of the same name are not seen.
    EXPECT_EQ(f.read("SYSTEM", "Late"), std::nullopt);
    EXPECT_EQ(f.read("NONE", "Margin"), std::nullopt);
    EXPECT_EQ(f.readInt("SYSTEM", "Absent", 42), 42);
    EXPECT_EQ(f.readString("SYSTEM", "Absent", "dflt"), "dflt");
}

TEST_F(ProfileFileTest, SectionNamesAndValuesWithTrailBytesThatLookLikeBrackets) {
    // "ソ" ends in 0x5C, "ー" in 0x5B ("["): neither closes or opens anything.
    const std::string section = sj("表ソー");
    const ProfileFile f = fileWith(crlfLines({"[" + section + "]", "key=" + sj("ソ]表")}));
    EXPECT_EQ(f.read(section, "KEY"), sj("ソ]表"));
    EXPECT_EQ(f.sectionNames(), std::vector<std::string>{section});
    ASSERT_TRUE(f.write(section, "other", sj("ー")));
    EXPECT_EQ(f.read(section, "other"), sj("ー"));
}

TEST_F(ProfileFileTest, EmptyValueIsPresentButReadsTheFallbackThroughReadString) {
    const ProfileFile f = fileWith(crlfLines({"[S]", "Empty=", "Blank=   "}));
    EXPECT_EQ(f.read("S", "Empty"), "");
    EXPECT_EQ(f.read("S", "Blank"), "");
    EXPECT_EQ(f.readString("S", "Empty", "x"), "x");
    EXPECT_EQ(f.readInt("S", "Blank", -1), -1);
}

TEST_F(ProfileFileTest, OneEnclosingPairOfQuotesIsRemoved) {
    const ProfileFile f = fileWith(
        crlfLines({"[S]", "a=\"  x y  \"", "b='q'", "c=\"open", "d=\"\"", "e=\"a\"b\"", "f=\""}));
    EXPECT_EQ(f.read("S", "a"), "  x y  ");
    EXPECT_EQ(f.read("S", "b"), "q");
    EXPECT_EQ(f.read("S", "c"), "\"open");
    EXPECT_EQ(f.read("S", "d"), "");
    EXPECT_EQ(f.read("S", "e"), "a\"b");
    EXPECT_EQ(f.read("S", "f"), "\"");
}

TEST_F(ProfileFileTest, ValuesAreCutToTheBufferWithoutSplittingACharacter) {
    const ProfileFile f = fileWith(crlfLines({"[S]", "v=ab" + sj("表ソ")})); // 6 bytes
    const struct {
        std::size_t buffer;
        std::string out;
    } cases[] = {
        {0, ""},
        {1, ""},
        {3, "ab"},
        {4, "ab"},
        {5, "ab" + sj("表")},
        {6, "ab" + sj("表")},
        {7, "ab" + sj("表ソ")},
        {1024, "ab" + sj("表ソ")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(f.read("S", "v", c.buffer), c.out) << c.buffer;
    }
    const ProfileFile longValue = fileWith(crlfLines({"[S]", "v=" + std::string(5000, 'x')}));
    EXPECT_EQ(longValue.read("S", "v")->size(), 1023u);
}

TEST_F(ProfileFileTest, IntegersParseLikeTheClassicReader) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"12", 12}, {"12a", 12}, {"abc", 0},         {"-7", -7},         {"+3", 3},
        {"  9", 9}, {"-", 0},    {"4294967295", -1}, {"4294967294", -2}, {"2147483648", INT_MIN},
        {"007", 7}, {"1 2", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProfileFile::parseInt(c.text), c.value) << c.text;
        const ProfileFile f = fileWith(crlfLines({"[S]", std::string("n=") + c.text}));
        EXPECT_EQ(f.readInt("S", "n", 99), c.value) << c.text;
    }
}

TEST_F(ProfileFileTest, WriteReplacesTheLineInPlaceAndKeepsEverythingElse) {
    const ProfileFile f =
        fileWith(crlfLines({"; comment", "[S]", "A=1", "b=2", "c=3", "[T]", "b=9"}));
    ASSERT_TRUE(f.write("s", "B", "22"));
    EXPECT_EQ(content(), crlfLines({"; comment", "[S]", "A=1", "B=22", "c=3", "[T]", "b=9"}));
}

TEST_F(ProfileFileTest, WriteAppendsANewKeyToTheEndOfItsSection) {
    const ProfileFile f = fileWith(crlfLines({"[S]", "a=1", "", "[T]", "x=1"}));
    ASSERT_TRUE(f.write("S", "b", "2"));
    ASSERT_TRUE(f.write("T", "y", "2"));
    EXPECT_EQ(content(), crlfLines({"[S]", "a=1", "b=2", "", "[T]", "x=1", "y=2"}));
}

TEST_F(ProfileFileTest, WriteAppendsAMissingSectionAtTheEnd) {
    const ProfileFile f = fileWith(crlfLines({"[S]", "a=1"}));
    ASSERT_TRUE(f.write("NEW", "k", "v"));
    EXPECT_EQ(content(), crlfLines({"[S]", "a=1", "[NEW]", "k=v"}));
}

TEST_F(ProfileFileTest, AFileWithANameAtTheLimitIsRewrittenThroughAShortTemporaryName) {
    for (const std::size_t length : {std::size_t{240}, std::size_t{255}}) {
        TempDir dir;
        const std::string name(length, 'p');
        const ProfileFile f(dir.file(name));
        ASSERT_TRUE(f.write("S", "a", "1")) << length;
        ASSERT_TRUE(f.write("S", "a", "2")) << length;
        EXPECT_EQ(dir.read(name), crlfLines({"[S]", "a=2"}));
        EXPECT_EQ(files::listFolder(dir.path()), std::vector<std::string>{name});
    }
}

TEST_F(ProfileFileTest, NewFilesGetCrlfAndExistingLineEndsArePreserved) {
    const ProfileFile fresh(m_dir.file("fresh.ini"));
    ASSERT_TRUE(fresh.write("S", "a", "1"));
    ASSERT_TRUE(fresh.write("S", "b", "2"));
    EXPECT_EQ(m_dir.read("fresh.ini"), crlfLines({"[S]", "a=1", "b=2"}));

    const ProfileFile lf = fileWith("[S]\na=1\n");
    ASSERT_TRUE(lf.write("S", "a", "3"));
    ASSERT_TRUE(lf.write("S", "b", "4"));
    ASSERT_TRUE(lf.write("T", "c", "5"));
    EXPECT_EQ(content(), "[S]\na=3\nb=4\n[T]\nc=5\n");

    // A CRLF file without a final line end keeps CRLF on every line that follows.
    const ProfileFile noFinal = fileWith("[S]\r\na=1");
    ASSERT_TRUE(noFinal.write("S", "b", "2"));
    ASSERT_TRUE(noFinal.write("T", "c", "3"));
    EXPECT_TRUE(onlyCrlfLineEnds(content())) << content();
    EXPECT_EQ(noFinal.read("S", "a"), "1");
    EXPECT_EQ(noFinal.read("S", "b"), "2");
    EXPECT_EQ(noFinal.read("T", "c"), "3");
}

TEST_F(ProfileFileTest, AWrittenValueHoldsOneLineOnly) {
    const ProfileFile f(m_dir.file("x.ini"));
    ASSERT_TRUE(f.write("S", "a", "first\r\n[S]\r\nb=injected"));
    EXPECT_EQ(f.read("S", "a"), "first");
    EXPECT_EQ(f.read("S", "b"), std::nullopt);
    EXPECT_EQ(f.sectionNames().size(), 1u);
}

TEST_F(ProfileFileTest, BadFilesReadAsAbsentAndNeverCrash) {
    std::string binary;
    for (int i = 0; i < 2048; ++i) {
        binary.push_back(static_cast<char>((i * 37) % 256));
    }
    const std::string cases[] = {
        "",
        binary,
        std::string("[S]\0a=1\n\0\0", 10) + binary,
        "[S]\r\n\x80\xFF\xFD=\xA0\x81\r\n\x81",
        "[S]\r\n" + std::string(100000, 'z'),
        "[S]\r\nb=" + std::string(100000, '\x81'),
        "[S]\r\nz=1", // no final newline
        "[",
        "=\r\n=x\r\n[]\r\n=",
    };
    for (const std::string& c : cases) {
        const ProfileFile f = fileWith(c);
        EXPECT_EQ(f.read("S", "a"), std::nullopt);
        EXPECT_EQ(f.readInt("S", "n", 5), 5);
        EXPECT_EQ(f.readString("S", "t", "d"), "d");
        f.sectionNames();
        f.firstLine(63);
        // A write still works and keeps what was there.
        ASSERT_TRUE(f.write("S", "k", "v"));
        EXPECT_EQ(f.read("S", "k"), "v");
        EXPECT_GE(content().size(), c.size());
    }
    EXPECT_EQ(fileWith("[S]\r\nz=1").readInt("S", "z", 0), 1);
    EXPECT_EQ(ProfileFile(m_dir.file("missing.ini")).read("S", "a"), std::nullopt);
}

TEST_F(ProfileFileTest, AReadOnlyFileIsNotWrittenAndKeepsItsContent) {
    const std::string old = crlfLines({"[S]", "a=1"});
    const ProfileFile f = fileWith(old);
    ASSERT_EQ(::chmod(f.path().c_str(), 0444), 0);
    EXPECT_FALSE(f.write("S", "a", "2"));
    EXPECT_FALSE(f.writeMany("S", {{"a", "2"}, {"b", "3"}}));
    EXPECT_EQ(content(), old);
}

TEST_F(ProfileFileTest, AMissingFolderOrAFolderInPlaceOfTheFileFails) {
    EXPECT_FALSE(ProfileFile(m_dir.file("no/such/folder/x.ini")).write("S", "a", "1"));
    m_dir.mkdir("dir.ini");
    EXPECT_FALSE(ProfileFile(m_dir.file("dir.ini")).write("S", "a", "1"));
    m_dir.write("plain", "file");
    EXPECT_FALSE(ProfileFile(m_dir.file("plain/x.ini")).write("S", "a", "1"));
    EXPECT_EQ(m_dir.read("plain"), "file");
}

TEST_F(ProfileFileTest, AReadOnlyFolderTakesNoFileAndLeavesTheOldOneIntact) {
    const std::string folder = m_dir.mkdir("ro");
    const std::string old = crlfLines({"[S]", "a=1"});
    m_dir.write("ro/x.ini", old);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    if (::access(folder.c_str(), W_OK) == 0) {
        GTEST_SKIP() << "permission bits do not stop this user from writing";
    }
    EXPECT_FALSE(ProfileFile(m_dir.file("ro/x.ini")).write("S", "a", "2"));
    EXPECT_FALSE(ProfileFile(m_dir.file("ro/new.ini")).write("S", "a", "2"));
    EXPECT_EQ(m_dir.read("ro/x.ini"), old);
    EXPECT_FALSE(std::filesystem::exists(m_dir.file("ro/new.ini")));
}

TEST_F(ProfileFileTest, AnUnreadableFileIsNotReplacedByTheNewKeyAlone) {
    const std::string old = crlfLines({"[S]", "a=1"});
    const ProfileFile f = fileWith(old);
    ASSERT_EQ(::chmod(f.path().c_str(), 0200), 0);
    if (::access(f.path().c_str(), R_OK) == 0) {
        GTEST_SKIP() << "permission bits do not stop this user from reading";
    }
    EXPECT_FALSE(f.write("S", "b", "2"));
    ::chmod(f.path().c_str(), 0644);
    EXPECT_EQ(content(), old);
}

TEST_F(ProfileFileTest, WriteManyEqualsSingleWritesAndIsAllOrNothing) {
    const std::string start = crlfLines({"[S]", "a=1", "[T]", "z=0"});
    const ProfileFile one = fileWith(start);
    ASSERT_TRUE(one.write("S", "a", "5"));
    ASSERT_TRUE(one.write("S", "b", "6"));
    ASSERT_TRUE(one.write("S", "A", "7"));
    const std::string expected = content();

    const ProfileFile many = fileWith(start);
    ASSERT_TRUE(many.writeMany("S", {{"a", "5"}, {"b", "6"}, {"A", "7"}}));
    EXPECT_EQ(content(), expected);

    // A bad entry fails the whole write and leaves the file as it was.
    EXPECT_FALSE(many.writeMany("S", {{"c", "1"}, {"", "2"}}));
    EXPECT_EQ(content(), expected);
    EXPECT_FALSE(many.writeMany("", {{"c", "1"}}));
    EXPECT_FALSE(many.writeMany("S", {}));
    EXPECT_EQ(content(), expected);
}

TEST_F(ProfileFileTest, WriteKeepsTheFilePermissionsAndLeavesNoTemporaryFiles) {
    const ProfileFile f = fileWith(crlfLines({"[S]", "a=1"}));
    ASSERT_EQ(::chmod(f.path().c_str(), 0640), 0);
    ASSERT_TRUE(f.write("S", "a", "2"));
    struct stat st {};
    ASSERT_EQ(::stat(f.path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(m_dir.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
}

TEST_F(ProfileFileTest, FirstLineIsReadWithoutItsLineEnd) {
    EXPECT_EQ(fileWith("[ROWINFO]\r\nNAME=a\r\n").firstLine(63), "[ROWINFO]");
    EXPECT_EQ(fileWith("only").firstLine(63), "only");
    EXPECT_EQ(fileWith("").firstLine(63), "");
    EXPECT_EQ(ProfileFile(m_dir.file("none.ini")).firstLine(63), std::nullopt);
    // Characters, not bytes: a double-byte character is never split.
    EXPECT_EQ(fileWith("ab\x82\xA0"
                       "cd\r\n")
                  .firstLine(3),
              "ab\x82\xA0");
    EXPECT_EQ(fileWith("\x82\xA0\x82\xA0\x82\xA0").firstLine(2), "\x82\xA0\x82\xA0");
    EXPECT_EQ(fileWith("abc\r\r\n").firstLine(63), "abc\r");
}

// Rewrites the file in place (same inode) and gives it a modification time of its own.
void rewriteInPlace(const std::string& path, std::string_view content, long nanoseconds) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
    const timespec times[2] = {{1700000000, nanoseconds}, {1700000000, nanoseconds}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

TEST_F(ProfileFileTest, EveryReadSeesTheCurrentContentAndAnUnchangedFileIsParsedOnce) {
    struct Change {
        const char* what;
        std::function<void(const std::string&)> apply;
        const char* margin;
    };
    const std::vector<Change> changes{
        {"same size, same second, other nanoseconds",
         [](const std::string& p) { rewriteInPlace(p, "[S]\r\nMargin=6\r\n", 200); }, "6"},
        {"other size, same second and nanosecond",
         [](const std::string& p) { rewriteInPlace(p, "[S]\r\nMargin=12\r\n", 100); }, "12"},
        {"renamed into place",
         [this](const std::string& p) {
             std::filesystem::rename(m_dir.write("new.ini", "[S]\r\nMargin=7\r\n"), p);
         },
         "7"},
        {"written by the program",
         [](const std::string& p) { ProfileFile(p).write("S", "Margin", "8"); }, "8"},
        {"removed", [](const std::string& p) { std::filesystem::remove(p); }, nullptr},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        const ProfileFile f = fileWith("");
        rewriteInPlace(f.path(), "[S]\r\nMargin=5\r\n", 100);
        for (int i = 0; i < 50; ++i) {
            EXPECT_EQ(f.readInt("S", "Margin", -1), 5);
        }
        EXPECT_EQ(f.sectionNames(), std::vector<std::string>{"S"});
        EXPECT_EQ(f.parseCount(), 1);
        change.apply(f.path());
        EXPECT_EQ(f.read("S", "Margin"),
                  change.margin ? std::optional<std::string>(change.margin) : std::nullopt);
        EXPECT_EQ(f.read("S", "Margin"),
                  change.margin ? std::optional<std::string>(change.margin) : std::nullopt);
        EXPECT_EQ(f.parseCount(), change.margin ? 2 : 1);
    }
}

TEST_F(ProfileFileTest, ParsedLookUpsAgreeWithAScanOfTheText) {
    const std::string content = crlfLines({
        "stray=0",
        "[A]",
        "k=1",
        "K=2",
        "q=\"quoted\"",
        " [ b ] ",
        "x = y = z",
        "[a]",
        "late=1",
        "[C",
        "open=3",
        "[" + sj("ソ") + "]",
        sj("キー") + "=" + sj("値"),
        "=novalue",
        "[B]",
        "x=2",
    });
    const ProfileFile f = fileWith(content);
    const std::vector<std::pair<std::string, std::string>> lookups{
        {"A", "k"},    {"a", "q"}, {"A", "late"}, {"b", "X"}, {"C", "open"}, {sj("ソ"), sj("キー")},
        {"", "stray"}, {"A", ""},  {"none", "k"}, {"B", "x"},
    };
    for (const auto& [section, key] : lookups) {
        for (std::size_t buffer : {std::size_t{0}, std::size_t{2}, ProfileFile::kDefaultBuffer}) {
            EXPECT_EQ(f.read(section, key, buffer),
                      ProfileFile::readFrom(content, section, key, buffer))
                << u8(section) << "/" << u8(key) << " buffer " << buffer;
        }
    }
    EXPECT_EQ(f.parseCount(), 1);
}

TEST_F(ProfileFileTest, ThingsThatAreNotRegularFilesAreNeverReadAndNeverBlock) {
    for (const NonRegularFile& odd : nonRegularFiles(m_dir, "Nomira.ini")) {
        SCOPED_TRACE(odd.label);
        const ProfileFile f(odd.path);
        EXPECT_TRUE(finishesWithoutBlocking(m_dir, [&] {
            EXPECT_EQ(f.read("S", "k"), std::nullopt);
            EXPECT_EQ(f.firstLine(63), std::nullopt);
            EXPECT_TRUE(f.sectionNames().empty());
            EXPECT_FALSE(f.write("S", "k", "v"));
        }));
    }
}

} // namespace
