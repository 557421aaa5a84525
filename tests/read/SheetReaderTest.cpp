#include "read/SheetReader.h"
#include "read/MatchText.h"
#include "read/TextRecogniser.h"
#include "sheets/SheetDrawing.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace {

namespace sd = sheetdrawing;

constexpr int kDpi = 200;

// A5 landscape sheets: small enough that the text engine reads their corner quickly.
QImage sheet(const sd::TitleBlock& block) {
    QImage page = sd::blankPage(210, 148, kDpi);
    sd::drawTitleBlock(page, kDpi, block);
    return page;
}

const std::vector<ReadRegion> kCorner{SheetReader::defaultRegion()};
const sd::TitleBlock kTitled{"KD-20417-03", "配管系統図", "1:100", "2026/12/08", "", ""};

SheetReader reader(std::string dataPath = TextRecogniser::defaultDataPath()) {
    return SheetReader({std::move(dataPath), "jpn+eng"});
}

double found(const std::string& value, const std::string& text) {
    return MatchText::occurrence(MatchText::fold(value), MatchText::fold(text));
}

TEST(SheetReaderTest, ReadsCodesOnThePageAndTextInTheTitleBlock) {
    struct Case {
        const char* name;
        std::function<bool(const std::string& path)> write;
        const char* code; // expected code text, or empty
        const char* text; // a value the text must hold, or empty for no legible text
        int quarterTurns;
        double least = 0.95; // how well the text must hold it
    } cases[] = {
        {"a code alone",
         [](const std::string& p) {
             return sd::writeG4(sheet({"", "", "", "", "KD-30001-01", ""}), p, kDpi);
         },
         "KD-30001-01", "", 0},
        {"text alone", [](const std::string& p) { return sd::writeG4(sheet(kTitled), p, kDpi); },
         "", "KD-20417-03", 0},
        {"skewed and speckled",
         [](const std::string& p) {
             QImage page = sd::skewed(sheet(kTitled), 1.5);
             sd::speckle(page, 0.005, 7);
             return sd::writeG4(page, p, kDpi);
         },
         "", "KD-20417-03", 0, 0.85},
        {"scanned on its side",
         [](const std::string& p) { return sd::writeG4(sd::turned(sheet(kTitled), 1), p, kDpi); },
         "", "KD-20417-03", 3},
        {"a JPEG scan with a bar code",
         [](const std::string& p) {
             QImage page = sheet(kTitled);
             sd::drawCode(page, kDpi, "Code128", "KD-20417-03", 20, 20, 60);
             return sd::writeJpeg(page, p, kDpi);
         },
         "KD-20417-03", "KD-20417-03", 0},
        {"a PDF", [](const std::string& p) { return sd::writePdf(sheet(kTitled), p, kDpi); }, "",
         "KD-20417-03", 0},
        {"an empty title block",
         [](const std::string& p) { return sd::writeG4(sheet({}), p, kDpi); }, "", "", 0},
    };
    TempDir dir;
    const SheetReader r = reader();
    for (const Case& c : cases) {
        const std::string path = dir.file(std::string(c.name) + ".img");
        ASSERT_TRUE(c.write(path)) << c.name;
        const SheetReading got = r.read(path, kCorner);
        ASSERT_FALSE(got.failed()) << c.name;
        if (*c.code != '\0') {
            ASSERT_EQ(got.codes.size(), 1u) << c.name;
            EXPECT_EQ(got.codes[0].text, c.code) << c.name;
        } else {
            EXPECT_TRUE(got.codes.empty()) << c.name;
        }
        if (*c.text != '\0') {
            EXPECT_GE(found(c.text, got.text), c.least) << c.name << ": " << got.text;
            EXPECT_EQ(got.quarterTurns, c.quarterTurns) << c.name;
        } else {
            EXPECT_LT(found("KD-20417-03", got.text), 0.5) << c.name << ": " << got.text;
        }
    }
}

TEST(SheetReaderTest, AFileThatCannotBeReadGetsAReason) {
    TempDir dir;
    ASSERT_TRUE(sd::writeG4(sheet(kTitled), dir.file("whole.tif"), kDpi));
    std::ifstream whole(dir.file("whole.tif"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(whole)), {});
    struct Case {
        const char* name;
        std::string content; // nothing written when empty
        ReadFailure failure;
    } cases[] = {
        {"missing.tif", "", ReadFailure::Missing},
        {"text.tif", "no image at all\n", ReadFailure::Unreadable},
        {"truncated.tif", bytes.substr(0, bytes.size() / 3), ReadFailure::Damaged},
    };
    const SheetReader r = reader();
    for (const Case& c : cases) {
        if (!c.content.empty()) {
            dir.write(c.name, c.content);
        }
        EXPECT_EQ(r.read(dir.file(c.name), kCorner).failure, c.failure) << c.name;
    }
}

TEST(SheetReaderTest, WithoutLanguageDataCodesAreStillRead) {
    TempDir dir;
    const std::string empty = dir.mkdir("tessdata");
    EXPECT_EQ(TextRecogniser::missingLanguages(empty, "jpn+eng"),
              (std::vector<std::string>{"jpn", "eng"}));
    EXPECT_EQ(TextRecogniser::missingLanguages(empty, "../jpn"),
              (std::vector<std::string>{"../jpn"}));
    QImage page = sheet(kTitled);
    sd::drawCode(page, kDpi, "QRCode", "KD-20417-03", 20, 20, 25);
    ASSERT_TRUE(sd::writeG4(page, dir.file("coded.tif"), kDpi));
    const SheetReading got = reader(empty).read(dir.file("coded.tif"), kCorner);
    ASSERT_FALSE(got.failed());
    ASSERT_EQ(got.codes.size(), 1u);
    EXPECT_EQ(got.codes[0].format, "QRCode");
    EXPECT_TRUE(got.text.empty());
}

TEST(SheetReaderTest, RegionsFollowTheSheetWhenItIsTurned) {
    const ReadRegion corner = SheetReader::defaultRegion();
    struct Case {
        int turns;
        ReadRegion stored;
    } cases[] = {
        {0, corner},
        {1, {0.70, 0.0, 1.0, 0.45}}, // stored turned left: the corner is top right
        {2, {0.0, 0.0, 0.45, 0.30}},
        {3, {0.0, 0.55, 0.30, 1.0}},
    };
    for (const Case& c : cases) {
        const ReadRegion got = SheetReader::onStoredPage(corner, c.turns);
        EXPECT_NEAR(got.left, c.stored.left, 1e-9) << c.turns;
        EXPECT_NEAR(got.top, c.stored.top, 1e-9) << c.turns;
        EXPECT_NEAR(got.right, c.stored.right, 1e-9) << c.turns;
        EXPECT_NEAR(got.bottom, c.stored.bottom, 1e-9) << c.turns;
    }
}

} // namespace
