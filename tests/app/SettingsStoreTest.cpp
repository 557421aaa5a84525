#include "app/SettingsStore.h"

#include "base/RegistryStore.h"
#include "support/ProfileFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

const Date kToday{2024, 5, 6};

class SettingsStoreTest : public ::testing::Test {
protected:
    SettingsStore store() const {
        return SettingsStore(m_dir.file("Nomira.ini"), m_dir.path(), [] { return kToday; });
    }
    SettingsStore storeWith(std::initializer_list<std::string_view> lines) const {
        m_dir.write("Nomira.ini", crlfLines(lines));
        return store();
    }
    std::string content() const { return m_dir.read("Nomira.ini"); }

    TempDir m_dir;
};

// The export name is taken as stored: only an absent key gives the default name.
TEST_F(SettingsStoreTest, AnEmptyExportNameStaysEmpty) {
    struct Case {
        const char* line;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"Margin=12", sj("リネームリスト")},
        {"ExportFilename=", ""},
        {"ExportFilename=  ", ""},
        {"ExportFilename=list", "list"},
    };
    for (const Case& c : cases) {
        SettingsStore s = storeWith({"[SYSTEM]", c.line});
        s.loadAll();
        EXPECT_EQ(s.settings().exportFilename, c.expected) << c.line;
        EXPECT_EQ(s.loadForEnvironmentDialog().exportFilename, c.expected) << c.line;
    }
}

TEST_F(SettingsStoreTest, AMissingFileGivesEveryDefault) {
    SettingsStore s = store();
    EXPECT_EQ(s.loadAll(), 0);
    const Settings& v = s.settings();
    EXPECT_EQ(v.templateFile, "");
    EXPECT_EQ(v.expanPreview, 0);
    EXPECT_EQ(v.loadPreview, 0);
    EXPECT_EQ(v.margin, 12);
    EXPECT_EQ(v.autoCursol, 0);
    EXPECT_EQ(v.addText, 0);
    EXPECT_EQ(v.initDateType, 0);
    EXPECT_EQ(v.initDate, kToday);
    EXPECT_EQ(v.dispInputDlg, 1);
    EXPECT_EQ(v.exportFilename, sj("リネームリスト"));
    EXPECT_EQ(v.exportSelectFolder, 0);
    EXPECT_EQ(v.exportSelectFolderPath, "");
    EXPECT_EQ(v.enterKeyAssign, 0);
    EXPECT_EQ(v.prevPage, 0);
    EXPECT_EQ(v.prevPageSelect, "");
    EXPECT_EQ(v.expanPrevMemory, 0);
    EXPECT_EQ(v.renameOverwrite, 0);
    EXPECT_EQ(v.csvRowNum, 300);
    EXPECT_EQ(v.targetExt, "TIF/TIFF/JPG/JPEG/PDF");
    EXPECT_EQ(v.tiffInfanticide, 6);
    EXPECT_TRUE(v.tiffExpanMode);
    EXPECT_FALSE(v.noiseErase);
    EXPECT_EQ(v.jpgResolution, 96);
    EXPECT_EQ(v.scanPath, m_dir.file("scan"));
    EXPECT_EQ(v.csvPath, m_dir.file("csv"));
    EXPECT_EQ(v.editDataPath, m_dir.file("editdata"));
    EXPECT_EQ(v.quentryPath, "/opt/Orvane/QuentryHome/");

    EXPECT_EQ(s.exportType(), 0);
    EXPECT_TRUE(s.exportAddConse());
    EXPECT_FALSE(s.displayFileExistCheck());
    EXPECT_FALSE(s.initWindowMaximized());
    EXPECT_FALSE(s.initWindowRect().isStored());

    s.loadMagnifiedAreas(true);
    for (const MagAreaSetting& a : s.settings().magAreas) {
        EXPECT_EQ(a.origin, 3);
        EXPECT_EQ(a.posX, 0);
        EXPECT_EQ(a.posY, 0);
        EXPECT_EQ(a.width, 100);
        EXPECT_EQ(a.height, 50);
    }
    s.loadSizeMemory();
    for (const SizeMemoryEntry& e : s.settings().sizeMemory) {
        EXPECT_EQ(e.origin, -1);
        EXPECT_EQ(e.width, 100);
        EXPECT_EQ(e.height, 50);
        EXPECT_EQ(e.right, 100);
        EXPECT_EQ(e.bottom, 50);
    }
}

