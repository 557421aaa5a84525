#include "RenameListRig.h"

#include "renamelist/ListCopy.h"
#include "renamelist/WorkDataFile.h"

#include <gtest/gtest.h>

namespace {

TEST(WorkDataFileTest, SectionsFollowTheAssignmentOrderAndCountTheirImages) {
    const struct {
        const char* what;
        std::vector<CAssignInfo> records;
        std::string expected;
    } cases[] = {
        {"rows 5 and 7 assigned in the order a, c, b",
         {{"5", "a.tif", 1, 1}, {"7", "c.tif", 1, 1}, {"5", "b.tif", 2, 0}},
         "[PATH]\r\nTEMPLATE=job.tpl\r\nCSV=list.csv\r\nIMAGE=/scans\r\n"
         "[5]\r\nNUM=2\r\n1=a.tif\r\n1-PREV=1\r\n2=b.tif\r\n2-PREV=0\r\n"
         "[7]\r\nNUM=1\r\n1=c.tif\r\n1-PREV=1\r\n[INFO]\r\nBIBLIONUM=5,7,\r\n"},
        {"no assignments",
         {},
         "[PATH]\r\nTEMPLATE=job.tpl\r\nCSV=list.csv\r\nIMAGE=/scans\r\n[INFO]\r\nBIBLIONUM=\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WorkDataFile::compose({"job.tpl", "list.csv", "/scans", c.records}), c.expected)
            << c.what;
    }
}

TEST(WorkDataFileTest, ReadingTakesTheNamedSectionsOnceAndSkipsWhatIsMissing) {
    TempDir tmp;
    const std::string path = tmp.write("w.edd", "[PATH]\r\nTEMPLATE=job.tpl\r\nCSV=l.csv\r\n"
                                                "[5]\r\nNUM=3\r\n1=a.tif\r\n3=c.tif\r\n3-PREV=0\r\n"
                                                "[7]\r\n1=x.tif\r\n[9]\r\nNUM=1\r\n1=z.tif\r\n"
                                                "[INFO]\r\nBIBLIONUM=5,7,,5,8,9\r\n");
    const auto c = WorkDataFile::read(path);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->templateFile, "job.tpl");
    EXPECT_EQ(c->imageFolder, "");
    EXPECT_EQ(c->records, (std::vector<CAssignInfo>{
                              {"5", "a.tif", 1, 1}, {"5", "c.tif", 2, 0}, {"9", "z.tif", 1, 1}}));
    EXPECT_FALSE(WorkDataFile::read(tmp.path() + "/none.edd"));
}

TEST(WorkDataFileTest, ReadingTakesTheNumberedKeysUpToNumThatAreThere) {
    const struct {
        const char* what;
        const char* section;
        std::vector<std::string> files;
    } cases[] = {
        {"a NUM of two billion costs only the keys present",
         "NUM=2147483647\r\n1=a.tif\r\n2000000000=c.tif\r\n5=b.tif\r\n",
         {"a.tif", "b.tif", "c.tif"}},
        {"keys above NUM are left",
         "NUM=2\r\n3=c.tif\r\n2=b.tif\r\n1=a.tif\r\n",
         {"a.tif", "b.tif"}},
        {"a key spelt with a leading zero is another key",
         "NUM=2\r\n02=x.tif\r\n2=b.tif\r\n",
         {"b.tif"}},
        {"a key named twice counts once, the first wins",
         "NUM=1\r\n1=a.tif\r\n1=z.tif\r\n",
         {"a.tif"}},
        {"a negative NUM restores nothing", "NUM=-5\r\n1=a.tif\r\n", {}},
    };
    for (const auto& c : cases) {
        TempDir tmp;
        const auto content = WorkDataFile::read(
            tmp.write("w.edd", std::string("[3]\r\n") + c.section + "[INFO]\r\nBIBLIONUM=3,\r\n"));
        ASSERT_TRUE(content) << c.what;
        std::vector<std::string> files;
        for (const CAssignInfo& r : content->records) {
            files.push_back(r.fileName);
            EXPECT_EQ(r.page, static_cast<int>(files.size())) << c.what;
        }
        EXPECT_EQ(files, c.files) << c.what;
    }
}

TEST(ListCopyTest, RowsUpToTheLastWithDataAreWrittenQuotedByType) {
    RenameListRig rig(testTemplate({testColumn("t", 1, 1), testColumn("i", 2, 2),
                                    testColumn("d", 4, 3), testColumn("p", 5, 4)}));
    EXPECT_EQ(ListCopy::compose(rig.list), "");
    rig.list.setValid(3, 0, "a,b");
    rig.list.setValid(3, 1, " 42 ");
    rig.list.setValid(3, 2, "2008/09/05");
    rig.list.setValid(3, 3, "A4");
    EXPECT_EQ(ListCopy::compose(rig.list),
              "\"\",,,\"\"\r\n\"\",,,\"\"\r\n\"a,b\",42,2008/09/05,\"A4\"\r\n");

    // Read back in work data mode, every value comes back as it was (the number trimmed).
    const std::string path = rig.dir.write("copy.csv", ListCopy::compose(rig.list));
    rig.list.clearData();
    ASSERT_TRUE(rig.loader.LoadRenameList(path, true));
    EXPECT_EQ(rig.list.cellText(3, 0), "a,b");
    EXPECT_EQ(rig.list.cellText(3, 1), "42");
    EXPECT_EQ(rig.list.cellText(3, 2), "2008/09/05");
    EXPECT_EQ(rig.list.cellText(3, 3), "A4");
    EXPECT_EQ(rig.list.cellText(1, 0), "");
    EXPECT_EQ(rig.list.cellText(1, 2), "");
    EXPECT_EQ(rig.list.lastDataRow(), 3);
}

} // namespace
