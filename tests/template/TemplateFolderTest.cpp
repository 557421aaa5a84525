#include "template/TemplateFolder.h"

#include "base/FileSystem.h"
#include "base/ProfileFile.h"
#include "base/ScriptedPrompter.h"
#include "support/ProfileFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

ColumnDef column(std::string name, int type, int digits = 0, int decimals = 0) {
    ColumnDef c;
    c.name = std::move(name);
    c.type = type;
    c.digits = digits;
    c.decimals = decimals;
    return c;
}

// A template whose every value survives a write and a read unchanged.
Template sampleTemplate() {
    Template t;
    t.name = sj("図面台帳");
    t.columns = {column(sj("図番"), 1, 20), column(sj("枚数"), 2, 5), column(sj("縮尺"), 3, 7, 1),
                 column(sj("日付"), 4), column(sj("用紙"), 5)};
    t.columns[0].fileName = true;
    t.columns[0].sourceField = 3;
    t.columns[0].sort1 = 1;
    t.columns[0].alignment = 2;
    t.columns[0].restriction = {1, 2, 3, 0, 1};
    t.columns[1].sort2 = 2;
    t.columns[1].alignment = 1;
    t.columns[3].hidden = true;
    t.columns[4].sourceField = 12;
    t.storageFolder = sj("/data/表ソ/rename");
    t.replaceSpaces = true;
    t.replacementChar = "_";
    t.sortExport = true;
    t.rememberWidths = true;
    t.connector = " ";
    t.docType = sj("設計図");
    return t;
}

class TemplateFolderTest : public ::testing::Test {
protected:
    TemplateFolderTest() : m_folder(m_dir.file("template"), m_dir.path()) {}

    std::string writeFile(const std::string& name, std::initializer_list<std::string_view> lines) {
        return m_dir.write("template/" + name + ".tpl", crlfLines(lines));
    }
    std::optional<Template> readWith(std::initializer_list<std::string_view> lines) {
        writeFile("t", lines);
        return m_folder.readTemplate("t");
    }

    TempDir m_dir;
    TemplateFolder m_folder;
    ScriptedPrompter m_prompter;
};

TEST_F(TemplateFolderTest, AWrittenTemplateReadsBackUnchanged) {
    const Template t = sampleTemplate();
    ASSERT_TRUE(m_folder.writeTemplate(t, m_prompter));
    EXPECT_TRUE(m_prompter.shown().empty());
    const auto back = m_folder.readTemplate(t.name);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, t);
    EXPECT_TRUE(m_folder.isTemplateFile(t.name));
}

TEST_F(TemplateFolderTest, TheFileHoldsTheKeysInTheirOrderAndForm) {
    ASSERT_TRUE(m_folder.writeTemplate(sampleTemplate(), m_prompter));
    const std::string content = m_dir.read(sj("template/図面台帳.tpl"));
    EXPECT_EQ(content.substr(0, 11), "[ROWINFO]\r\n");
    EXPECT_TRUE(onlyCrlfLineEnds(content));
    EXPECT_EQ(keysOfSection(content, "ROWINFO"),
              (std::vector<std::string>{"NAME", "TYPE", "LOAD", "FILENAME", "SORT1", "SORT2",
                                        "DISP", "OUTPUTPATH", "REPLACE", "REPLACECHAR",
                                        "SORTEXPORT", "MEMORYROWWIDTH", "CONNECTION", "BEAMS1",
                                        "BEAMS2", "ALIGMENT", "TEXTRESTTICTION", "DOCTYPE"}));
    const ProfileFile f(m_folder.pathOf(sj("図面台帳")));
    EXPECT_EQ(f.read("ROWINFO", "NAME"), sj("図番\t枚数\t縮尺\t日付\t用紙")); // last tab trimmed
    EXPECT_EQ(f.read("ROWINFO", "TYPE"), "1,2,3,4,5,");
    EXPECT_EQ(f.read("ROWINFO", "LOAD"), "3,0,0,0,12,");
    EXPECT_EQ(f.read("ROWINFO", "FILENAME"), "1,0,0,0,0,");
    EXPECT_EQ(f.read("ROWINFO", "SORT1"), "1,0,0,0,0,");
    EXPECT_EQ(f.read("ROWINFO", "SORT2"), "0,2,0,0,0,");
    EXPECT_EQ(f.read("ROWINFO", "DISP"), "0,0,0,1,0,");
    EXPECT_EQ(f.read("ROWINFO", "CONNECTION"), "SP");
    EXPECT_EQ(f.read("ROWINFO", "BEAMS1"), "20,5,7,");
    EXPECT_EQ(f.read("ROWINFO", "BEAMS2"), "0,0,1,");
    EXPECT_EQ(f.read("ROWINFO", "ALIGMENT"), "2,1,0,0,0,");
    EXPECT_EQ(f.read("ROWINFO", "TEXTRESTTICTION"), "1.2.3.0.1.,0.0.0.0.0.,0.0.0.0.0.,0.0.0.0.0.,"
                                                    "0.0.0.0.0.,");
    EXPECT_EQ(f.read("ROWINFO", "ROWWIDTH"), std::nullopt);
}

