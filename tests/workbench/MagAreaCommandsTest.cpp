#include "WorkbenchRig.h"

#include "base/ProfileFile.h"
#include "image/ImageEntry.h"
#include "image/ImageLibrary.h"
#include "support/CliRunner.h"
#include "support/ScanFixtures.h"
#include "workbench/MagArea.h"

#include <nlohmann/json.hpp>

namespace {

constexpr int kPreview = id(Ctl::Preview);

// The main window over one scan of three pages: A4 portrait, A3 landscape, A4 portrait.
class MagAreaCommandsTest : public WorkbenchRig {
protected:
    void SetUp() override {
        WorkbenchRig::SetUp();
        const std::string scans = m_tmp.mkdir("scans");
        const std::string pieces = m_tmp.mkdir("pieces");
        ScanFixtures::writeBilevelTiffMm(pieces + "/a4.tif", 210, 297, 100);
        ScanFixtures::writeBilevelTiffMm(pieces + "/a3.tif", 420, 297, 100);
        for (const char* page : {"a4.tif", "a3.tif", "a4.tif"}) {
            ASSERT_EQ(ImageLibrary::appendPage(pieces + "/" + page, 1, scans + "/scan.tif"),
                      ImageLibrary::Success);
        }
        m_scans = scans;
    }
    void openWith(std::vector<std::string> systemLines) {
        StartupRequest request;
        request.imageFolderGiven = true;
        request.imageFolderPath = m_scans;
        open(std::move(systemLines), request);
        m_wb->actOnStartupRequest();
        m_wb->imageGrid().setCurrentCell(1, ImageEntry::FileName);
        ASSERT_TRUE(m_display.hasPage(kPreview));
    }

    const MagAreaDesignation& areas() { return m_wb->magAreas().areas(); }
    bool enabled(Ctl c) { return m_view.isEnabled(id(c)); }
    int displayWidth() { return m_display.metrics(kPreview).displayedWidth; }
    int displayHeight() { return m_display.metrics(kPreview).displayedHeight; }
    // Pulls the left-top handle of area 0 so that it becomes 40 x 30 in the bottom-right corner.
    void shrinkInCorner() {
        m_wb->magAreas().resizerDown();
        m_wb->magAreas().resizerMove(0, 0, 0, displayWidth() - 40, displayHeight() - 30);
        m_wb->magAreas().resizerUp();
    }
    // Makes area 0 free through the "原点" menu and drags it by (dx, dy).
    void freeAndDrag(int dx, int dy) {
        const MagRect a = areas().area(0).display;
        m_host.menuAnswer = id(Cmd::OriginFree);
        m_wb->magAreas().mouseDown(false, a.left, a.top);
        m_wb->magAreas().mouseMove(a.left + 1, a.top + 1);
        m_wb->magAreas().mouseDown(true, a.left + 1, a.top + 1);
        m_wb->magAreas().mouseMove(a.left + 1 + dx, a.top + 1 + dy);
        m_wb->magAreas().mouseUp();
    }

