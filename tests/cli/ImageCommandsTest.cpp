#include "support/CliRunner.h"
#include "support/ImageFixtures.h"
#include "support/RenameListFixtures.h"
#include "support/ScanFixtures.h"
#include "support/TempDir.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>

namespace {

struct CliResult {
    int status = -1;
    nlohmann::json doc;
};

// Runs nomira-cli --json with an empty registry and parses its output.
CliResult cliJson(const std::string& arguments) {
    const CliRun run = runNomiraCli("--json " + arguments);
    return CliResult{run.status, nlohmann::json::parse(run.out, nullptr, false)};
}

std::string q(const std::string& s) {
    return shellQuote(s);
}

// The shared libraries the dynamic loader reports while nomira-cli runs with arguments.
std::string loadedLibraries(const std::string& arguments) {
    const char* binary = std::getenv("NOMIRA_CLI");
    const std::string command = "LD_DEBUG=libs NOMIRA_REGISTRY=/nonexistent " +
                                q(binary ? binary : "nomira-cli") + " " + arguments +
                                " 2>&1 >/dev/null";
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            out.append(buffer, n);
        }
        ::pclose(pipe);
    }
    return out;
}

} // namespace

TEST(ImageCommands, InfoReportsEveryPageAndTheResultCodes) {
    TempDir data;
    TempDir images;
    ScanFixtures::writeBilevelTiffMm(images.file("roll.tif"), 914, 12000, 50);
    ScanFixtures::writeBilevelTiffMm(images.file("two.tif"), 297, 210, 100, 2);
    images.write("fake.tif", "GIF89a");
    const CliResult run =
        cliJson("--data-folder " + q(data.path()) + " info " + q(images.file("roll.tif")) + " " +
                q(images.file("two.tif")) + " " + q(images.file("fake.tif")) + " " +
                q(images.file("none.tif")) + " " + q(images.file("a.txt")));
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.doc.size(), 5u);
    EXPECT_EQ(run.doc[0]["type"], "TIFF");
    EXPECT_EQ(run.doc[0]["result"], 0);
    EXPECT_EQ(run.doc[0]["overA0"], true);
    EXPECT_EQ(run.doc[0]["pages"][0]["widthMm"], 914);
    EXPECT_EQ(run.doc[0]["pages"][0]["paperSize"], "不定形");
    EXPECT_EQ(run.doc[1]["pageCount"], 2);
    EXPECT_EQ(run.doc[1]["pages"][1]["page"], 2);
    EXPECT_EQ(run.doc[1]["pages"][1]["paperSize"], "A4 横");
    EXPECT_EQ(run.doc[1]["pages"][0]["xDpi"], 100);
    EXPECT_EQ(run.doc[1]["pages"][0]["bitsPerPixel"], 1);
    EXPECT_EQ(run.doc[2]["result"], -1);
    EXPECT_EQ(run.doc[3]["result"], 1);
    EXPECT_TRUE(run.doc[4]["type"].is_null());
}

TEST(ImageCommands, ScanListsTheFolderAndRefusesAMissingOne) {
    TempDir data;
    TempDir images;
    ScanFixtures::writeBilevelTiffMm(images.file("b.tif"), 210, 297, 100);
    ScanFixtures::setModified(images.file("b.tif"), 1700000000);
    images.write("a.tif", "");
    ScanFixtures::setModified(images.file("a.tif"), 1700000001);
    data.write("Nomira.ini", "[SYSTEM]\r\nLoadPreview=1\r\n");
    const CliResult run = cliJson("--data-folder " + q(data.path()) + " scan " + q(images.path()));
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.doc["count"], 2);
    ASSERT_EQ(run.doc["rows"].size(), 2u);
    EXPECT_EQ(run.doc["rows"][0]["fileName"], "b.tif");
    EXPECT_EQ(run.doc["rows"][0]["paperSize"], "A4 縦");
    EXPECT_EQ(run.doc["rows"][0]["previewValid"], "1");
    EXPECT_EQ(run.doc["rows"][1]["row"], 2);
    EXPECT_EQ(run.doc["rows"][1]["previewValid"], "0");
    EXPECT_EQ(run.doc["messages"].size(), 0u);
    EXPECT_EQ(data.read("temp/b-tif-0001.png").substr(0, 2), "II");

    const CliResult missing =
        cliJson("--data-folder " + q(data.path()) + " scan " + q(images.file("gone")));
    EXPECT_EQ(missing.status, 1);
    ASSERT_EQ(missing.doc["messages"].size(), 1u);
    EXPECT_EQ(missing.doc["messages"][0]["text"], "画像読込みﾌｫﾙﾀﾞが存在しません。");
    EXPECT_EQ(missing.doc["messages"][0]["caption"], "警告");
}

TEST(ImageCommands, ScanNamesTheFilesItCannotList) {
    TempDir data;
    TempDir images;
    for (const char* raw : {"ok.tif", "\xC3\xA9.tif", "OK.tif"}) {
        ScanFixtures::writeBilevelTiffMm(images.path() + "/" + raw, 210, 297, 100);
    }
    // The files left out are told as warnings: the scan lists the rest and ends with 1.
    const CliResult run = cliJson("--data-folder " + q(data.path()) + " scan " + q(images.path()));
    ASSERT_EQ(run.status, 1);
    EXPECT_EQ(run.doc["count"], 1);
    EXPECT_EQ(run.doc["rows"][0]["fileName"], "OK.tif");
    ASSERT_EQ(run.doc["messages"].size(), 2u);
    EXPECT_EQ(run.doc["messages"][0]["text"],
              "次の画像ﾌｧｲﾙは、ﾌｧｲﾙ名に使用できない文字が含まれているため読込めません。\r\n"
              "<U+00E9>.tif");
    EXPECT_EQ(run.doc["messages"][1]["text"],
              "次の画像ﾌｧｲﾙは、大文字と小文字の違いを除いて同じ名前のﾌｧｲﾙが既にあるため読込めま"
              "せん。\r\nok.tif");
}

