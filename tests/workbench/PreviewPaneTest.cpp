#include "workbench/PreviewPane.h"

#include "app/ProgramLauncher.h"
#include "base/CellGrid.h"
#include "base/FileSystem.h"
#include "base/RecordingMainView.h"
#include "base/ScriptedPrompter.h"
#include "image/ImageEntry.h"
#include "image/ImageFolderScan.h"
#include "image/ImageLibrary.h"
#include "image/PreviewNaming.h"
#include "support/ImageFixtures.h"
#include "support/LaunchRecorder.h"
#include "support/ScanFixtures.h"
#include "support/TempDir.h"
#include "workbench/Ctl.h"
#include "workbench/PreviewApplicationChooser.h"
#include "workbench/PreviewEntryRefresher.h"
#include "workbench/PreviewPaneLayout.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace {

constexpr int kPreview = id(Ctl::Preview);
constexpr int kHighRes = id(Ctl::HighResPage);
constexpr int kDpi = 50; // small pages, real paper sizes

// Displays that really load through the image library and remember what they hold.
class LoadingDisplay : public PreviewDisplay {
public:
    struct Held {
        std::string path;
        int page = 0;
        int zoom = 0;
    };
    int load(int displayId, const std::string& path, int page) override {
        PixHandle pix;
        const int r = ImageLibrary::loadPage(path, page, pix);
        if (r == ImageLibrary::Success) {
            held[displayId] = Held{path, page, held[displayId].zoom};
            sizes[displayId] = {pix.width(), pix.height()};
        }
        return r;
    }
    void clear(int displayId) override {
        held[displayId].path.clear();
        held[displayId].page = 0;
    }
    bool hasPage(int displayId) const override {
        const auto it = held.find(displayId);
        return it != held.end() && !it->second.path.empty();
    }
    void setAutoRepaint(int, bool) override {}
    void setZoom(int displayId, int percent) override { held[displayId].zoom = percent; }
    PreviewMetrics metrics(int displayId) const override {
        if (!hasPage(displayId)) {
            return {};
        }
        const auto [w, h] = sizes.at(displayId);
        return {w / 2, h / 2, 0.5, 0.5};
    }

    std::map<int, Held> held;
    std::map<int, std::pair<int, int>> sizes;
};

// The image list's refresh of one entry, as the image list does it.
class ScanRefresher : public PreviewEntryRefresher {
public:
    ScanRefresher(CellGrid& grid, MainView& view, Prompter& prompter, const std::string& folder,
                  const ImageSettings& settings)
        : m_scan(grid, view, prompter), m_folder(folder), m_settings(settings) {}
    bool refreshEntry(int row) override {
        rows.push_back(row);
        return m_scan.refreshEntry(row, m_folder, m_settings).result == 0;
    }
    std::vector<int> rows;

private:
    ImageFolderScan m_scan;
    std::string m_folder;
    const ImageSettings& m_settings;
};

class PreviewPaneTest : public ::testing::Test {
protected:
    PreviewPaneTest() {
        m_settings.dataFolder = m_data.path();
        m_settings.tempFolder = PreviewNaming::tempFolder(m_data.path());
        ImageEntry::prepareGrid(m_grid);
        m_pane.setImageFolder(m_images.path());
        m_pane.setSettings(m_settings, true);
    }
    void select(int prevPage, const std::string& list, bool tiffExpanMode = true) {
        m_settings.selection = PageSelection(prevPage, list);
        m_pane.setSettings(m_settings, tiffExpanMode);
    }
    int addEntry(const std::string& fileName, const char* type = "TIFF") {
        ImageEntry e;
        e.type = type;
        e.fileName = fileName;
        const int row = m_grid.addRow();
        e.write(m_grid, row);
        return row;
    }
    std::string text(Ctl c) const { return u8(m_view.control(id(c)).text); }
    bool enabled(Ctl c) const { return m_view.isEnabled(id(c)); }
    std::vector<std::string> shownTexts() const {
        std::vector<std::string> out;
        for (const auto& s : m_prompter.shown()) {
            out.push_back(u8(s.text));
        }
        return out;
    }