TEST_F(TemplateFolderTest, UnsetAndOutOfRangeValuesAreWrittenAsTheirDefaults) {
    Template t;
    t.name = "defaults";
    t.columns = {column("text", 1, 0), column("int", 2, 12), column("real", 3, 0, 0),
                 column("date", 4, 8, 1)};
    t.columns[0].alignment = 3;
    t.columns[1].alignment = -1;
    t.replaceSpaces = false;
    t.replacementChar = "_";
    ASSERT_TRUE(m_folder.writeTemplate(t, m_prompter));
    const ProfileFile f(m_folder.pathOf("defaults"));
    EXPECT_EQ(f.read("ROWINFO", "BEAMS1"), "100,9,9,");
    EXPECT_EQ(f.read("ROWINFO", "BEAMS2"), "0,0,2,");
    EXPECT_EQ(f.read("ROWINFO", "ALIGMENT"), "0,0,0,0,");
    EXPECT_EQ(f.read("ROWINFO", "REPLACECHAR"), "");
    EXPECT_EQ(f.read("ROWINFO", "CONNECTION"), "");
    EXPECT_EQ(f.read("ROWINFO", "REPLACE"), "0");
}

TEST_F(TemplateFolderTest, ListValuesAreSplitAsTheFormatSays) {
    const auto t = readWith({"[ROWINFO]", "NAME=a\tb\tc\t", "TYPE=4,1,", "LOAD=5,",
                             "FILENAME=", "SORT1=0,1,", "SORT2=", "REPLACE=1", "BEAMS1=30,",
                             "BEAMS2=0,", "TEXTRESTTICTION=0.0.0.0.0.,3.1.2.0.0.,"});
    ASSERT_TRUE(t);
    ASSERT_EQ(t->columns.size(), 2u); // two TYPE codes: the third name is dropped
    EXPECT_EQ(t->columns[0].name, "a");
    EXPECT_EQ(t->columns[1].name, "b");
    EXPECT_EQ(t->columns[0].sourceField, 5);
    EXPECT_EQ(t->columns[1].sourceField, 0); // missing elements count as 0
    EXPECT_EQ(t->columns[1].sort1, 1);
    EXPECT_EQ(t->columns[0].digits, 0); // BEAMS1 holds elements only for columns with digits
    EXPECT_EQ(t->columns[1].digits, 30);
    EXPECT_EQ(t->columns[1].restriction, (std::array<int, 5>{3, 1, 2, 0, 0}));
    EXPECT_FALSE(t->columns[0].hidden); // DISP absent: all shown
    EXPECT_FALSE(t->columns[1].hidden);
    EXPECT_EQ(t->replacementChar, "-"); // REPLACECHAR absent
    EXPECT_EQ(t->connector, "");
    EXPECT_EQ(t->storageFolder, m_dir.path() + "/");
    EXPECT_TRUE(t->widths.empty());

    const struct {
        const char* types;
        const char* names;
        std::vector<std::string> expected;
    } cases[] = {
        {"1,2", "a\tb\t", {"a"}},           // text after the last comma is ignored
        {"1,1,1,", "x\ty", {"x", "y", ""}}, // a last name without a tab counts
        {"", "a\t", {}},
        {"1,", "", {""}},
    };
    for (const auto& c : cases) {
        const auto r =
            readWith({"[ROWINFO]", std::string("NAME=") + c.names, std::string("TYPE=") + c.types,
                      "LOAD=", "FILENAME=", "SORT1=", "SORT2=", "REPLACE=0"});
        ASSERT_TRUE(r) << c.types;
        std::vector<std::string> names;
        for (const ColumnDef& col : r->columns) {
            names.push_back(col.name);
        }
        EXPECT_EQ(names, c.expected) << c.types;
    }
}

