#include "support/CliRunner.h"
#include "support/ImageFixtures.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <unistd.h>

namespace {

TEST(EditCommand, EditsInOrderSavesAsTheDialogAndReportsRefusals) {
    struct Case {
        std::string arguments;
        int status;
        int width, height, bits;
        nlohmann::json angle;
        std::string message; // UTF-8, empty for none
        bool changed;
    };
    const std::vector<Case> cases = {
        {"--rotate left", 0, 48, 64, 1, nullptr, "", true},
        {"--rotate right --rotate right", 0, 64, 48, 1, nullptr, "", true},
        {"--deskew 2,2,42,4", 0, 66, 51, 1, -286, "", true},
        // A second point within 10 pixels both ways is ignored, as is a point off the page.
        {"--deskew 10,10,19,19", 0, 64, 48, 1, nullptr, "", true},
        {"--deskew 10,10,20,10", 0, 64, 48, 1, 0, "", true},
        {"--deskew 70,10,2,30", 0, 64, 48, 1, nullptr, "", true},
        {"--denoise 10 --region ellipse:5,5,20,20 --outside", 0, 64, 48, 1, nullptr, "", true},
        {"--denoise 10 --region rect:5,5,2,50 --outside", 0, 64, 48, 1, nullptr, "", true},
        {"--rotate left --denoise 10 --region rect:5,5,2,50 --inside", 1, 48, 64, 1, nullptr,
         "画像が小さすぎます。\n範囲を大きくしてください", false},
        {"--denoise 0", 2, 0, 0, 0, nullptr, "", false},
        {"--region rect:1,1,9,9 --inside", 2, 0, 0, 0, nullptr, "", false},
        {"--denoise 5 --inside", 2, 0, 0, 0, nullptr, "", false},
        {"--deskew 1,2,3", 2, 0, 0, 0, nullptr, "", false},
    };
    for (const Case& c : cases) {
        TempDir dir;
        ImageFixtures::TiffLayout layout;
        const std::string file = dir.file("page.tif");
        ASSERT_TRUE(ImageFixtures::writeTiff(file, layout));
        const std::string before = dir.read("page.tif");
        const CliRun run = runNomiraCli("--json edit " + shellQuote(file) + " " + c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments;
        EXPECT_EQ(dir.read("page.tif") != before, c.changed) << c.arguments;
        if (c.status == 2) {
            continue;
        }
        const auto doc = nlohmann::json::parse(run.out, nullptr, false);
        EXPECT_EQ(doc["result"], c.status == 0 ? 0 : -1) << c.arguments;
        EXPECT_EQ(doc["widthPx"], c.width) << c.arguments;
        EXPECT_EQ(doc["heightPx"], c.height) << c.arguments;
        EXPECT_EQ(doc["bitsPerPixel"], c.bits) << c.arguments;
        EXPECT_EQ(doc["angleHundredths"], c.angle) << c.arguments;
        ASSERT_EQ(doc["messages"].size(), c.message.empty() ? 0u : 1u) << c.arguments;
        if (!c.message.empty()) {
            EXPECT_EQ(doc["messages"][0]["text"], c.message);
            EXPECT_EQ(doc["messages"][0]["caption"], "警告");
        }
    }
}

TEST(EditCommand, OutLeavesTheSourceAndAMissingFileIsReported) {
    TempDir dir;
    ImageFixtures::TiffLayout layout;
    ASSERT_TRUE(ImageFixtures::writeTiff(dir.file("page.tif"), layout));
    const std::string before = dir.read("page.tif");
    const CliRun saved = runNomiraCli("edit " + shellQuote(dir.file("page.tif")) +
                                      " --rotate left --out " + shellQuote(dir.file("out.tif")));
    EXPECT_EQ(saved.status, 0);
    EXPECT_EQ(dir.read("page.tif"), before);
    const auto pages = ImageFixtures::readTiffPages(dir.file("out.tif"));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].width, 48u);

    const CliRun missing = runNomiraCli("--json edit " + shellQuote(dir.file("none.tif")));
    EXPECT_EQ(missing.status, 1);
    const auto doc = nlohmann::json::parse(missing.out, nullptr, false);
    EXPECT_EQ(doc["messages"][0]["text"], "指定された画像ﾌｧｲﾙが見つかりません。");
}

// Saving writes one page: a file of several pages, or a link, is refused with the editor's load
// message and left as it was, whether the page would go over it or into --out.
TEST(EditCommand, NeverDropsPagesNorWritesThroughALink) {
    struct Case {
        int pages;
        bool viaLink;
        bool toOut;
    };
    const Case cases[] = {
        {3, false, false}, {3, false, true}, {2, false, false}, {1, true, false}, {1, true, true}};
    for (const Case& c : cases) {
        TempDir dir;
        ImageFixtures::TiffLayout layout;
        layout.pages = c.pages;
        ASSERT_TRUE(ImageFixtures::writeTiff(dir.file("pages.tif"), layout));
        const std::string before = dir.read("pages.tif");
        std::string file = dir.file("pages.tif");
        if (c.viaLink) {
            file = dir.file("link.tif");
            ASSERT_EQ(::symlink(dir.file("pages.tif").c_str(), file.c_str()), 0);
        }
        const std::string out = c.toOut ? " --out " + shellQuote(dir.file("out.tif")) : "";
        const CliRun run = runNomiraCli("--json edit " + shellQuote(file) + " --rotate left" + out);
        const std::string label = std::to_string(c.pages) + (c.viaLink ? " link" : "") + out;
        EXPECT_EQ(run.status, 1) << label;
        const auto doc = nlohmann::json::parse(run.out, nullptr, false);
        EXPECT_EQ(doc["result"], -1) << label;
        ASSERT_EQ(doc["messages"].size(), 1u) << label;
        EXPECT_EQ(doc["messages"][0]["text"], "画像ﾌｧｲﾙの読込みに失敗しました。") << label;
        EXPECT_EQ(dir.read("pages.tif"), before) << label;
        EXPECT_EQ(ImageFixtures::readTiffPages(dir.file("pages.tif")).size(), std::size_t(c.pages))
            << label;
        EXPECT_EQ(std::filesystem::is_symlink(file), c.viaLink) << label;
        EXPECT_FALSE(std::filesystem::exists(dir.file("out.tif"))) << label;
    }
}

} // namespace