    TempDir m_data;
    TempDir m_images;
    ImageSettings m_settings;
    CellGrid m_grid;
    RecordingMainView m_view;
    ScriptedPrompter m_prompter;
    LoadingDisplay m_display;
    ScanRefresher m_refresher{m_grid, m_view, m_prompter, m_images.path(), m_settings};
    PreviewPane m_pane{{m_view, m_prompter, m_display, m_grid, m_refresher}};
};

TEST_F(PreviewPaneTest, PageButtonsStepThroughAThreePageTiff) {
    ScanFixtures::writeBilevelTiffMm(m_images.file("three.tif"), 210, 297, kDpi, 3);
    const int row = addEntry("three.tif");
    ASSERT_TRUE(m_pane.showEntry(row));
    EXPECT_EQ(m_grid.text(row, ImageEntry::PageCount), "3");
    EXPECT_FALSE(enabled(Ctl::EditImage)); // only single pages are edited
    EXPECT_TRUE(enabled(Ctl::OpenWithApplication));

    struct Step {
        Ctl press;
        int preview;
        bool back, forward; // first+previous, next+last
        bool accepted;
    };
    const Step steps[] = {
        {Ctl::PreviousPage, 1, false, true, false}, // disabled on preview 1: nothing happens
        {Ctl::NextPage, 2, true, true, true},       {Ctl::LastPage, 3, true, false, true},
        {Ctl::NextPage, 3, true, false, false},     {Ctl::PreviousPage, 2, true, true, true},
        {Ctl::FirstPage, 1, false, true, true},     {Ctl::PaperSize, 1, false, true, false},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(id(s.press));
        EXPECT_EQ(m_pane.pageCommand(id(s.press)), s.accepted);
        EXPECT_EQ(m_pane.previewNumber(), s.preview);
        EXPECT_EQ(text(Ctl::CurrentPage), std::to_string(s.preview));
        EXPECT_EQ(text(Ctl::PageCount), "3");
        EXPECT_EQ(enabled(Ctl::FirstPage), s.back);
        EXPECT_EQ(enabled(Ctl::PreviousPage), s.back);
        EXPECT_EQ(enabled(Ctl::NextPage), s.forward);
        EXPECT_EQ(enabled(Ctl::LastPage), s.forward);
        EXPECT_EQ(
            m_display.held[kPreview].path,
            files::native(PreviewNaming::previewPath(m_settings.tempFolder, "three.tif", s.preview))
                .string());
        // An A4 page: the high-resolution source is the page of the file itself.
        EXPECT_EQ(m_display.held[kHighRes].page, s.preview);
        EXPECT_EQ(m_display.held[kHighRes].zoom, 100);
    }
    EXPECT_EQ(text(Ctl::PaperSize), "A4 縦 (幅 210mm×高さ 297mm)");
    EXPECT_TRUE(enabled(Ctl::DesignateArea));
    EXPECT_TRUE(m_prompter.shown().empty());

    // A single preview: no page button applies.
    ScanFixtures::writeBilevelTiffMm(m_images.file("one.tif"), 210, 297, kDpi);
    ASSERT_TRUE(m_pane.showEntry(addEntry("one.tif")));
    for (Ctl c : {Ctl::FirstPage, Ctl::PreviousPage, Ctl::NextPage, Ctl::LastPage}) {
        EXPECT_FALSE(enabled(c)) << id(c);
        EXPECT_FALSE(m_pane.pageCommand(id(c)));
    }
    EXPECT_TRUE(enabled(Ctl::EditImage));
}