    std::string m_scans;
};

TEST_F(MagAreaCommandsTest, DesignationHoldsTheWindowUntilAClickOutside) {
    openWith({});
    EXPECT_FALSE(m_wb->commands().isPending(id(Ctl::DesignateArea)));
    ASSERT_TRUE(enabled(Ctl::NextPage));

    m_wb->command(id(Ctl::DesignateArea));
    shrinkInCorner();
    const MagRect corner{displayWidth() - 40, displayHeight() - 30, 40, 30};
    EXPECT_EQ(areas().area(0).display, corner);
    EXPECT_TRUE(m_view.control(id(Ctl::DesignateArea)).checked);
    EXPECT_TRUE(enabled(Ctl::DesignateArea));
    for (Ctl c : {Ctl::NextPage, Ctl::ImageGrid, Ctl::RenameGrid, Ctl::TemplateBox, Ctl::LoadImages,
                  Ctl::OpenWithApplication}) {
        EXPECT_FALSE(enabled(c)) << id(c);
    }

    m_wb->magAreas().mouseDown(false, corner.left, corner.top);
    ASSERT_EQ(m_host.menus.back(), MenuId::Origin);
    for (const DialogHost::MenuItem& item : m_host.lastItems) {
        EXPECT_EQ(item.checked, item.command == id(Cmd::OriginBottomRight)) << item.command;
    }

    freeAndDrag(-10, -20);
    EXPECT_EQ(areas().area(0).display, (MagRect{corner.left - 10, corner.top - 20, 40, 30}));

    m_wb->magAreas().mouseDown(true, 1, 1);
    EXPECT_FALSE(areas().designating());
    EXPECT_FALSE(m_view.control(id(Ctl::DesignateArea)).checked);
    EXPECT_TRUE(enabled(Ctl::NextPage));
    ProfileFile file(m_data->settingsFile());
    EXPECT_EQ(file.read("ExpanPreviewInfo1", "Origin"), "4");
    EXPECT_EQ(file.read("ExpanPreviewInfo1", "PosX"), std::to_string(corner.left - 10));
    EXPECT_EQ(file.read("SYSTEM", "ExpanPreview"), "0");
}

TEST_F(MagAreaCommandsTest, PagingKeepsAnAreaPerPaperSizeInTheSettingsFile) {
    openWith({"ExpanPrevMemory=1"});
    m_wb->command(id(Ctl::DesignateArea));
    shrinkInCorner();
    freeAndDrag(-10, -10);
    const MagRect moved = areas().area(0).display;
    m_wb->command(id(Ctl::DesignateArea));

    m_wb->command(id(Ctl::NextPage)); // A3 landscape: slot never stored, the area stays free
    EXPECT_EQ(areas().area(0).origin, MagArea::Free);
    m_wb->command(id(Ctl::DesignateArea));
    m_host.menuAnswer = id(Cmd::OriginTopLeft);
    m_wb->magAreas().mouseDown(false, 0, 0);
    EXPECT_EQ(areas().area(0).display.left, 0);
    m_wb->command(id(Ctl::DesignateArea));

    m_wb->command(id(Ctl::NextPage)); // A4 portrait again
    EXPECT_EQ(areas().area(0).display, moved);

    ASSERT_TRUE(m_wb->requestClose(WindowRect{10, 20, 1210, 1000}, false));
    ProfileFile file(m_data->settingsFile());
    EXPECT_EQ(file.read("ExpanPreview_A4_P1", "Info"),
              "4," + std::to_string(moved.left) + "," + std::to_string(moved.top) + ",40,30");
    EXPECT_EQ(file.read("ExpanPreview_A3_L1", "Info"), "0,0,0,40,30");
    EXPECT_EQ(file.read("ExpanPreview_A3_P1", "Info"), "-1,0,0,100,50");
}

// With the memory off the single pair carries the areas; with it on the pair stays as it was
// read and the slots of the page's paper size carry them.
TEST_F(MagAreaCommandsTest, TheSettingsCommandReportsTheAreasAsTheWindowWroteThem) {
    const auto pair = [](int origin, const MagRect& r) {
        return nlohmann::json{{"Origin", origin},
                              {"PosX", r.left},
                              {"PosY", r.top},
                              {"Width", r.width},
                              {"Height", r.height}};
    };
    const auto slot = [](int origin, const MagRect& r) {
        return std::to_string(origin) + "," + std::to_string(r.left) + "," + std::to_string(r.top) +
               "," + std::to_string(r.width) + "," + std::to_string(r.height);
    };
    const MagRect unset{0, 0, 100, 50};
    for (const bool memory : {false, true}) {
        SCOPED_TRACE(memory ? "memory on" : "memory off");
        m_wb.reset();
        openWith({memory ? "ExpanPrevMemory=1" : "ExpanPrevMemory=0", "ExpanPreview=1"});
        m_wb->command(id(Ctl::DesignateArea));
        shrinkInCorner();
        freeAndDrag(-10, -10);
        const MagArea first = areas().area(0);
        const MagArea second = areas().area(1);
        ASSERT_EQ(first.origin, MagArea::Free);
        m_wb->command(id(Ctl::DesignateArea)); // the pair and ExpanPreview are written
        m_wb->command(id(Ctl::NextPage));      // the A4 portrait slots are kept
        ASSERT_TRUE(m_wb->requestClose(WindowRect{10, 20, 1210, 1000}, false));

        const CliRun run =
            runNomiraCli("--data-folder " + shellQuote(m_data->dataFolder()) + " --json settings");
        ASSERT_EQ(run.status, 0) << run.out;
        const auto doc = nlohmann::json::parse(run.out);
        EXPECT_EQ(doc["SYSTEM"]["ExpanPreview"], 1);
        EXPECT_EQ(doc["ExpanPreviewInfo1"],
                  memory ? pair(3, unset) : pair(first.origin, first.reference));
        EXPECT_EQ(doc["ExpanPreviewInfo2"],
                  memory ? pair(3, unset) : pair(second.origin, second.reference));

        // Every slot as the file holds it; a slot never stored reads as empty.
        const ProfileFile file(m_data->settingsFile());
        std::map<std::string, std::string> reported;
        ASSERT_EQ(doc["sizeMemory"].size(), 42u);
        for (const auto& e : doc["sizeMemory"]) {
            const std::string section = e["section"];
            reported[section] = slot(e["origin"], {e["x"], e["y"], e["width"], e["height"]});
            EXPECT_EQ(reported[section], file.read(section, "Info").value_or("-1,0,0,100,50"))
                << section;
        }
        EXPECT_EQ(reported["ExpanPreview_A4_P1"],
                  memory ? slot(first.origin, first.reference) : slot(-1, unset));
        EXPECT_EQ(reported["ExpanPreview_A4_P2"],
                  memory ? slot(second.origin, second.reference) : slot(-1, unset));
        EXPECT_EQ(reported["ExpanPreview_B5_L2"], slot(-1, unset));
    }
}

} // namespace
