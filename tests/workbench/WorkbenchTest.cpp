#include "WorkbenchRig.h"
#include "base/ProfileFile.h"
#include "workbench/Cmd.h"

namespace {

using WorkbenchTest = WorkbenchRig;

const std::string kReadFailed = "ﾃﾝﾌﾟﾚｰﾄ情報の読込みに失敗しました。";
const std::string kSetFailed = "ﾃﾝﾌﾟﾚｰﾄ情報の設定に失敗しました。";

TEST_F(WorkbenchTest, OpeningListsTemplateFilesAndAppliesTheRememberedOne) {
    open({"Template=demo.tpl"});

    EXPECT_EQ(m_list.items(id(Ctl::TemplateBox)),
              (std::vector<std::string>{"broken", "demo", "other"})); // "notes" is no template
    EXPECT_EQ(box(), 1);
    EXPECT_TRUE(m_prompter.shown().empty());
    ASSERT_EQ(grid().cols(), 6);
    EXPECT_EQ(u8(grid().text(0, 1)), "割り当て");
    EXPECT_EQ(u8(grid().text(0, 3)), "図番");
    EXPECT_EQ(u8(grid().text(0, 4)), "枚数");
    EXPECT_TRUE(grid().colHidden(2));
    EXPECT_TRUE(grid().colHidden(4));
    EXPECT_FALSE(grid().colHidden(5));
    EXPECT_EQ(grid().colDataType(3), CellDataType::Text);
    EXPECT_EQ(grid().colDataType(4), CellDataType::Integer);
    EXPECT_EQ(grid().colEditMask(4), "####");
    EXPECT_EQ(grid().colDataType(5), CellDataType::Real);
    EXPECT_EQ(grid().colEditMask(5), "&&&&&&9");
    EXPECT_EQ(grid().rows(), 1001);
    EXPECT_EQ(grid().text(1, 0), "1");
    EXPECT_EQ(grid().text(1000, 2), "1000");
    EXPECT_TRUE(m_view.isEnabled(id(Ctl::LoadRenameList)));
    EXPECT_FALSE(m_view.isEnabled(id(Cmd::SaveWorkData)));
    EXPECT_FALSE(m_view.isEnabled(id(Cmd::SaveWorkDataAs)));
    EXPECT_EQ(m_view.defaultButton(), id(Ctl::Dummy));
    EXPECT_EQ(m_wb->imageGrid().cols(), 8);
    EXPECT_TRUE(m_wb->imageGrid().colHidden(6));
}

TEST_F(WorkbenchTest, ARememberedTemplateThatCannotBeReadLeavesNoTemplate) {
    open({"Template=BROKEN.tpl"});

    EXPECT_EQ(shownTexts(), (std::vector<std::string>{kReadFailed, kSetFailed}));
    EXPECT_EQ(box(), -1);
    EXPECT_EQ(grid().cols(), 3);
    EXPECT_FALSE(m_view.isEnabled(id(Ctl::LoadRenameList)));
}

TEST_F(WorkbenchTest, NoRememberedTemplateSelectsNothing) {
    open({});
    EXPECT_EQ(box(), -1);
    EXPECT_TRUE(m_wb->settingsStore().settings().templateFile.empty());
    EXPECT_FALSE(m_view.isEnabled(id(Ctl::LoadRenameList)));
}

TEST_F(WorkbenchTest, ChangingToABrokenTemplateReturnsToThePreviousEntry) {
    open({"Template=demo.tpl"});
    m_view.setControlText(id(Ctl::ListFileName), "list.csv");

    pick(0); // broken

    EXPECT_EQ(shownTexts(), (std::vector<std::string>{kReadFailed, kSetFailed}));
    EXPECT_EQ(box(), 1);
    EXPECT_EQ(m_view.focus(), id(Ctl::RenameGrid));
    ASSERT_EQ(grid().cols(), 6);
    EXPECT_EQ(u8(grid().text(0, 3)), "図番");
    EXPECT_EQ(m_wb->settingsStore().settings().templateFile, "demo.tpl");
    EXPECT_EQ(m_view.control(id(Ctl::ListFileName)).text, "");
}

TEST_F(WorkbenchTest, ChangingTheTemplateWritesTheOldWidthsAndAppliesTheNew) {
    open({"Template=demo.tpl"});
    m_wb->renameGrid().setColWidth(3, 2400);
    m_wb->renameGrid().setColWidth(5, 1305);

    pick(2); // other

    EXPECT_TRUE(m_prompter.shown().empty());
    EXPECT_EQ(box(), 2);
    const auto widths =
        ProfileFile(m_data->templateFolder() + "/demo.tpl").read("ROWINFO", "ROWWIDTH");
    ASSERT_TRUE(widths);
    EXPECT_EQ(widths->substr(0, 5), "2400,");
    EXPECT_NE(widths->find(",1305,"), std::string::npos);
    EXPECT_EQ(m_wb->settingsStore().settings().templateFile, "other.tpl");
    EXPECT_FALSE(m_view.isEnabled(id(Ctl::Assign)));
    EXPECT_FALSE(m_view.isEnabled(id(Ctl::Execute)));
}

TEST_F(WorkbenchTest, StoredWidthsAreAppliedWhenTheTemplateRemembersThem) {
    m_data->writeGoodTemplate("demo", true, "1500,900,1200,");
    open({"Template=demo.tpl"});
    EXPECT_EQ(grid().colWidth(3), 1500);
    EXPECT_EQ(grid().colWidth(4), 900);
    EXPECT_EQ(grid().colWidth(5), 1200);
}

TEST_F(WorkbenchTest, TheStartupRequestSelectsItsTemplateByNameWithoutRegardToCase) {
    StartupRequest request;
    request.templateGiven = true;
    request.templatePath = m_data->templateFolder() + "/OTHER.tpl";
    open({"Template=demo.tpl"}, request);

    m_wb->actOnStartupRequest();

    EXPECT_EQ(box(), 2);
    EXPECT_EQ(m_wb->state().currentTemplate.name, "other");
}

TEST_F(WorkbenchTest, EnterKeyAssignMakesAssignTheDefaultButton) {
    open({"EnterKeyAssign=1"});
    EXPECT_EQ(m_view.defaultButton(), id(Ctl::Assign));
}

TEST_F(WorkbenchTest, EveryMenuItemAndButtonIsRouted) {
    open({});
    for (int c : {32774, 32776, 32778, 32779, 32780, 32781, 32782, 32783, 32784, 32785, 32786,
                  32787, 32788, 32793, 57670, 1031,  1028,  1061,  1016,  1063,  1064,  1065,
                  1014,  1015,  1032,  1018,  1029,  1022,  1023,  1025,  1024}) {
        EXPECT_TRUE(m_wb->commands().contains(c)) << c;
    }
    EXPECT_FALSE(m_wb->command(1066));

    m_wb->command(id(Cmd::Exit));
    EXPECT_EQ(m_host.closeRequests, 1);
    m_wb->command(id(Cmd::Version));
    EXPECT_EQ(m_host.versionShown, 1);
    EXPECT_FALSE(m_wb->launcher().modal());
}

TEST_F(WorkbenchTest, ListContextMenuIsEnabledOnlyWithATemplate) {
    open({});
    bool cancel = false;
    auto& grid = m_wb->renameGrid();
    grid.observer()->gridBeforeMouseDown(grid, gridbutton::Right, 0, 0, 0, cancel);
    ASSERT_EQ(m_host.menus.size(), 1u);
    EXPECT_EQ(m_host.menus[0], MenuId::ListOperations);
    ASSERT_EQ(m_host.lastItems.size(), 2u);
    EXPECT_FALSE(m_host.lastItems[0].enabled);

    pick(1);
    grid.observer()->gridBeforeMouseDown(grid, gridbutton::Right, 0, 0, 0, cancel);
    EXPECT_TRUE(m_host.lastItems[0].enabled);
    EXPECT_TRUE(m_host.lastItems[1].enabled);
}

TEST_F(WorkbenchTest, ClosingWritesTheSettingsAndTheRestoredRectangle) {
    open({"Template=demo.tpl"});
    ASSERT_TRUE(m_wb->requestClose(WindowRect{10, 20, 1210, 1000}, false));
    ProfileFile settings(m_data->settingsFile());
    EXPECT_EQ(settings.read("SYSTEM", "Template"), "demo.tpl");
    EXPECT_EQ(settings.read("SYSTEM", "InitWindowRectLeft"), "10");
    EXPECT_EQ(settings.read("SYSTEM", "InitWindowRectBottom"), "1000");
    EXPECT_TRUE(ProfileFile(m_data->templateFolder() + "/demo.tpl").read("ROWINFO", "ROWWIDTH"));
}

TEST_F(WorkbenchTest, ClosingMaximisedKeepsTheStoredRectangle) {
    open({"InitWindowRectLeft=5", "InitWindowRectTop=6", "InitWindowRectRight=1500",
          "InitWindowRectBottom=990"});
    ASSERT_TRUE(m_wb->requestClose(WindowRect{0, 0, 1600, 1000}, true));
    EXPECT_EQ(ProfileFile(m_data->settingsFile()).read("SYSTEM", "InitWindowRectLeft"), "5");
}

TEST_F(WorkbenchTest, TheAgentsRegistryPathReplacesQuentryPathAtOpeningAndIsWrittenBack) {
    const struct {
        std::string registry;
        std::string quentryPath;
        bool installed;
    } cases[] = {
        {"[SOFTWARE\\ORVANE\\DelmoSolution\\Quentry]\r\nPath=/opt/agent/bin/Quentry.exe\r\n",
         "/opt/agent/bin/", true},
        {"[SOFTWARE\\ORVANE\\DelmoSolution\\Quentry]\r\nPath=\r\n", "/srv/own/", false},
        {"", "/srv/own/", false},
    };
    for (const auto& c : cases) {
        open({"[PATH]", "QuentryPath=/srv/own"}, {}, c.registry);
        EXPECT_EQ(m_wb->state().registrationAgentInstalled, c.installed) << c.registry;
        ASSERT_TRUE(m_wb->requestClose(WindowRect{10, 20, 1210, 1000}, false));
        EXPECT_EQ(ProfileFile(m_data->settingsFile()).read("PATH", "QuentryPath"), c.quentryPath)
            << c.registry;
    }
}

} // namespace

TEST_F(WorkbenchTest, TheTemplateEditorRelistsTheBoxUnlessTheCurrentTemplateWasEdited) {
    open({"Template=demo.tpl"});
    struct Case {
        bool editsCurrent;
        bool relisted;
    } const cases[] = {{false, true}, {true, false}};
    for (const Case& c : cases) {
        m_data->writeGoodTemplate("zadded");
        m_host.editorEditsCurrent = c.editsCurrent;
        m_wb->renameGrid().setText(0, 3, "kept");
        const int fills = m_list.fills();
        ASSERT_TRUE(m_wb->command(id(Cmd::TemplateEditor)));
        EXPECT_EQ(m_host.editorOpenedFor.back(), "demo");
        EXPECT_EQ(m_list.fills() > fills, c.relisted);
        EXPECT_EQ(grid().text(0, 3), "kept"); // the loaded template is never reloaded
        EXPECT_EQ(box(), 1);
        EXPECT_FALSE(m_wb->launcher().modal());
        std::remove(m_data->templateFolder().append("/zadded.tpl").c_str());
    }
    EXPECT_FALSE(m_wb->commands().isPending(id(Cmd::TemplateEditor)));
}