TEST_F(SettingsStoreTest, SizeMemoryEdgesAddUpWithoutOverflow) {
    const struct {
        const char* info;
        int x, y;
        std::int64_t right, bottom;
    } cases[] = {
        {"0,2147483647,0,100,50", 2147483647, 0, 2147483747, 50},
        {"0,0,2147483647,2147483647,2147483647", 0, 2147483647, 2147483647, 4294967294},
    };
    for (const auto& c : cases) {
        SettingsStore s = storeWith({"[ExpanPreview_A0_P1]", std::string("Info=") + c.info});
        s.loadSizeMemory();
        const SizeMemoryEntry& e = s.settings().sizeMemory[0];
        EXPECT_EQ(e.x, c.x) << c.info;
        EXPECT_EQ(e.y, c.y) << c.info;
        EXPECT_EQ(e.right, c.right) << c.info;
        EXPECT_EQ(e.bottom, c.bottom) << c.info;
    }
}

TEST_F(SettingsStoreTest, SystemValuesAreNormalisedWhenRead) {
    const struct {
        const char* line;
        int Settings::*field;
        int expected;
    } cases[] = {
        {"CsvRowNum=0", &Settings::csvRowNum, 300},
        {"CsvRowNum=500", &Settings::csvRowNum, 300},
        {"CsvRowNum=20", &Settings::csvRowNum, 20},
        {"CsvRowNum=-3", &Settings::csvRowNum, 300},
        {"CsvRowNum=abc", &Settings::csvRowNum, 300},
        {"JPGResolution=50", &Settings::jpgResolution, 72},
        {"JPGResolution=601", &Settings::jpgResolution, 600},
        {"JPGResolution=300", &Settings::jpgResolution, 300},
        {"TiffInfanticide=0", &Settings::tiffInfanticide, 1},
        {"TiffInfanticide=11", &Settings::tiffInfanticide, 10},
        {"TiffInfanticide=4", &Settings::tiffInfanticide, 4},
        {"KeepRuns=0", &Settings::keepRuns, 1},
        {"KeepRuns=101", &Settings::keepRuns, 100},
        {"KeepRuns=x", &Settings::keepRuns, 1},
        {"Margin=12a", &Settings::margin, 12},
        {"[WORK]\nThreads=3", &Settings::threads, 3},
        {"[WORK]\nThreads=-2", &Settings::threads, 0},
        {"[WORK]\nThreads=9999", &Settings::threads, 256},
        {"[WORK]\nthreads=x", &Settings::threads, 0},
        {"Threads=5", &Settings::threads, 0}, // only in section WORK
        {"Margin=x", &Settings::margin, 0},
        {"DispInputDlg=", &Settings::dispInputDlg, 1},
    };
    for (const auto& c : cases) {
        SettingsStore s = storeWith({"[SYSTEM]", c.line});
        s.loadAll();
        EXPECT_EQ(s.settings().*(c.field), c.expected) << c.line;
    }
    const struct {
        const char* line;
        bool Settings::*field;
        bool expected;
    } flags[] = {
        {"TiffExpanMode=0", &Settings::tiffExpanMode, false},
        {"TiffExpanMode=2", &Settings::tiffExpanMode, false},
        {"TiffExpanMode=1", &Settings::tiffExpanMode, true},
        {"NoiseErase=1", &Settings::noiseErase, true},
        {"NoiseErase=2", &Settings::noiseErase, false},
    };
    for (const auto& c : flags) {
        SettingsStore s = storeWith({"[SYSTEM]", c.line});
        s.loadAll();
        EXPECT_EQ(s.settings().*(c.field), c.expected) << c.line;
    }
}