TEST_F(TemplateFolderTest, DetailValuesAreReadAsTheyStandAndWrittenInTheirForm) {
    const auto t =
        readWith({"[ROWINFO]", "NAME=a\tb\tc\td\t", "TYPE=1,1,2,3,",
                  "LOAD=", "FILENAME=", "SORT1=", "SORT2=", "REPLACE=0", "BEAMS1=150,0,12,11,",
                  "BEAMS2=0,0,0,4,", "TEXTRESTTICTION=1.1.,02.0.1.0.3,abc,,"});
    ASSERT_TRUE(t);
    ASSERT_EQ(t->columns.size(), 4u);
    EXPECT_EQ(t->columns[0].malformedRestriction, "1.1.");
    EXPECT_EQ(t->columns[1].malformedRestriction, std::nullopt);
    EXPECT_EQ(t->columns[1].restriction, (std::array<int, 5>{2, 0, 1, 0, 3}));
    EXPECT_EQ(t->columns[2].malformedRestriction, "abc");
    EXPECT_EQ(t->columns[3].malformedRestriction, "");
    EXPECT_EQ(t->columns[2].digits, 12);
    EXPECT_EQ(t->columns[3].decimals, 4);
    // The writer limits the number digits and puts the codes into their form; a group that gives
    // no five codes is written back as it stands, so that it still fails every value.
    Template copy = *t;
    copy.name = "copy";
    ASSERT_TRUE(m_folder.writeTemplate(copy, m_prompter));
    const ProfileFile f(m_folder.pathOf("copy"));
    EXPECT_EQ(f.read("ROWINFO", "BEAMS1"), "150,100,9,9,");
    EXPECT_EQ(f.read("ROWINFO", "BEAMS2"), "0,0,0,4,");
    EXPECT_EQ(f.read("ROWINFO", "TEXTRESTTICTION"), "1.1.,2.0.1.0.3.,abc,,");
    const auto back = m_folder.readTemplate("copy");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->columns[0].malformedRestriction, "1.1.");
    EXPECT_EQ(back->columns[3].malformedRestriction, "");
}

TEST_F(TemplateFolderTest, OptionalKeysPresentWithEmptyOrSpecialValues) {
    const auto t =
        readWith({"[ROWINFO]", "NAME=a\t", "TYPE=1,", "LOAD=1,", "FILENAME=1,", "SORT1=0,",
                  "SORT2=0,", "DISP=1,", "REPLACE=1", "REPLACECHAR=", "CONNECTION=SP",
                  "OUTPUTPATH=/out", "ROWWIDTH=1200,800,5", "MEMORYROWWIDTH=1", "SORTEXPORT=2"});
    ASSERT_TRUE(t);
    EXPECT_EQ(t->replacementChar, "");
    EXPECT_EQ(t->connector, " ");
    EXPECT_TRUE(t->columns[0].hidden);
    EXPECT_EQ(t->storageFolder, "/out");
    EXPECT_EQ(t->widths, (std::vector<int>{1200, 800}));
    EXPECT_TRUE(t->rememberWidths);
    EXPECT_FALSE(t->sortExport);
}