TEST(ImageCommands, InfoOnAPlotLeavesTheFilesBesideIt) {
    TempDir data;
    TempDir images;
    data.write("Nomira.ini", "[SYSTEM]\r\nTargetExt=TIF/TIFF/JPG/JPEG/PDF/PLT\r\n");
    ScanFixtures::writePlot(images.file("one.plt"), 1);
    images.write("one.1.png", "mine");
    images.write("one.2.png", "mine too");
    const CliResult run =
        cliJson("--data-folder " + q(data.path()) + " info " + q(images.file("one.plt")));
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.doc[0]["type"], "HP-GL2");
    EXPECT_EQ(run.doc[0]["result"], 0);
    EXPECT_EQ(run.doc[0]["pageCount"], 1);
    EXPECT_EQ(images.read("one.1.png"), "mine");
    EXPECT_EQ(images.read("one.2.png"), "mine too");
}

// poppler and Tesseract come in modules that a command maps only when it touches a PDF or reads
// the text of a sheet; every other start stays light.
TEST(ImageCommands, PopplerAndTesseractAreLoadedOnlyWhenNeeded) {
    TempDir data;
    TempDir images;
    ScanFixtures::writeBilevelTiffMm(images.file("a.tif"), 210, 297, 100);
    ImageFixtures::writePdf(images.file("d.pdf"), 2, 595.0, 842.0);
    const std::string folder = "--data-folder " + q(data.path()) + " ";
    const std::string state =
        " --template " + q(data.write("job.tpl", renameListTemplate({{"図番", 1, 1, true}}))) +
        " --list " + q(data.write("list.csv", renameListCsv({"D-1"}))) + " --images ";
    const std::string tiffOnly = images.mkdir("tiff");
    ScanFixtures::writeBilevelTiffMm(tiffOnly + "/b.tif", 210, 297, 100);
    struct Case {
        std::string arguments;
        bool poppler;
        bool tesseract;
    };
    const Case cases[] = {
        {"--version", false, false},
        {folder + "settings", false, false},
        {folder + "info " + q(images.file("a.tif")), false, false},
        {folder + "info " + q(images.file("d.pdf")), true, false},
        {folder + "names" + state + q(tiffOnly) + " --assign 1=b.tif", false, false},
        {folder + "match" + state + q(tiffOnly), false, true},
    };
    for (const Case& c : cases) {
        const std::string loaded = loadedLibraries(c.arguments);
        EXPECT_NE(loaded.find("libstdc++"), std::string::npos) << "no loader report";
        EXPECT_EQ(loaded.find("libpoppler") != std::string::npos, c.poppler) << c.arguments;
        EXPECT_EQ(loaded.find("libtesseract") != std::string::npos, c.tesseract) << c.arguments;
    }
    const CliResult pdf = cliJson(folder + "info " + q(images.file("d.pdf")));
    EXPECT_EQ(pdf.doc[0]["result"], 0);
    EXPECT_EQ(pdf.doc[0]["pageCount"], 2);
    EXPECT_EQ(pdf.doc[0]["pages"][0]["paperSize"], "A4 縦");
}

TEST(ImageCommands, PreviewNamesTheFilesItMade) {
    TempDir data;
    TempDir images;
    ScanFixtures::writeBilevelTiffMm(images.file("plan.TIF"), 420, 594, 100, 2);
    const CliResult run =
        cliJson("--data-folder " + q(data.path()) + " preview " + q(images.file("plan.TIF")));
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.doc["result"], 0);
    EXPECT_EQ(run.doc["pageCount"], 2);
    EXPECT_EQ(run.doc["previewCount"], 2);
    EXPECT_EQ(run.doc["files"], (nlohmann::json{"plan-TIF-0001.png", "plan-TIF-0001-ZM.png",
                                                "plan-TIF-0002.png", "plan-TIF-0002-ZM.png"}));

    images.write("bad.tif", "II");
    const CliResult bad =
        cliJson("--data-folder " + q(data.path()) + " preview " + q(images.file("bad.tif")));
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.doc["result"], 0);
    EXPECT_EQ(bad.doc["files"].size(), 0u);
}

TEST(ImageCommands, ANameThatIsNotUtf8IsWrittenWithItsBadBytesReplaced) {
    TempDir data;
    const std::string name = data.file("plan\x90\x7D\xFF.tif");
    const std::string shown = data.file("plan\xEF\xBF\xBD}\xEF\xBF\xBD.tif");
    const CliResult json = cliJson("--data-folder " + q(data.path()) + " info " + q(name));
    ASSERT_EQ(json.status, 0);
    ASSERT_FALSE(json.doc.is_discarded());
    EXPECT_EQ(json.doc[0]["file"], shown);
    EXPECT_EQ(json.doc[0]["result"], 1);
    const CliRun text = runNomiraCli("--data-folder " + q(data.path()) + " info " + q(name));
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.out.rfind(shown + ": TIFF  result 1", 0), 0u) << text.out;
}

TEST(ImageCommands, UsageErrors) {
    for (const char* args : {"info", "scan", "scan a b", "preview", "preview a b"}) {
        EXPECT_EQ(cliJson(args).status, 2) << args;
    }
}