TEST_F(SettingsStoreTest, PathValuesAreCutAndQuentryPathGetsItsSeparator) {
    const std::string longPath = "/" + std::string(256, 'p') + sj("表"); // 259 bytes
    SettingsStore s = storeWith({"[PATH]", "Scan=" + longPath, "QuentryPath=/opt/q", "Csv="});
    s.loadAll();
    EXPECT_EQ(s.settings().scanPath, "/" + std::string(256, 'p')); // "表" would split
    EXPECT_EQ(s.settings().quentryPath, "/opt/q/");
    EXPECT_EQ(s.settings().csvPath, m_dir.file("csv"));
}

TEST_F(SettingsStoreTest, ExportTypeOutsideOneToFourReadsAndIsWrittenAsZero) {
    const struct {
        const char* stored;
        int read;
    } cases[] = {{"7", 0}, {"-1", 0}, {"0", 0}, {"1", 1}, {"4", 4}, {"5", 0}, {"", 0}};
    for (const auto& c : cases) {
        SettingsStore s = storeWith({"[SYSTEM]", std::string("ExportType=") + c.stored});
        EXPECT_EQ(s.exportType(), c.read) << c.stored;
    }
    SettingsStore s = store();
    ASSERT_TRUE(s.setExportType(7));
    EXPECT_EQ(s.settings().exportType, 0);
    EXPECT_EQ(ProfileFile(s.settingsFile()).read("SYSTEM", "ExportType"), "0");
    ASSERT_TRUE(s.setExportType(3));
    EXPECT_EQ(store().exportType(), 3);
}

TEST_F(SettingsStoreTest, ExportAddConseIsOnUnlessStoredAsSomethingOtherThanOne) {
    const struct {
        const char* line;
        bool on;
    } cases[] = {{"Other=1", true},           {"ExportAddConse=", true},
                 {"ExportAddConse=0", false}, {"ExportAddConse=1", true},
                 {"ExportAddConse=2", false}, {"ExportAddConse=-1", true}};
    for (const auto& c : cases) {
        EXPECT_EQ(storeWith({"[SYSTEM]", c.line}).exportAddConse(), c.on) << c.line;
    }
}

TEST_F(SettingsStoreTest, FlagReadersRememberTheFirstValueFound) {
    SettingsStore s = store();
    EXPECT_TRUE(s.exportAddConse()); // absent: nothing remembered, the file is asked again
    m_dir.write("Nomira.ini",
                crlfLines({"[SYSTEM]", "ExportAddConse=0", "DisplayFileExistCheck=1"}));
    EXPECT_FALSE(s.exportAddConse());
    EXPECT_TRUE(s.displayFileExistCheck());
    m_dir.write("Nomira.ini", crlfLines({"[SYSTEM]", "ExportAddConse=1"}));
    EXPECT_FALSE(s.exportAddConse());
    EXPECT_TRUE(s.displayFileExistCheck());
    ASSERT_TRUE(s.setExportAddConse(true));
    EXPECT_TRUE(s.exportAddConse());
    EXPECT_EQ(ProfileFile(s.settingsFile()).read("SYSTEM", "ExportAddConse"), "1");
}