TEST_F(TemplateFolderTest, ARequiredKeyMissingGivesNothing) {
    const std::vector<std::string> all{"NAME=a\t", "TYPE=1,",  "LOAD=1,",  "FILENAME=1,",
                                       "SORT1=0,", "SORT2=0,", "REPLACE=0"};
    for (std::size_t skip = 0; skip < all.size(); ++skip) {
        std::string content = "[ROWINFO]\r\n";
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (i != skip) {
                content += all[i] + "\r\n";
            }
        }
        m_dir.write("template/t.tpl", content);
        EXPECT_FALSE(m_folder.readTemplate("t")) << all[skip];
    }
    EXPECT_FALSE(m_folder.readTemplate("missing"));
}

TEST_F(TemplateFolderTest, BadFilesAreRefusedWithoutCrashing) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary.push_back(static_cast<char>((i * 131 + 7) % 256));
    }
    const std::string required = "NAME=a\t\r\nTYPE=1,\r\nLOAD=1,\r\nFILENAME=1,\r\nSORT1=0,\r\n"
                                 "SORT2=0,\r\n";
    const std::string cases[] = {
        "",
        binary,
        std::string("[ROWINFO]\r\n\0\0NAME=a\r\n", 21) + binary,
        // The first ROWINFO section lacks REPLACE; the second one is never consulted.
        "[ROWINFO]\r\n" + required + "[ROWINFO]\r\nREPLACE=1\r\n",
    };
    for (const std::string& c : cases) {
        m_dir.write("template/bad.tpl", c);
        EXPECT_FALSE(m_folder.readTemplate("bad"));
        EXPECT_TRUE(m_folder.columnCountFits("bad", 300, m_prompter));
    }
    // Values are read with the large buffer and not-cp932 bytes are kept as they are.
    m_dir.write("template/odd.tpl", "[ROWINFO]\r\n" + required + "REPLACE=0\r\nDOCTYPE=\x80\xFF" +
                                        std::string(100000, 'x') + "\r\n");
    const auto odd = m_folder.readTemplate("odd");
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->docType.size(), 65535u);
    EXPECT_EQ(odd->docType.substr(0, 2), "\x80\xFF");
}

TEST_F(TemplateFolderTest, OnlyFilesWhoseFirstLineIsRowinfoAreTemplates) {
    m_dir.write("template/A.tpl", "[rowinfo]  \r\nNAME=a\t\r\n");
    m_dir.write("template/B.TPL", "; comment\r\n[ROWINFO]\r\nNAME=a\t\r\n");
    m_dir.write("template/C.tpl", "");
    m_dir.write("template/D.txt", "[ROWINFO]\r\n");
    m_dir.write("template/.tpl", "[ROWINFO]\r\n");
    m_dir.write("template/E.tpl", " \t[ROWINFO]");
    m_dir.write("template/F.tpl", std::string("\0\xFF[ROWINFO]", 11));
    m_dir.mkdir("template/G.tpl");
    // Only the first 63 characters of the line count.
    m_dir.write("template/H.tpl", "[ROWINFO]" + std::string(54, ' ') + "x\r\n");
    m_dir.write("template/I.tpl", "[ROWINFO]" + std::string(53, ' ') + "x\r\n");
    m_dir.write("template/J.tpl", "[ROWINFO]" + std::string(200, ' ') + "\r\n");
    EXPECT_EQ(m_folder.listTemplateNames(),
              (std::vector<std::string>{"A", "B", "C", "E", "F", "H", "I", "J"}));
    const struct {
        const char* name;
        bool isTemplate;
    } cases[] = {{"A", true},  {"a", true},  {"B", false},      {"C", false},
                 {"E", true},  {"F", false}, {"G", false},      {"H", true},
                 {"I", false}, {"J", true},  {"missing", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(m_folder.isTemplateFile(c.name), c.isTemplate) << c.name;
    }
    EXPECT_TRUE(TemplateFolder(m_dir.file("none"), m_dir.path()).listTemplateNames().empty());
}

// The check never reads on: a file that does not end (a pipe whose writer holds it open until the
// check has answered) is decided at once, and, being no regular file, is no template.
TEST_F(TemplateFolderTest, TheFirstLineCheckDoesNotReadTheRestOfTheFile) {
    const std::string pipe = m_dir.file("endless.tpl");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    std::promise<void> answered;
    std::future<void> answer = answered.get_future();
    bool waitedOut = false;
    std::thread writer([&] {
        // Open for reading too, so that neither side waits for the other to open.
        const int fd = ::open(pipe.c_str(), O_RDWR);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, "[ROWINFO]\r\nNAME=", 16), 16);
        waitedOut = answer.wait_for(std::chrono::seconds(5)) == std::future_status::timeout;
        ::close(fd);
    });
    EXPECT_FALSE(TemplateFolder::isTemplateFileAt(pipe));
    answered.set_value();
    writer.join();
    EXPECT_FALSE(waitedOut) << "the check read on to the end of the file";
}

