#include "image/PageSelection.h"
#include "image/ImageTypeDetector.h"
#include "image/PreviewNaming.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(PageSelection, PagesToPreviewFollowPrevPageAndTheList) {
    using Pages = std::vector<int>;
    struct Case {
        int prevPage;
        const char* list;
        int pageCount;
        Pages expected;
    } cases[] = {
        {2, "3,5-4", 6, {3, 4, 5}},
        {2, "3,5-4", 2, {1}},
        {2, "", 3, {1}},
        {1, "3", 4, {1}},
        {0, "3", 3, {1, 2, 3}},
        {7, "", 2, {1, 2}},
        {2, "2, 4 ,x,-,6-", 6, {2, 4}},
        {2, "1-3,2-5", 6, {1, 2, 3, 4, 5}},
        {2, "0-2", 6, {1, 2}},
        {2, "9998-99999", 9999, {9998, 9999}},
        {2, "3abc", 4, {3}},
        {0, "", 0, {}},
    };
    for (const Case& c : cases) {
        const PageSelection s(c.prevPage, c.list);
        EXPECT_EQ(s.pagesToPreview(c.pageCount), c.expected)
            << c.prevPage << " \"" << c.list << "\" on " << c.pageCount;
        EXPECT_EQ(s.previewCount(c.pageCount), static_cast<int>(c.expected.size()));
    }
}

TEST(PageSelection, OnlyTheFirst254CharactersCountAndParsingClearsEarlierFlags) {
    std::string list(252, ' ');
    list += ",7,8";
    PageSelection s(2, list);
    EXPECT_TRUE(s.isFlagged(7));
    EXPECT_FALSE(s.isFlagged(8));
    s.parse("2");
    EXPECT_FALSE(s.isFlagged(7));
    EXPECT_TRUE(s.isFlagged(2));
}

TEST(PreviewNaming, KeepsTheExtensionAsWritten) {
    EXPECT_EQ(PreviewNaming::previewName("plan.TIF", 1), "plan-TIF-0001.png");
    EXPECT_EQ(PreviewNaming::previewName("plan.TIF", 12, true), "plan-TIF-0012-ZM.png");
    EXPECT_EQ(PreviewNaming::previewName("a.b.tiff", 3), "a.b-tiff-0003.png");
    EXPECT_EQ(PreviewNaming::previewName("noext", 1), "noext--0001.png");
    EXPECT_EQ(PreviewNaming::previewPath("/d/temp", sj("図面.Jpg"), 2),
              sj("/d/temp/図面-Jpg-0002.png"));
    EXPECT_EQ(PreviewNaming::tempFolder("/data"), "/data/temp");
}

TEST(ImageTypeDetector, TypesFromTheExtensionAndTargetExt) {
    const auto list = ImageTypeDetector::splitExtensions("TIF/TIFF/JPG/JPEG/PDF/PLT/hpgl");
    struct Case {
        const char* name;
        const char* type; // nullptr: not an image
    } cases[] = {
        {"a.TIF", "TIFF"}, {"a.tiff", "TIFF"},  {"a.Jpeg", "JPEG"},     {"a.jpg", "JPEG"},
        {"a.PDF", "PDF"},  {"a.plt", "HP-GL2"}, {"a.HPGL", "HP-GL2"},   {"a.png", nullptr},
        {"plt", "HP-GL2"}, {"a.b.tif", "TIFF"}, {"a.tif.txt", nullptr},
    };
    for (const Case& c : cases) {
        const auto type = ImageTypeDetector::detect(c.name, list);
        EXPECT_EQ(type ? ImageTypeDetector::typeText(*type) : std::string("-"),
                  c.type ? c.type : "-")
            << c.name;
    }
    EXPECT_FALSE(ImageTypeDetector::detect(
        "a.plt", ImageTypeDetector::splitExtensions("TIF/TIFF/JPG/JPEG/PDF")));
}

TEST(ImageTypeDetector, SplitKeepsInnerEmptyPiecesAndDropsATrailingOne) {
    using V = std::vector<std::string>;
    EXPECT_EQ(ImageTypeDetector::splitExtensions("TIF//PDF/"), (V{"TIF", "", "PDF"}));
    EXPECT_EQ(ImageTypeDetector::splitExtensions(""), V{});
    EXPECT_EQ(ImageTypeDetector::splitExtensions("/"), V{""});
}