// An export flag is written only when it differs from the value remembered from the file; a
// value written meanwhile by someone else (7) shows whether the flag was written again.
TEST_F(SettingsStoreTest, ExportFlagsAreWrittenOnlyWhenTheyDifferFromTheRememberedValue) {
    struct Flag {
        const char* key;
        bool (SettingsStore::*read)();
        bool (SettingsStore::*set)(bool);
    };
    const Flag addConse{"ExportAddConse", &SettingsStore::exportAddConse,
                        &SettingsStore::setExportAddConse};
    const Flag existCheck{"DisplayFileExistCheck", &SettingsStore::displayFileExistCheck,
                          &SettingsStore::setDisplayFileExistCheck};
    const struct {
        Flag flag;
        const char* before; // value in the file at the first read; nullptr: absent
        bool value;
        const char* after;
    } cases[] = {
        {addConse, "0", false, "7"},    {addConse, "0", true, "1"},
        {addConse, nullptr, true, "1"}, {existCheck, "1", true, "7"},
        {existCheck, "1", false, "0"},  {existCheck, nullptr, false, "0"},
    };
    for (const auto& c : cases) {
        const std::string key = c.flag.key;
        SettingsStore s = storeWith({"[SYSTEM]", c.before ? key + "=" + c.before : "Other=1"});
        (s.*c.flag.read)();
        if (c.before) {
            m_dir.write("Nomira.ini", crlfLines({"[SYSTEM]", key + "=7"}));
        }
        ASSERT_TRUE((s.*c.flag.set)(c.value)) << key << " " << c.value;
        EXPECT_EQ(ProfileFile(s.settingsFile()).read("SYSTEM", key), c.after)
            << key << " " << (c.before ? c.before : "absent") << " " << c.value;
    }
}

TEST_F(SettingsStoreTest, WindowPlacementNeedsAllFourValues) {
    SettingsStore partial = storeWith({"[SYSTEM]", "InitWindowRectLeft=10",
                                       "InitWindowRectRight=500", "InitWindowRectBottom=400"});
    EXPECT_EQ(partial.initWindowRect(), WindowRect{});

    SettingsStore s = store();
    ASSERT_TRUE(s.setInitWindowRect(WindowRect{-100, 20, 800, 600}));
    // Negative coordinates are stored as negative numbers; the two's complement that older files
    // hold reads back as the same coordinate.
    EXPECT_EQ(ProfileFile(s.settingsFile()).read("SYSTEM", "InitWindowRectLeft"), "-100");
    EXPECT_EQ(store().initWindowRect(), (WindowRect{-100, 20, 800, 600}));
    ASSERT_TRUE(s.setInitWindowMaximized(true));
    EXPECT_TRUE(store().initWindowMaximized());
    EXPECT_EQ(storeWith({"[SYSTEM]", "InitWindowRectLeft=10", "InitWindowRectTop=4294967276",
                         "InitWindowRectRight=500", "InitWindowRectBottom=400"})
                  .initWindowRect(),
              (WindowRect{10, -20, 500, 400}));
}

TEST_F(SettingsStoreTest, MagnifiedAreasAreNormalised) {
    SettingsStore s = storeWith({
        "[SYSTEM]",
        "ExpanPreview=2",
        "[ExpanPreviewInfo1]",
        "Origin=5",
        "PosX=7",
        "PosY=8",
        "Width=2",
        "Height=-4",
        "[ExpanPreviewInfo2]",
        "Origin=4",
        "Width=0",
        "Height=1",
    });
    s.loadMagnifiedAreas(true);
    const auto& a = s.settings().magAreas;
    EXPECT_EQ(s.settings().expanPreview, 0);
    EXPECT_EQ(a[0].origin, 0);
    EXPECT_EQ(a[0].posX, 7);
    EXPECT_EQ(a[0].posY, 8);
    EXPECT_EQ(a[0].width, 3);
    EXPECT_EQ(a[0].height, 50);
    EXPECT_EQ(a[1].origin, 4);
    EXPECT_EQ(a[1].width, 100);
    EXPECT_EQ(a[1].height, 3);

    s.settings().expanPreview = 1;
    s.settings().magAreas[1] = MagAreaSetting{2, 11, 12, 130, 140};
    ASSERT_EQ(s.saveMagnifiedAreas(), 0);
    SettingsStore again = store();
    again.loadMagnifiedAreas(true);
    EXPECT_EQ(again.settings().expanPreview, 1);
    EXPECT_EQ(again.settings().magAreas[1].origin, 2);
    EXPECT_EQ(again.settings().magAreas[1].height, 140);
}