TEST_F(TemplateFolderTest, NamesMatchExistingFilesWithoutRegardToCase) {
    writeFile("plan", {"[ROWINFO]", "NAME=old\t", "TYPE=1,", "LOAD=0,", "FILENAME=1,", "SORT1=0,",
                       "SORT2=0,", "REPLACE=0"});
    ASSERT_TRUE(m_folder.readTemplate("PLAN"));
    Template t = sampleTemplate();
    t.name = "Plan";
    ASSERT_TRUE(m_folder.writeTemplate(t, m_prompter));
    EXPECT_EQ(m_folder.listTemplateNames(), std::vector<std::string>{"plan"});
    EXPECT_EQ(m_folder.readTemplate("plan")->columns.size(), 5u);
}

TEST_F(TemplateFolderTest, APathOf256BytesOrMoreIsRefused) {
    // folder + "/" + 20-byte name + ".tpl": 255 bytes are fine, 256 are not.
    const std::string name = sj("図面図面図面図面図面"); // 20 bytes
    for (const std::size_t folderBytes : {230u, 231u}) {
        const std::size_t pad = folderBytes - m_dir.path().size() - 1;
        const std::string deep =
            m_dir.mkdir(std::string(pad - 120, 'd') + "/" + std::string(119, 'e'));
        ASSERT_EQ(deep.size(), folderBytes);
        TemplateFolder folder(deep, m_dir.path());
        Template t = sampleTemplate();
        t.name = name;
        ScriptedPrompter prompter;
        const bool fits = folderBytes + 1 + name.size() + 4 < 256;
        EXPECT_EQ(folder.writeTemplate(t, prompter), fits) << folderBytes;
        EXPECT_EQ(files::exists(folder.pathOf(name)), fits);
        if (!fits) {
            ASSERT_EQ(prompter.shown().size(), 1u);
            EXPECT_EQ(prompter.shown()[0].text, sj("ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙのﾊﾟｽが255ﾊﾞｲﾄを超過しています。"));
            EXPECT_EQ(prompter.shown()[0].caption, sj("警告"));
            EXPECT_FALSE(folder.saveColumnWidths(name, {1}, prompter));
            ASSERT_EQ(prompter.shown().size(), 2u);
            EXPECT_EQ(prompter.shown()[1].text, sj("ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙのﾊﾟｽが255ﾊﾞｲﾄを超過しています。"));
        }
    }
}

