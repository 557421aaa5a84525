#include "execute/RenameName.h"
#include "base/CellGrid.h"
#include "execute/AssignedPaperSize.h"
#include "renamelist/RenameList.h"
#include "support/ImageFixtures.h"
#include "support/ScanFixtures.h"
#include "support/TempDir.h"
#include "template/Template.h"

#include <gtest/gtest.h>

namespace {

ColumnDef column(int type, bool fileName, int digits = 0, int decimals = 0, int alignment = 0) {
    ColumnDef c;
    c.type = type;
    c.fileName = fileName;
    c.digits = digits;
    c.decimals = decimals;
    c.alignment = alignment;
    return c;
}

struct NameCase {
    const char* what;
    std::vector<ColumnDef> columns;
    std::vector<std::string> values; // UTF-8, one per column
    std::string connector;
    bool replaceSpaces;
    std::string replacement;
    int exportType;
    std::string expected; // UTF-8
};

TEST(RenameNameTest, FileNameColumnsAreFormattedByTypeAndAlignmentThenJoined) {
    const NameCase cases[] = {
        {"text padded after to its characters",
         {column(1, true, 5, 0, 1)},
         {"図A"},
         "",
         false,
         "",
         0,
         "図A   "},
        {"text padded before", {column(1, true, 4, 0, 2)}, {"ab"}, "", false, "", 0, "  ab"},
        {"integer zero-filled, trimmed",
         {column(2, true, 5, 0, 3)},
         {" 42 "},
         "",
         false,
         "",
         0,
         "00042"},
        {"a value longer than the width stays whole",
         {column(2, true, 2, 0, 3)},
         {"12345"},
         "",
         false,
         "",
         0,
         "12345"},
        {"real zero-filled on its integer part",
         {column(3, true, 3, 2, 3)},
         {"1.5"},
         "",
         false,
         "",
         0,
         "001.5"},
        {"real padded to digits + decimals + point",
         {column(3, true, 3, 2, 2)},
         {"1.5"},
         "",
         false,
         "",
         0,
         "   1.5"},
        {"date YYYYMMDD and YYMMDD",
         {column(4, true), column(4, true, 0, 0, 1)},
         {"2008/09/05", "2008/09/05"},
         "-",
         false,
         "",
         0,
         "20080905-080905"},
        {"paper size as it is, other columns left out",
         {column(5, true), column(1, false), column(1, true)},
         {"A4 縦", "x", "b"},
         "_",
         false,
         "",
         0,
         "A4 縦_b"},
        {"no connector after the last column's value",
         {column(1, true), column(1, true)},
         {"a", "b"},
         "-",
         false,
         "",
         0,
         "a-b"},
        {"a trailing connector stays when the last column is no file-name column",
         {column(1, true), column(1, false)},
         {"a", "b"},
         "-",
         false,
         "",
         0,
         "a-"},
        {"blanks replaced", {column(1, true)}, {"a b c"}, "", true, "_", 0, "a_b_c"},
        {"no replacement character: blanks stay",
         {column(1, true)},
         {"a b"},
         "",
         true,
         "",
         0,
         "a b"},
        {"forbidden characters become full-width",
         {column(1, true)},
         {"a/b:c?"},
         "",
         false,
         "",
         0,
         "a／b：c？"},
        {"agent export drops leading blanks",
         {column(1, true, 4, 0, 2)},
         {"ab"},
         "",
         false,
         "",
         2,
         "ab"},
        {"an empty value is empty whatever its alignment",
         {column(2, true, 3, 0, 3)},
         {""},
         "",
         false,
         "",
         0,
         ""},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.what);
        Template t;
        t.columns = c.columns;
        t.connector = c.connector;
        t.replaceSpaces = c.replaceSpaces;
        t.replacementChar = c.replacement;
        CellGrid grid;
        RenameList list(grid);
        list.applyTemplate(t);
        for (std::size_t k = 0; k < c.values.size(); ++k) {
            list.setValid(1, static_cast<int>(k), sj(c.values[k]));
        }
        EXPECT_EQ(u8(RenameName::forCheck(list, t, 1, c.exportType)), c.expected);
    }
}

TEST(AssignedPaperSizeTest, TiffJpegAndPdfAreMeasuredEverythingElseIsUnfixed) {
    TempDir tmp;
    const std::string a3 = tmp.path() + "/scan.TIFF";
    ScanFixtures::writeBilevelTiffMm(a3, 420, 297, 200);
    ScanFixtures::writeJpeg(tmp.path() + "/photo.jpeg", 827, 1169, 100);
    ImageFixtures::writePdf(tmp.path() + "/doc.pdf", 2, 595.0, 842.0);
    ImageFixtures::writeTruncatedCopy(a3, tmp.path() + "/cut.tif", 40);
    tmp.write("plot.plt", "IN;SP1;PU0,0;PD100,100;");
    const struct {
        const char* file;
        const char* expected;
    } cases[] = {
        {"scan.TIFF", "A3 横 (幅 420mm×高さ 297mm)"},
        {"photo.jpeg", "A4 縦 (幅 210mm×高さ 297mm)"},
        {"doc.pdf", "A4 縦 (幅 210mm×高さ 297mm)"},
        {"cut.tif", "不定形"},
        {"plot.plt", "不定形"},
        {"missing.tif", "不定形"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(u8(AssignedPaperSize::of(tmp.path() + "/" + c.file, 12, 96)), c.expected)
            << c.file;
    }
}

} // namespace