TEST_F(SettingsStoreTest, SizeMemorySectionNamesFollowTheTableOrder) {
    EXPECT_EQ(SettingsStore::sizeMemorySection(0), "ExpanPreview_A0_P1");
    EXPECT_EQ(SettingsStore::sizeMemorySection(1), "ExpanPreview_A0_L1");
    EXPECT_EQ(SettingsStore::sizeMemorySection(19), "ExpanPreview_B5_L1");
    EXPECT_EQ(SettingsStore::sizeMemorySection(20), "ExpanPreview_UnFixed1");
    EXPECT_EQ(SettingsStore::sizeMemorySection(21), "ExpanPreview_A0_P2");
    EXPECT_EQ(SettingsStore::sizeMemorySection(40), "ExpanPreview_B5_L2");
    EXPECT_EQ(SettingsStore::sizeMemorySection(41), "ExpanPreview_UnFixed2");
}

TEST_F(SettingsStoreTest, SizeMemoryEntriesNeedExactlyFiveNumbers) {
    SettingsStore s = storeWith({
        "[ExpanPreview_A0_P1]",
        "Info=1,10,20,30,40",
        "[ExpanPreview_A0_L1]",
        "Info=1,10,20,30",
        "[ExpanPreview_B1_P1]",
        "Info=2,5,6,0,2",
        "[ExpanPreview_UnFixed2]",
        "Info=1,2,3,4,5,6",
    });
    s.loadSizeMemory();
    const auto& m = s.settings().sizeMemory;
    EXPECT_EQ(m[0].origin, 1);
    EXPECT_EQ(m[0].right, 40);
    EXPECT_EQ(m[0].bottom, 60);
    EXPECT_EQ(m[1].origin, -1); // four numbers: nothing stored
    EXPECT_EQ(m[1].x, 0);
    EXPECT_EQ(m[1].width, 100);
    EXPECT_EQ(m[2].width, 100);
    EXPECT_EQ(m[2].height, 3);
    EXPECT_EQ(m[2].right, 105);
    EXPECT_EQ(m[2].bottom, 9);
    EXPECT_EQ(m[41].origin, -1);
}

TEST_F(SettingsStoreTest, AllFortyTwoSizeEntriesRoundTrip) {
    SettingsStore s = store();
    for (int i = 0; i < kSizeMemoryCount; ++i) {
        s.settings().sizeMemory[static_cast<std::size_t>(i)] =
            SizeMemoryEntry{i % 5, i, i + 1, 10 + i, 20 + i, 0, 0};
    }
    ASSERT_EQ(s.saveSizeMemory(), 0);
    EXPECT_EQ(ProfileFile(s.settingsFile()).read("ExpanPreview_B3_L2", "Info"), "2,32,33,42,52");
    SettingsStore again = store();
    again.loadSizeMemory();
    for (int i = 0; i < kSizeMemoryCount; ++i) {
        const SizeMemoryEntry& e = again.settings().sizeMemory[static_cast<std::size_t>(i)];
        EXPECT_EQ(e.origin, i % 5) << i;
        EXPECT_EQ(e.x, i) << i;
        EXPECT_EQ(e.y, i + 1) << i;
        EXPECT_EQ(e.width, 10 + i) << i;
        EXPECT_EQ(e.height, 20 + i) << i;
        EXPECT_EQ(e.right, 10 + 2 * i) << i;
    }
}

TEST_F(SettingsStoreTest, TargetExtDefaultIsWrittenOnlyWhenAbsent) {
    SettingsStore fresh = storeWith({"[SYSTEM]", "Margin=3"});
    ASSERT_EQ(fresh.loadAll(), 0);
    EXPECT_EQ(content(), crlfLines({"[SYSTEM]", "Margin=3", "TargetExt=TIF/TIFF/JPG/JPEG/PDF"}));

    const std::string present = crlfLines({"[SYSTEM]", "TargetExt=TIF/HGL"});
    m_dir.write("Nomira.ini", present);
    SettingsStore s = store();
    ASSERT_EQ(s.loadAll(), 0);
    EXPECT_EQ(s.settings().targetExt, "TIF/HGL");
    EXPECT_EQ(content(), present);

    SettingsStore unwritable(m_dir.file("missing/Nomira.ini"), m_dir.path());
    EXPECT_EQ(unwritable.loadAll(), -1);
    EXPECT_EQ(unwritable.settings().targetExt, "TIF/TIFF/JPG/JPEG/PDF");
}