TEST_F(TemplateFolderTest, AFolderThatCannotBeCreatedIsReported) {
    m_dir.write("file", "x");
    TemplateFolder folder(m_dir.file("file/template"), m_dir.path());
    EXPECT_FALSE(folder.writeTemplate(sampleTemplate(), m_prompter));
    EXPECT_FALSE(folder.saveColumnWidths("a", {1}, m_prompter));
    ASSERT_EQ(m_prompter.shown().size(), 2u);
    for (const auto& shown : m_prompter.shown()) {
        EXPECT_EQ(shown.text, sj("ﾌｫﾙﾀﾞの作成に失敗しました。"));
        EXPECT_EQ(shown.caption, sj("警告"));
        EXPECT_EQ(shown.icon, Icon::Warning);
    }
}

TEST_F(TemplateFolderTest, WritingCreatesTheTemplateFolder) {
    EXPECT_FALSE(files::exists(m_folder.folder()));
    ASSERT_TRUE(m_folder.writeTemplate(sampleTemplate(), m_prompter));
    EXPECT_TRUE(files::isDirectory(m_folder.folder()));
}

TEST_F(TemplateFolderTest, ColumnWidthsAreSavedOnlyIntoAnExistingFile) {
    EXPECT_FALSE(m_folder.saveColumnWidths("missing", {100, 200}, m_prompter));
    EXPECT_FALSE(files::exists(m_folder.pathOf("missing")));
    EXPECT_TRUE(m_prompter.shown().empty());

    const Template t = sampleTemplate();
    ASSERT_TRUE(m_folder.writeTemplate(t, m_prompter));
    ASSERT_TRUE(m_folder.saveColumnWidths(t.name, {1440, 0, 975, 10, 20}, m_prompter));
    EXPECT_EQ(ProfileFile(m_folder.pathOf(t.name)).read("ROWINFO", "ROWWIDTH"),
              "1440,0,975,10,20,");
    auto back = m_folder.readTemplate(t.name);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->widths, (std::vector<int>{1440, 0, 975, 10, 20}));
    // A later save of the template keeps the stored widths.
    ASSERT_TRUE(m_folder.writeTemplate(t, m_prompter));
    EXPECT_EQ(m_folder.readTemplate(t.name)->widths.size(), 5u);
}

TEST_F(TemplateFolderTest, ColumnCountIsCheckedAgainstCsvRowNum) {
    std::string names;
    for (int i = 0; i < 301; ++i) {
        names += "C" + std::to_string(i) + "\t";
    }
    writeFile("wide", {"[ROWINFO]", "NAME=" + names});
    writeFile("nonames", {"[ROWINFO]", "TYPE=1,"});
    EXPECT_TRUE(m_folder.columnCountFits("nonames", 300, m_prompter));
    EXPECT_TRUE(m_folder.columnCountFits("missing", 300, m_prompter));
    EXPECT_TRUE(m_folder.columnCountFits("wide", 301, m_prompter));
    EXPECT_TRUE(m_prompter.shown().empty());
    EXPECT_FALSE(m_folder.columnCountFits("wide", 300, m_prompter));
    ASSERT_EQ(m_prompter.shown().size(), 1u);
    EXPECT_EQ(m_prompter.shown()[0].text,
              sj("指定したﾃﾝﾌﾟﾚｰﾄの列数が最大列数(上限値300)を超過したため、読み込めません。\n\r"
                 "INIﾌｧｲﾙの設定値を変更した後、再起動してください。"));
    EXPECT_EQ(m_prompter.shown()[0].caption, sj("警告"));
}

