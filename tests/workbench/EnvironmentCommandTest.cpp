#include "AssignmentRig.h"

#include "base/TextCodec.h"
#include "support/CliRunner.h"
#include "workbench/EnvironmentForm.h"

#include <nlohmann/json.hpp>

#include <functional>

namespace {

using Texts = std::vector<std::string>;
using Records = std::vector<std::string>;
using Page = EnvironmentForm::Page;
using Field = EnvironmentForm::Field;
using Edit = std::function<void(EnvironmentValues&)>;

class EnvironmentCommandTest : public AssignmentRig {
protected:
    // "環境設定" with the operator's actions on the open dialog.
    void runDialog(std::function<void(EnvironmentForm&)> script) {
        m_host.environmentScript = std::move(script);
        m_prompter.clear();
        m_wb->command(id(Cmd::Environment));
    }
    // The dialog with the values edited, then OK; true when it closed.
    bool confirmWith(const Edit& edit) {
        bool closed = false;
        runDialog([&](EnvironmentForm& form) {
            edit(form.values());
            closed = !form.confirm();
            if (!closed) {
                form.cancel();
            }
        });
        return closed;
    }
    // The extension dialog opened, plt added and confirmed.
    static void addPlt(EnvironmentForm& form) {
        ExtensionList list = form.extensions();
        ASSERT_EQ(list.add("plt"), std::nullopt);
        form.saveExtensions(list);
    }
    std::string settingsFile() const { return m_data->settingsFile(); }
    std::string settingsText() const {
        std::ifstream in(files::native(settingsFile()), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Images on show after starting on two A4 scans; a third is put into the folder unseen.
    void startWithImages(std::vector<std::string> settings = {}) {
        image("a4.tif");
        image("a4b.tif");
        start({"D-1", "D-2"}, std::move(settings));
        image("a4c.tif");
    }
};

TEST_F(EnvironmentCommandTest, ARefusedCheckShowsItsMessageGoesToItsControlAndWritesNothing) {
    const char* marginMsg = "ﾏｰｼﾞﾝ値は0～99の整数値を指定してください。";
    const char* rangeMsg = "ﾍﾟｰｼﾞは1～9999の整数値を指定してください。";
    struct Case {
        const char* margin;
        const char* name;
        int selectFolder;
        int prevPage;
        const char* pages;
        const char* message;
        Page page;
        Field field;
    };
    const Case cases[] = {
        {"12a", "list", 0, 0, "", marginMsg, Page::Preview, Field::Margin},
        {"", "a:b", 0, 0, "", marginMsg, Page::Preview, Field::Margin},
        {"15", " ", 0, 0, "", "ｴｸｽﾎﾟｰﾄ時のﾌｧｲﾙ名を入力してください。", Page::Export,
         Field::ExportFilename},
        {"15", "a?b", 0, 0, "", "ﾌｧｲﾙ名に使用できない文字が含まれています。", Page::Export,
         Field::ExportFilename},
        {"15", "list", 1, 0, "", "ﾘﾈｰﾑﾘｽﾄﾌｧｲﾙを出力するﾌｫﾙﾀﾞを指定してください。", Page::Export,
         Field::Browse},
        {"15", "list", 0, 2, "", "ﾍﾟｰｼﾞを指定してください。", Page::Preview, Field::PageList},
        {"15", "list", 0, 2, "0", rangeMsg, Page::Preview, Field::PageList},
        {"15", "list", 0, 2, "10000", rangeMsg, Page::Preview, Field::PageList},
        {"15", "list", 0, 2, "1;2", "ﾍﾟｰｼﾞ指定が不正です。", Page::Preview, Field::PageList},
    };
    open({"Margin=15", "PrevPageSelect=4-6", "ExportType=3", "DispInputDlg=0",
          "ExportFilename=list"});
    const std::string before = settingsText();
    for (const Case& c : cases) {
        std::optional<EnvironmentForm::Refusal> refusal;
        EnvironmentValues after;
        runDialog([&](EnvironmentForm& form) {
            EnvironmentValues& v = form.values();
            v.margin = sj(c.margin);
            v.exportFilename = c.name;
            v.exportSelectFolder = c.selectFolder;
            v.prevPage = c.prevPage;
            v.prevPageSelect = c.pages;
            refusal = form.confirm();
            after = form.values();
            form.cancel();
        });
        const std::string name = std::string(c.margin) + "|" + c.name + "|" + c.pages;
        ASSERT_TRUE(refusal) << name;
        EXPECT_EQ(refusal->page, c.page) << name;
        EXPECT_EQ(refusal->field, c.field) << name;
        EXPECT_EQ(shownTexts(), Texts{c.message}) << name;
        EXPECT_EQ(m_prompter.shown().at(0).icon, Icon::Warning) << name;
        // A refused margin or page list shows its opening value again.
        EXPECT_EQ(after.margin, c.field == Field::Margin ? "15" : c.margin) << name;
        EXPECT_EQ(after.prevPageSelect, c.field == Field::PageList ? "4-6" : c.pages) << name;
        EXPECT_EQ(settingsText(), before) << name;
    }
    EXPECT_EQ(m_host.environmentShown, static_cast<int>(std::size(cases)));
}
TEST_F(EnvironmentCommandTest, OkWritesTheCheckedValuesInTheirNormalForm) {
    open({"ExportType=2"});
    ASSERT_TRUE(confirmWith([](EnvironmentValues& v) {
        v.margin = sj("１２");
        v.prevPage = 2;
        v.prevPageSelect = sj("１，３－５");
        v.exportFilename = sj("　 台帳 ");
    }));
    EXPECT_TRUE(shownTexts().empty());
    SettingsStore stored(settingsFile(), m_data->dataFolder());
    stored.loadAll();
    EXPECT_EQ(stored.settings().margin, 12);
    EXPECT_EQ(stored.settings().prevPageSelect, "1,3-5");
    EXPECT_EQ(u8(stored.settings().exportFilename), "台帳");
    EXPECT_EQ(m_wb->settingsStore().settings().margin, 12);
}

TEST_F(EnvironmentCommandTest, ChangesThatTouchThePreviewsAnnounceOneReloadWhenImagesAreLoaded) {
    const std::string marginNotice = "ﾏｰｼﾞﾝ値が変更されたため、画像を再読込みします。";
    const std::string pageNotice = "ﾌﾟﾚﾋﾞｭｰﾍﾟｰｼﾞ指定が変更されたため、画像を再読込みします。";
    const std::string extNotice = "拡張子設定が変更されたため、画像を再読込みします。";
    struct Case {
        const char* name;
        std::function<void(EnvironmentForm&)> script;
        Texts notices;
        bool reloaded;
    };
    const auto ok = [](Edit edit) {
        return [edit](EnvironmentForm& form) {
            edit(form.values());
            ASSERT_FALSE(form.confirm());
        };
    };
    const Case cases[] = {
        {"nothing changed", ok([](auto&) {}), {}, false},
        {"margin", ok([](auto& v) { v.margin = "5"; }), {marginNotice}, true},
        {"same margin, other width", ok([](auto& v) { v.margin = sj("１２"); }), {}, false},
        {"page choice", ok([](auto& v) { v.prevPage = 1; }), {pageNotice}, true},
        {"page list while chosen",
         ok([](auto& v) {
             v.prevPage = 2;
             v.prevPageSelect = "2";
         }),
         {pageNotice},
         true},
        {"margin and pages",
         ok([](auto& v) {
             v.margin = "5";
             v.prevPage = 1;
         }),
         {marginNotice},
         true},
        {"extensions, OK",
         [](EnvironmentForm& form) {
             addPlt(form);
             ASSERT_FALSE(form.confirm());
         },
         {extNotice},
         true},
        {"extensions, Cancel",
         [](EnvironmentForm& form) {
             addPlt(form);
             form.values().margin = "5";
             form.cancel();
         },
         {extNotice},
         true},
        {"extensions saved unchanged, Cancel",
         [](EnvironmentForm& form) {
             form.saveExtensions(form.extensions());
             form.cancel();
         },
         {},
         false},
        {"a refused attempt first",
         [](EnvironmentForm& form) {
             form.values().margin = "5";
             form.values().exportSelectFolder = 1;
             ASSERT_TRUE(form.confirm());
             form.values().exportSelectFolder = 0;
             form.values().margin = "12";
             ASSERT_FALSE(form.confirm());
         },
         {marginNotice, "ﾘﾈｰﾑﾘｽﾄﾌｧｲﾙを出力するﾌｫﾙﾀﾞを指定してください。"},
         false},
    };
    int folder = 0;
    for (const Case& c : cases) {
        m_scans = m_tmp.mkdir("scans" + std::to_string(++folder));
        startWithImages({"PrevPage=2", "PrevPageSelect=1", "Margin=12"});
        runDialog(c.script);
        EXPECT_EQ(shownTexts(), c.notices) << c.name;
        // The folder is listed again, the unseen third scan with it, only after a notice.
        EXPECT_EQ(m_wb->state().imageCount, c.reloaded ? 3 : 2) << c.name;
    }
}

TEST_F(EnvironmentCommandTest, WithoutImagesNothingIsAnnouncedAndCancelWritesOnlyTheExtensions) {
    open({"Margin=12"});
    runDialog([](EnvironmentForm& form) {
        addPlt(form);
        form.values().margin = "30";
        form.values().prevPage = 1;
        form.cancel();
    });
    EXPECT_TRUE(shownTexts().empty());
    EXPECT_EQ(m_wb->settingsStore().settings().targetExt, "TIF/TIFF/JPG/JPEG/PDF/plt");
    SettingsStore stored(settingsFile(), m_data->dataFolder());
    stored.loadAll();
    EXPECT_EQ(stored.settings().margin, 12);
    EXPECT_EQ(stored.settings().prevPage, 0);
    EXPECT_EQ(stored.settings().targetExt, "TIF/TIFF/JPG/JPEG/PDF/plt");

    ASSERT_TRUE(confirmWith([](auto& v) { v.margin = "30"; }));
    EXPECT_TRUE(shownTexts().empty());
}

TEST_F(EnvironmentCommandTest, AfterOkTheWindowTakesTheAreaCountAndTheEnterKey) {
    startWithImages();
    EXPECT_EQ(m_view.defaultButton(), id(Ctl::Dummy));
    m_wb->command(id(Ctl::DesignateArea));
    ASSERT_TRUE(m_wb->state().areaDesignation);

    ASSERT_TRUE(confirmWith([](auto& v) {
        v.enterKeyAssign = 1;
        v.expanPreview = 1;
    }));
    EXPECT_EQ(m_host.magViewLayouts, std::vector<int>{2});
    EXPECT_EQ(m_wb->magViewCount(), 2);
    EXPECT_EQ(m_wb->magAreas().areas().areaCount(), 2);
    EXPECT_FALSE(m_wb->state().areaDesignation);
    EXPECT_EQ(m_view.defaultButton(), id(Ctl::Assign));

    // Enter assigns at once: the rename list's Enter follows the new setting.
    select(1, {1});
    int enter = gridkey::Enter;
    m_wb->renameGrid().observer()->gridKeyDown(m_wb->renameGrid(), enter, 0);
    EXPECT_EQ(records(), Records{"1:a4.tif:1"});

    // Cancel leaves the window as it was.
    runDialog([](EnvironmentForm& form) {
        form.values().enterKeyAssign = 0;
        form.values().expanPreview = 0;
        form.cancel();
    });
    EXPECT_EQ(m_host.magViewLayouts, std::vector<int>{2});
    EXPECT_EQ(m_view.defaultButton(), id(Ctl::Assign));

    ASSERT_TRUE(confirmWith([](auto& v) {
        v.enterKeyAssign = 0;
        v.expanPreview = 0;
    }));
    EXPECT_EQ(m_host.magViewLayouts, (std::vector<int>{2, 1}));
    EXPECT_EQ(m_view.defaultButton(), id(Ctl::Dummy));
}

TEST_F(EnvironmentCommandTest, EveryControlChangedIsWhatTheCommandLineCompanionShows) {
    open({});
    ASSERT_TRUE(confirmWith([this](EnvironmentValues& v) {
        v.exportType = 4;
        v.addText = 2;
        v.dispInputDlg = 0;
        v.exportFilename = sj("図面台帳");
        v.exportSelectFolder = 1;
        v.exportSelectFolderPath = m_tmp.path();
        v.exportAddConse = false;
        v.displayFileExistCheck = true;
        v.loadPreview = 1;
        v.expanPreview = 1;
        v.expanPrevMemory = 1;
        v.margin = "34";
        v.prevPage = 2;
        v.prevPageSelect = "2,4-6";
        v.autoCursol = 1;
        v.enterKeyAssign = 1;
        v.renameOverwrite = 1;
        v.initDateType = 1;
        v.initDate = Date{2019, 11, 3};
    }));
    runDialog([](EnvironmentForm& form) {
        ExtensionList list = form.extensions();
        ASSERT_EQ(list.add("plt"), std::nullopt);
        ASSERT_EQ(list.add("hpg"), std::nullopt);
        form.saveExtensions(list);
        form.cancel();
    });

    const CliRun run =
        runNomiraCli("--json --data-folder " + shellQuote(m_data->dataFolder()) + " settings",
                     m_data->registryPath());
    ASSERT_EQ(run.status, 0) << run.out;
    const auto shown = nlohmann::json::parse(run.out)["SYSTEM"];
    const nlohmann::json expected{{"ExportType", 4},
                                  {"AddText", 2},
                                  {"DispInputDlg", 0},
                                  {"ExportFilename", "図面台帳"},
                                  {"ExportSelectFolder", 1},
                                  {"ExportSelectFolderPath", m_tmp.path()},
                                  {"ExportAddConse", 0},
                                  {"DisplayFileExistCheck", 1},
                                  {"LoadPreview", 1},
                                  {"ExpanPreview", 1},
                                  {"ExpanPrevMemory", 1},
                                  {"Margin", 34},
                                  {"PrevPage", 2},
                                  {"PrevPageSelect", "2,4-6"},
                                  {"AutoCursol", 1},
                                  {"EnterKeyAssign", 1},
                                  {"RenameOverwrite", 1},
                                  {"InitDateType", 1},
                                  {"InitDate", "2019/11/03"},
                                  {"TargetExt", "TIF/TIFF/JPG/JPEG/PDF/plt/hpg"}};
    for (const auto& [key, value] : expected.items()) {
        EXPECT_EQ(shown[key], value) << key;
    }
}

} // namespace