TEST_F(SettingsStoreTest, SaveAllWritesItsKeysInTheFixedOrder) {
    SettingsStore s = store();
    ASSERT_EQ(s.saveAll(), 0);
    const std::vector<std::string> system{
        "Template",        "ExpanPreview",       "Margin",
        "AutoCursol",      "LoadPreview",        "AddText",
        "InitDateType",    "InitDate",           "DispInputDlg",
        "ExportFilename",  "ExportSelectFolder", "ExportSelectFolderPath",
        "EnterKeyAssign",  "PrevPage",           "PrevPageSelect",
        "ExpanPrevMemory", "RenameOverwrite",    "CsvRowNum",
        "NoiseErase",      "JPGResolution"};
    EXPECT_EQ(keysOfSection(content(), "SYSTEM"), system);
    EXPECT_EQ(keysOfSection(content(), "PATH"),
              (std::vector<std::string>{"Scan", "Csv", "EditData", "QuentryPath"}));
    EXPECT_TRUE(onlyCrlfLineEnds(content()));

    SettingsStore unwritable(m_dir.file("missing/Nomira.ini"), m_dir.path());
    EXPECT_EQ(unwritable.saveAll(), -1);
}

TEST_F(SettingsStoreTest, InitDateFollowsInitDateType) {
    const struct {
        const char* type;
        const char* date;
        Date loaded;
    } cases[] = {
        {"0", "2001/02/03", kToday},
        {"1", "2001/02/03", Date{2001, 2, 3}},
        {"1", "", kToday},
        {"1", "1999/7/25", Date{1999, 7, 25}},
    };
    for (const auto& c : cases) {
        SettingsStore s = storeWith(
            {"[SYSTEM]", std::string("InitDateType=") + c.type, std::string("InitDate=") + c.date});
        s.loadAll();
        EXPECT_EQ(s.settings().initDate, c.loaded) << c.type << " " << c.date;
        ASSERT_EQ(s.saveAll(), 0);
        EXPECT_EQ(ProfileFile(s.settingsFile()).read("SYSTEM", "InitDate"), formatDate(c.loaded));
    }
}

TEST_F(SettingsStoreTest, EnvironmentDialogValuesRoundTrip) {
    EnvironmentValues v;
    v.exportType = 2;
    v.expanPreview = 1;
    v.loadPreview = 1;
    v.margin = "25";
    v.autoCursol = 1;
    v.addText = 2;
    v.initDateType = 1;
    v.initDate = Date{2020, 2, 29};
    v.dispInputDlg = 0;
    v.exportFilename = sj("出力");
    v.exportSelectFolder = 1;
    v.exportSelectFolderPath = sj("/出力/先");
    v.enterKeyAssign = 1;
    v.prevPage = 2;
    v.prevPageSelect = "1,3-5";
    v.exportAddConse = false;
    v.expanPrevMemory = 1;
    v.renameOverwrite = 1;
    v.displayFileExistCheck = true;

    SettingsStore s = store();
    ASSERT_EQ(s.saveFromEnvironmentDialog(v), 0);
    EXPECT_EQ(s.settings().margin, 25);
    EXPECT_EQ(s.settings().initDate, (Date{2020, 2, 29}));
    EXPECT_EQ(s.settings().exportType, 2);

    const EnvironmentValues r = store().loadForEnvironmentDialog();
    EXPECT_EQ(r.exportType, 2);
    EXPECT_EQ(r.expanPreview, 1);
    EXPECT_EQ(r.loadPreview, 1);
    EXPECT_EQ(r.margin, "25");
    EXPECT_EQ(r.autoCursol, 1);
    EXPECT_EQ(r.addText, 2);
    EXPECT_EQ(r.initDateType, 1);
    EXPECT_EQ(r.initDate, (Date{2020, 2, 29}));
    EXPECT_EQ(r.targetExt, "TIF/TIFF/JPG/JPEG/PDF"); // written when absent
    EXPECT_EQ(r.dispInputDlg, 0);
    EXPECT_EQ(r.exportFilename, sj("出力"));
    EXPECT_EQ(r.exportSelectFolder, 1);
    EXPECT_EQ(r.exportSelectFolderPath, sj("/出力/先"));
    EXPECT_EQ(r.enterKeyAssign, 1);
    EXPECT_EQ(r.prevPage, 2);
    EXPECT_EQ(r.prevPageSelect, "1,3-5");
    EXPECT_FALSE(r.exportAddConse);
    EXPECT_EQ(r.expanPrevMemory, 1);
    EXPECT_EQ(r.renameOverwrite, 1);
    EXPECT_TRUE(r.displayFileExistCheck);
    EXPECT_EQ(ProfileFile(s.settingsFile()).read("SYSTEM", "TargetExt"), "TIF/TIFF/JPG/JPEG/PDF");
}