// A template that was read is applied only when it can make file names: not too many columns,
// and a replacement character (while spaces are replaced) and a connector of at most one
// single-byte character, as a file edited by hand may break them.
TEST_F(TemplateFolderTest, ATemplateIsUsableOnlyWithValuesThatMakeSoundNames) {
    const std::optional<Msg> fine;
    const struct {
        const char* replace;
        std::string replaceChar;
        std::string connection;
        int csvRowNum;
        std::optional<Msg> refusal;
    } cases[] = {
        {"1", "_", "-", 300, fine},
        {"1", "", "SP", 300, fine}, // blanks removed; a blank connector
        {"1", sj("ｰ"), sj("ｱ"), 300, fine},
        {"1", "/", "*", 300, fine},     // names turn them full-width
        {"0", sj("あ"), "", 300, fine}, // not used while spaces are kept
        {"1", "_", "", 0, Msg::TemplateTooManyColumns},
        {"1", sj("あ"), "", 300, Msg::TemplateBadReplacementChar},
        {"1", "--", "", 300, Msg::TemplateBadReplacementChar},
        {"1", "\x81", "", 300, Msg::TemplateBadReplacementChar}, // a lone lead byte
        {"1", "\x01", "", 300, Msg::TemplateBadReplacementChar},
        {"1", sj("あ"), sj("い"), 0, Msg::TemplateTooManyColumns},
        {"0", "", sj("い"), 300, Msg::TemplateBadConnector},
        {"0", "", "ab", 300, Msg::TemplateBadConnector},
        {"1", sj("あ"), "ab", 300, Msg::TemplateBadReplacementChar},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(u8(c.replaceChar) + " / " + u8(c.connection));
        const auto t = readWith({"[ROWINFO]", "NAME=a\t", "TYPE=1,", "LOAD=1,", "FILENAME=1,",
                                 "SORT1=0,", "SORT2=0,", std::string("REPLACE=") + c.replace,
                                 "REPLACECHAR=" + c.replaceChar, "CONNECTION=" + c.connection});
        ASSERT_TRUE(t);
        ScriptedPrompter prompter;
        EXPECT_EQ(TemplateFolder::usable(*t, c.csvRowNum, prompter), !c.refusal);
        ASSERT_EQ(prompter.shown().size(), c.refusal ? 1u : 0u);
        if (c.refusal) {
            EXPECT_EQ(prompter.shown()[0].text, message(*c.refusal).text);
            EXPECT_EQ(prompter.shown()[0].caption, sj("警告"));
        }
    }
    EXPECT_EQ(u8(message(Msg::TemplateBadReplacementChar).text),
              "ﾃﾝﾌﾟﾚｰﾄの置換文字(REPLACECHAR)が半角1文字ではないため、読み込めません。\r\n"
              "ﾃﾝﾌﾟﾚｰﾄ編集で置換文字を指定し直してください。");
}

TEST_F(TemplateFolderTest, AFailedWriteLeavesTheOldFile) {
    const Template t = sampleTemplate();
    ASSERT_TRUE(m_folder.writeTemplate(t, m_prompter));
    const std::string path = m_folder.pathOf(t.name);
    const std::string old = *files::readAll(path);
    ASSERT_EQ(::chmod(files::native(path).c_str(), 0444), 0);
    Template changed = t;
    changed.columns.pop_back();
    EXPECT_FALSE(m_folder.writeTemplate(changed, m_prompter));
    EXPECT_EQ(files::readAll(path), old);
    EXPECT_FALSE(m_folder.saveColumnWidths(t.name, {1, 2}, m_prompter));
    EXPECT_EQ(files::readAll(path), old);
    EXPECT_TRUE(m_prompter.shown().empty());
}

TEST_F(TemplateFolderTest, AWriteIntoAReadOnlyFolderLeavesNoFile) {
    const Template t = sampleTemplate();
    ASSERT_TRUE(m_folder.writeTemplate(t, m_prompter));
    ASSERT_EQ(::chmod(m_folder.folder().c_str(), 0555), 0);
    if (::access(m_folder.folder().c_str(), W_OK) == 0) {
        GTEST_SKIP() << "permission bits do not stop this user from writing";
    }
    Template other = t;
    other.name = "other";
    EXPECT_FALSE(m_folder.writeTemplate(other, m_prompter));
    EXPECT_FALSE(files::exists(m_folder.pathOf("other")));
    EXPECT_EQ(files::listFolder(m_folder.folder()).size(), 1u);
}

} // namespace