TEST_F(PreviewPaneTest, PageListTwoFourShowsPageFourAsPreviewTwo) {
    // Pages 1-3 and 5 are A4 portrait, page 4 is A3 landscape.
    const std::string path = m_images.file("mixed.tif");
    ScanFixtures::writeBilevelTiffMm(m_images.file("a4.tif"), 210, 297, kDpi);
    ScanFixtures::writeBilevelTiffMm(m_images.file("a3.tif"), 420, 297, kDpi);
    for (const char* page : {"a4.tif", "a4.tif", "a4.tif", "a3.tif", "a4.tif"}) {
        ASSERT_EQ(ImageLibrary::appendPage(m_images.file(page), 1, path), ImageLibrary::Success);
    }
    const int row = addEntry("mixed.tif");

    struct Case {
        int prevPage;
        int preview;
        int page, count;
        const char* paper;
    };
    const Case cases[] = {
        {2, 2, 4, 2, "A3 横 (幅 420mm×高さ 297mm)"}, {2, 1, 2, 2, "A4 縦 (幅 210mm×高さ 297mm)"},
        {0, 4, 4, 5, "A3 横 (幅 420mm×高さ 297mm)"}, {0, 2, 2, 5, "A4 縦 (幅 210mm×高さ 297mm)"},
        {1, 1, 1, 1, "A4 縦 (幅 210mm×高さ 297mm)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.prevPage) + "/" + std::to_string(c.preview));
        ImageFolderScan::cleanTemp(m_settings.tempFolder); // PrevPage changed: previews go
        select(c.prevPage, "2,4");
        ASSERT_TRUE(m_pane.showEntry(row, c.preview));
        EXPECT_EQ(m_pane.state().sourcePage, c.page);
        EXPECT_EQ(text(Ctl::CurrentPage), std::to_string(c.preview));
        EXPECT_EQ(text(Ctl::PageCount), std::to_string(c.count));
        EXPECT_EQ(text(Ctl::PaperSize), c.paper);
        EXPECT_EQ(m_grid.text(row, ImageEntry::PageCount), "5");
        EXPECT_EQ(m_display.held[kHighRes].page, c.page);
        EXPECT_EQ(m_display.sizes[kPreview].first, c.page == 4 ? 138 : 69); // thinned by 6
    }
}

TEST_F(PreviewPaneTest, GrowingTheWindowWidensThePreviewAndMovesTheHeader) {
    const int w = PreviewPaneLayout::minimumWidth();
    const int h = PreviewPaneLayout::minimumHeight();
    const Layout design = PreviewPaneLayout::forWindow(w, h, 1);
    struct Case {
        int width, height;
        int dx, dy;
    };
    for (const Case& c : {Case{w + 200, h, 200, 0}, Case{w - 300, h - 100, 0, 0},
                          Case{w + 200, h + 100, 200, 100}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const Layout grown = PreviewPaneLayout::forWindow(c.width, c.height, 1);
        const auto at = [&](const Layout& l, Ctl ctl) { return l.at(id(ctl)); };
        for (Ctl s : {Ctl::Preview, Ctl::HighResPage, Ctl::PreviewBackground}) {
            EXPECT_EQ(at(grown, s).width, at(design, s).width + c.dx);
            EXPECT_EQ(at(grown, s).y, at(design, s).y + c.dy / 2);
            EXPECT_EQ(at(grown, s).bottom(), at(design, s).bottom() + c.dy);
        }
        for (Ctl s : {Ctl::ImageFileName, Ctl::PaperSize, Ctl::FirstPage, Ctl::PageCount}) {
            EXPECT_EQ(at(grown, s).x, at(design, s).x + c.dx / 2);
        }
        EXPECT_EQ(at(grown, Ctl::OpenWithApplication).x,
                  at(design, Ctl::OpenWithApplication).x + c.dx);
        EXPECT_EQ(at(grown, Ctl::OpenWithApplication).y,
                  at(design, Ctl::OpenWithApplication).y + c.dy);
        EXPECT_EQ(at(grown, Ctl::MagView1).height, at(design, Ctl::MagView1).height + c.dy / 2);
        EXPECT_EQ(grown.count(id(Ctl::RenameGrid)), 0u); // not the pane's
    }
}

TEST_F(PreviewPaneTest, LoadFailuresAreToldAndNothingStaleStaysOnShow) {
    ScanFixtures::writeBilevelTiffMm(m_images.file("a2.tif"), 594, 420, kDpi);
    ScanFixtures::writeBilevelTiffMm(m_images.file("a4.tif"), 210, 297, kDpi);
    ScanFixtures::writeBilevelTiffMm(m_images.file("before.tif"), 210, 297, kDpi);
    ImageFixtures::writeBytes(m_images.file("empty.tif"), "");
    const int a2 = addEntry("a2.tif");
    const int a4 = addEntry("a4.tif");
    const int before = addEntry("before.tif");
    const int empty = addEntry("empty.tif");
    const int missing = addEntry("gone.tif");
    const auto preview = [&](const char* name, bool zoomed) {
        return PreviewNaming::previewPath(m_settings.tempFolder, name, 1, zoomed);
    };

    // An A2 page takes its high-resolution source from the magnified preview.
    ASSERT_TRUE(m_pane.showEntry(a2));
    EXPECT_EQ(m_display.held[kHighRes].path, files::native(preview("a2.tif", true)).string());
    ASSERT_TRUE(m_pane.showEntry(a4));

    const std::string a2Paper = "A2 横 (幅 594mm×高さ 420mm)";
    struct Case {
        const char* name;
        int row;
        std::function<void()> damage;
        bool tiffExpanMode;
        std::vector<std::string> messages;
        bool pageShown, highResShown;
        std::string paper;
    };
    const Case cases[] = {
        {"magnified preview cut off",
         a2,
         [&] {
             ImageFixtures::writeTruncatedCopy(m_images.file("a2.tif"), preview("a2.tif", true),
                                               40);
         },
         true,
         {"Load Error!!"},
         true,
         false,
         a2Paper},
        {"no high resolution wanted", a2, [] {}, false, {}, true, false, a2Paper},
        // Both previews are made again when the magnified one is missing.
        {"magnified preview removed",
         a2,
         [&] { files::removeFile(preview("a2.tif", true)); },
         true,
         {},
         true,
         true,
         a2Paper},
        // The page itself still feeds the magnified views.
        {"preview emptied",
         a4,
         [&] { ImageFixtures::writeBytes(preview("a4.tif", false), ""); },
         true,
         {"Error!!"},
         false,
         true,
         "A4 縦 (幅 210mm×高さ 297mm)"},
        {"zero-byte TIFF", empty, [] {}, true, {}, false, false, ""},
        {"missing TIFF", missing, [] {}, true, {}, false, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        select(0, "", c.tiffExpanMode);
        ASSERT_TRUE(m_pane.showEntry(before)); // something on show before
        m_prompter.clear();
        c.damage();
        EXPECT_EQ(m_pane.showEntry(c.row), c.pageShown);
        EXPECT_EQ(shownTexts(), c.messages);
        EXPECT_EQ(m_display.hasPage(kPreview), c.pageShown);
        EXPECT_EQ(m_display.hasPage(kHighRes), c.highResShown);
        EXPECT_EQ(enabled(Ctl::DesignateArea), c.pageShown);
        EXPECT_EQ(text(Ctl::ImageFileName), u8(m_grid.text(c.row, ImageEntry::FileName)));
        EXPECT_EQ(text(Ctl::PaperSize), c.paper);
        if (c.paper.empty()) {
            EXPECT_EQ(text(Ctl::CurrentPage), "");
            EXPECT_EQ(text(Ctl::PageCount), "");
            EXPECT_EQ(m_pane.state().pageCount, 0);
            EXPECT_FALSE(enabled(Ctl::NextPage));
        }
    }
}

TEST_F(PreviewPaneTest, NoRowOrNoFolderEmptiesOrRefuses) {
    ScanFixtures::writeBilevelTiffMm(m_images.file("a4.tif"), 210, 297, kDpi);
    const int row = addEntry("a4.tif");
    ASSERT_TRUE(m_pane.showEntry(row));

    m_pane.setImageFolder(m_images.file("nowhere"));
    EXPECT_FALSE(m_pane.showEntry(row));
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"画像読込みﾌｫﾙﾀﾞが存在しません。"});
    EXPECT_TRUE(m_display.hasPage(kPreview)); // nothing else changes
    EXPECT_EQ(text(Ctl::ImageFileName), "a4.tif");

    EXPECT_FALSE(m_pane.showEntry(0));
    EXPECT_FALSE(m_display.hasPage(kPreview));
    for (Ctl c : {Ctl::OpenWithApplication, Ctl::EditImage, Ctl::DesignateArea, Ctl::FirstPage}) {
        EXPECT_FALSE(enabled(c)) << id(c);
    }
    EXPECT_EQ(text(Ctl::ImageFileName), "");
    EXPECT_EQ(text(Ctl::PaperSize), "");
}

// Desktop files in an applications folder of their own, and a query that names the default.
class ApplicationsTest : public PreviewPaneTest {
protected:
    void desktopFile(const std::string& id, const std::string& exec) {
        std::ofstream(m_apps.file(id))
            << "[Desktop Entry]\nType=Application\nExec=" << exec << "\n";
    }
    PreviewApplicationChooser chooser(std::optional<std::string> defaultId) const {
        return PreviewApplicationChooser([defaultId](const std::string&) { return defaultId; },
                                         {m_apps.path()});
    }
    TempDir m_apps;
};

TEST_F(ApplicationsTest, AViewerThatCannotSaveBackLeadsToTheQuestion) {
    desktopFile("org.gnome.eog.desktop", "eog %U");
    desktopFile("gimp.desktop", "gimp-2.10 %U");
    desktopFile("mirage.desktop", "mirage %f"); // a viewer, and no editor is looked for after it
    desktopFile("org.kde.kolourpaint.desktop", "kolourpaint %u");
    const std::string question =
        "起動するﾌｧｲﾙにはWindowsﾌｫﾄｷﾞｬﾗﾘｰが関連付けられていますが\r\n更新を文書に反映できない"
        "場合があります。ﾍﾟｲﾝﾄで開きますか?";
    struct Case {
        std::optional<std::string> defaultId;
        std::vector<Answer> answers;
        bool removeEditors;
        std::optional<std::vector<std::string>> command;
        bool asked;
    };
    using Args = std::vector<std::string>;
    const Case cases[] = {
        {"org.gnome.eog.desktop", {Answer::Yes}, false, Args{"kolourpaint", "/s/a.tif"}, true},
        {"org.gnome.eog.desktop", {Answer::No}, false, Args{"eog", "/s/a.tif"}, true},
        {"gimp.desktop", {}, false, Args{"gimp-2.10", "/s/a.tif"}, false},
        {"unknown.desktop", {}, false, std::nullopt, false},
        {std::nullopt, {}, false, std::nullopt, false},
        {"mirage.desktop", {}, true, Args{"mirage", "/s/a.tif"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.defaultId.value_or("none"));
        m_prompter.clear();
        if (c.removeEditors) {
            files::removeFile(m_apps.file("gimp.desktop"));
            files::removeFile(m_apps.file("org.kde.kolourpaint.desktop"));
        }
        for (Answer a : c.answers) {
            m_prompter.queueAnswer(a);
        }
        EXPECT_EQ(chooser(c.defaultId).commandFor("/s/a.tif", m_prompter), c.command);
        ASSERT_EQ(m_prompter.shown().size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_EQ(u8(m_prompter.shown()[0].text), question);
            EXPECT_EQ(m_prompter.shown()[0].icon, Icon::Warning);
            EXPECT_EQ(m_prompter.shown()[0].buttons, Buttons::YesNo);
        }
    }
}

TEST_F(ApplicationsTest, TheEditedImageIsShownAgainWhenTheApplicationEnds) {
    // The "application" puts an A3 page in place of the three A4 pages.
    ScanFixtures::writeBilevelTiffMm(m_images.file("three.tif"), 210, 297, kDpi, 3);
    ScanFixtures::writeBilevelTiffMm(m_data.file("edited.tif"), 420, 297, kDpi);
    desktopFile("editor.desktop", "cp \"" + m_data.file("edited.tif") + "\" %f");
    addEntry("other.jpg", "JPEG");
    const int row = addEntry("three.tif");
    ASSERT_TRUE(m_pane.showEntry(row, 3));

    ProgramLauncher launcher;
    LaunchRecorder window;
    ASSERT_TRUE(m_pane.openWithApplication(launcher, window, chooser("editor.desktop")));
    launcher.waitUntilIdle();
    EXPECT_EQ(window.events(),
              (std::vector<std::string>{"disable", "enable", "front", "post 0x464"}));
    EXPECT_FALSE(launcher.running());
    ASSERT_EQ(window.posted().size(), 1u);
    EXPECT_EQ(window.posted()[0]->path, m_images.file("three.tif"));
    EXPECT_EQ(window.posted()[0]->extension, "tif");

    m_pane.applicationEnded(std::move(window.posted()[0]));
    EXPECT_EQ(m_refresher.rows, std::vector<int>{row});
    EXPECT_EQ(m_pane.previewNumber(), 1);
    EXPECT_EQ(text(Ctl::PageCount), "1");
    EXPECT_EQ(text(Ctl::PaperSize), "A3 横 (幅 420mm×高さ 297mm)");
    EXPECT_EQ(m_grid.text(row, ImageEntry::PageCount), "1");
    EXPECT_TRUE(enabled(Ctl::EditImage)); // a single page now

    // An application that breaks the file: the conversion failure is told, the name stays.
    desktopFile("breaker.desktop", "truncate -s 0 %f");
    ASSERT_TRUE(m_pane.openWithApplication(launcher, window, chooser("breaker.desktop")));
    launcher.waitUntilIdle();
    m_pane.applicationEnded(std::move(window.posted().at(1)));
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"ﾌｧｲﾙの変換に失敗しました。"});
    EXPECT_EQ(text(Ctl::ImageFileName), "three.tif");
    EXPECT_EQ(text(Ctl::PageCount), "");
    EXPECT_FALSE(m_display.hasPage(kPreview));
}