TEST_F(SettingsStoreTest, AnInvalidStoredDateIsOnlyReplacedWhenTheDialogHoldsOne) {
    SettingsStore s = storeWith({"[SYSTEM]", "InitDate=1800/13/40"});
    EnvironmentValues v = s.loadForEnvironmentDialog();
    EXPECT_FALSE(v.initDate);
    ASSERT_EQ(s.saveFromEnvironmentDialog(v), 0);
    EXPECT_EQ(ProfileFile(s.settingsFile()).read("SYSTEM", "InitDate"), "1800/13/40");
    EXPECT_EQ(store().loadForEnvironmentDialog().initDate, std::nullopt);
    EXPECT_EQ(storeWith({"[SYSTEM]"}).loadForEnvironmentDialog().initDate, kToday);
}

TEST_F(SettingsStoreTest, TargetExtensionsForTheExtensionDialog) {
    SettingsStore s =
        storeWith({"[SYSTEM]", "TargetExt=TIF/TIFF/JPG/JPEG/PDF/HGL/tif/plt//A/B/C/D/E/F/G/H/I/J"});
    EXPECT_EQ(s.loadTargetExtensions(),
              (std::vector<std::string>{"HGL", "plt", "A", "B", "C", "D", "E", "F", "G", "H"}));
    ASSERT_TRUE(s.saveTargetExtensions({}));
    EXPECT_EQ(ProfileFile(s.settingsFile()).read("SYSTEM", "TargetExt"), "TIF/TIFF/JPG/JPEG/PDF");
    ASSERT_TRUE(s.saveTargetExtensions({"HGL", "PLT"}));
    EXPECT_EQ(s.settings().targetExt, "TIF/TIFF/JPG/JPEG/PDF/HGL/PLT");
    EXPECT_EQ(store().loadTargetExtensions(), (std::vector<std::string>{"HGL", "PLT"}));
}

TEST_F(SettingsStoreTest, TheRegistrationAgentPathReplacesQuentryPath) {
    const std::string key = "[SOFTWARE\\ORVANE\\DelmoSolution\\Quentry]";
    const struct {
        std::string registry;
        bool installed;
        std::string quentryPath;
    } cases[] = {
        {crlfLines({key, "Path=/opt/agent/bin/Quentry.exe"}), true, "/opt/agent/bin/"},
        {crlfLines({key, "Path="}), false, "/opt/Orvane/QuentryHome/"},
        {crlfLines({key, "LastPath=/x"}), false, "/opt/Orvane/QuentryHome/"},
        {"", false, "/opt/Orvane/QuentryHome/"},
    };
    for (const auto& c : cases) {
        SettingsStore s = store();
        s.loadAll();
        const RegistryStore registry(m_dir.write("registry.ini", c.registry));
        EXPECT_EQ(s.applyRegistrationAgentPath(registry), c.installed) << c.registry;
        EXPECT_EQ(s.settings().quentryPath, c.quentryPath) << c.registry;
    }
}

} // namespace