TEST_F(ApplicationsTest, OnlyATiffOpensAndAMissingApplicationIsTold) {
    ScanFixtures::writeJpeg(m_images.file("photo.jpg"), 413, 585, kDpi);
    ScanFixtures::writeBilevelTiffMm(m_images.file("a4.tif"), 210, 297, kDpi);
    const int jpeg = addEntry("photo.jpg", "JPEG");
    const int tiff = addEntry("a4.tif");
    ProgramLauncher launcher;
    LaunchRecorder window;

    ASSERT_TRUE(m_pane.showEntry(jpeg));
    EXPECT_FALSE(enabled(Ctl::OpenWithApplication));
    EXPECT_FALSE(m_pane.openWithApplication(launcher, window, chooser("x.desktop")));
    EXPECT_TRUE(m_prompter.shown().empty());

    ASSERT_TRUE(m_pane.showEntry(tiff));
    EXPECT_FALSE(m_pane.openWithApplication(launcher, window, chooser(std::nullopt)));
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"関連付いたｱﾌﾟﾘｹｰｼｮﾝが存在しません。"});

    m_prompter.clear();
    desktopFile("broken.desktop", "/nonexistent/program %f");
    ASSERT_TRUE(m_pane.openWithApplication(launcher, window, chooser("broken.desktop")));
    launcher.waitUntilIdle();
    EXPECT_EQ(window.events(), std::vector<std::string>{"failure"});
    EXPECT_FALSE(launcher.running());
    EXPECT_TRUE(window.posted().empty());
}

} // namespace
