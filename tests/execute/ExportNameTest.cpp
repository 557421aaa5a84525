#include "execute/ExportName.h"
#include "execute/ExportPreparation.h"
#include "execute/ScriptedExecuteDialogs.h"

#include "app/Settings.h"
#include "base/FileSystem.h"
#include "base/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

struct ExportNameCase {
    const char* label;
    const char* text; // UTF-8
    bool fromDialog;
    int exportType;
    bool addConse;
    std::vector<const char*> present; // files in the storage folder
    std::size_t folderPadding;        // extra bytes of the storage folder path
    const char* expected;             // UTF-8 accepted name, or "" when refused
    std::optional<Msg> refusal;
};

TEST(ExportName, ChecksNumbersAndRefusesExactlyAsTheDialogAndTheSettingsDo) {
    const std::vector<ExportNameCase> cases = {
        {"numbered past the taken ones",
         "リネームリスト",
         true,
         3,
         true,
         {"リネームリスト.csv", "リネームリスト(1).csv"},
         0,
         "リネームリスト(2)",
         std::nullopt},
        {"taken names compared without case",
         "list",
         true,
         1,
         true,
         {"LIST.CSV"},
         0,
         "list(1)",
         std::nullopt},
        {"a gap is not filled when the name itself is free",
         "list",
         true,
         1,
         true,
         {"list(1).csv"},
         0,
         "list",
         std::nullopt},
        {"no numbering when switched off",
         "list",
         true,
         1,
         false,
         {"list.csv"},
         0,
         "list",
         std::nullopt},
        {"dialog text trimmed", "  list  ", true, 1, true, {}, 0, "list", std::nullopt},
        {"agent type drops leading full-width blanks",
         "　list",
         true,
         2,
         true,
         {},
         0,
         "list",
         std::nullopt},
        {"other types keep them", "　list", true, 1, true, {}, 0, "　list", std::nullopt},
        {"colon refused in the dialog", "a:b", true, 1, true, {}, 0, "", Msg::FileNameBadChar},
        {"colon refused in the settings", "a:b", false, 1, true, {}, 0, "", Msg::ExportNameBadChar},
        {"tab refused", "a\tb", true, 1, true, {}, 0, "", Msg::FileNameBadChar},
        {"full-width characters only accepted",
         "ＡＢ：？",
         true,
         1,
         true,
         {},
         0,
         "ＡＢ：？",
         std::nullopt},
        {"a trail byte is no backslash", "ソ表", true, 1, true, {}, 0, "ソ表", std::nullopt},
        {"blank dialog text is empty", "   ", true, 1, true, {}, 0, "", Msg::FileNameEmpty},
        {"empty setting", "", false, 1, true, {}, 0, "", Msg::ExportNameEmpty},
        {"path of 243 bytes accepted", "n", true, 1, true, {}, 243, "n", std::nullopt},
        {"path of 244 bytes refused", "nn", true, 1, true, {}, 243, "", Msg::FileNameTooLong},
        {"too long from the settings", "nn", false, 1, true, {}, 243, "", Msg::ExportNameTooLong},
    };
    for (const ExportNameCase& c : cases) {
        TempDir dir;
        std::string folder = dir.path();
        if (c.folderPadding > 0) {
            // A folder whose path plus separator and a one-byte name makes folderPadding bytes.
            folder = dir.mkdir(std::string(c.folderPadding - dir.path().size() - 3, 'f'));
        }
        for (const char* name : c.present) {
            files::writeAtomically(files::join(folder, sj(name)), "x");
        }
        Settings settings;
        settings.exportType = c.exportType;
        settings.exportAddConse = c.addConse;
        const auto checked =
            exportname::checkExportName(sj(c.text), c.fromDialog, folder, settings);
        EXPECT_EQ(checked.refusal, c.refusal) << c.label;
        if (!c.refusal) {
            EXPECT_EQ(u8(checked.name), c.expected) << c.label;
        }
    }
}

TEST(ExportName, TheSecondFolderBoundsTheLengthToo) {
    TempDir dir;
    Settings settings;
    settings.exportSelectFolder = 1;
    settings.exportSelectFolderPath = "/" + std::string(240, 's');
    EXPECT_EQ(exportname::checkExportName("ab", true, dir.path(), settings).refusal,
              Msg::FileNameTooLong);
    settings.exportSelectFolder = 0;
    EXPECT_EQ(exportname::checkExportName("ab", true, dir.path(), settings).refusal, std::nullopt);
}

TEST(ExportName, RenameModeNames) {
    TempDir dir;
    dir.write("taken.TIF", "x");
    struct Case {
        const char* label;
        const char* text;
        ExportType type;
        const char* extension;
        const char* expected;
        std::optional<Msg> refusal;
    };
    const std::string longName(250, 'n');
    const std::vector<Case> cases = {
        {"Ledgra trims leading blanks", "  x", ExportType::Ledgra, "tif", "x", std::nullopt},
        {"agent trims leading blanks", "  x", ExportType::Agent, "tif", "x", std::nullopt},
        {"other types keep them", "  x", ExportType::RenameListCsv, "tif", "  x", std::nullopt},
        {"forbidden characters made full-width", "a:b?", ExportType::None, "tif", "a：b？",
         std::nullopt},
        {"an existing file refused without regard to case", "taken", ExportType::None, "tif", "",
         Msg::FileNameExists},
        {"another extension is free", "taken", ExportType::None, "jpg", "taken", std::nullopt},
        {"empty", "", ExportType::None, "tif", "", Msg::FileNameEmpty},
        {"too long", longName.c_str(), ExportType::None, "tif", "", Msg::FileNameTooLong},
    };
    for (const Case& c : cases) {
        const auto checked =
            exportname::checkRenameName(sj(c.text), c.type, dir.path(), c.extension);
        EXPECT_EQ(checked.refusal, c.refusal) << c.label;
        if (!c.refusal) {
            EXPECT_EQ(u8(checked.name), c.expected) << c.label;
        }
    }
}

TEST(ExportPreparation, TheDialogStaysOpenUntilANameIsAcceptedOrCancelled) {
    TempDir dir;
    dir.write("list.csv", "x");
    struct Case {
        const char* label;
        int dispInputDlg;
        const char* preset;
        std::vector<std::string> typed;
        std::optional<std::string> name;
        std::vector<std::string> messages; // UTF-8
    };
    const std::vector<Case> cases = {
        {"preset taken", 1, "preset", {}, "preset", {}},
        {"refused then accepted and numbered",
         1,
         "preset",
         {"a:b", "list"},
         "list(1)",
         {"ﾌｧｲﾙ名に使用できない文字が含まれています。"}},
        {"refused until cancelled",
         1,
         "bad|name",
         {""},
         std::nullopt,
         {"ﾌｧｲﾙ名を指定してください。"}},
        {"a refused preset cancels",
         1,
         "bad|name",
         {},
         std::nullopt,
         {"ﾌｧｲﾙ名に使用できない文字が含まれています。"}},
        {"without the dialog the setting is checked", 0, "preset", {"ignored"}, "preset", {}},
    };
    for (const Case& c : cases) {
        Settings settings;
        settings.dispInputDlg = c.dispInputDlg;
        settings.exportFilename = c.preset;
        ScriptedExecuteDialogs dialogs;
        for (const std::string& name : c.typed) {
            dialogs.queueName(ExecuteDialogs::NameMode::Export, name);
        }
        ScriptedPrompter prompter;
        const auto name = PrepareExportName(dialogs, prompter, dir.path(), settings);
        EXPECT_EQ(name ? std::optional(name->name) : std::nullopt, c.name) << c.label;
        std::vector<std::string> shown;
        for (const auto& s : prompter.shown()) {
            shown.push_back(u8(s.text));
            EXPECT_EQ(s.icon, Icon::Warning) << c.label;
        }
        EXPECT_EQ(shown.size(), c.messages.size()) << c.label;
        for (std::size_t i = 0; i < std::min(shown.size(), c.messages.size()); ++i) {
            EXPECT_EQ(shown[i], c.messages[i]) << c.label;
        }
    }
    Settings settings;
    settings.dispInputDlg = 0;
    settings.exportFilename = "a:b";
    ScriptedExecuteDialogs dialogs;
    ScriptedPrompter prompter;
    EXPECT_FALSE(PrepareExportName(dialogs, prompter, dir.path(), settings));
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(u8(prompter.shown()[0].text), "ｴｸｽﾎﾟｰﾄﾌｧｲﾙ名に使用できない文字が含まれています。");
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST(ExportPreparation, ExistingExportFilesAreListedForTheOperator) {
    TempDir dir;
    const std::string present = dir.write("list.csv", "x");
    const std::string absent = dir.file("other.csv");
    struct Case {
        const char* label;
        bool addConse;
        bool check;
        bool answer;
        bool proceeds;
        bool asked;
    };
    const std::vector<Case> cases = {
        {"numbering on: no check", true, true, false, true, false},
        {"check off", false, false, false, true, false},
        {"Yes overwrites", false, true, true, true, true},
        {"No cancels", false, true, false, false, true},
    };
    for (const Case& c : cases) {
        Settings settings;
        settings.exportAddConse = c.addConse;
        settings.displayFileExistCheck = c.check;
        ScriptedExecuteDialogs dialogs;
        dialogs.setOverwriteAnswer(c.answer);
        EXPECT_EQ(CheckExistingExportFiles(dialogs, settings, {absent, present}), c.proceeds)
            << c.label;
        ASSERT_EQ(dialogs.shown().size(), c.asked ? 1u : 0u) << c.label;
        if (c.asked) {
            EXPECT_EQ(dialogs.shown()[0].paths, std::vector<std::string>{present}) << c.label;
        }
    }
    Settings checking;
    checking.exportAddConse = false;
    checking.displayFileExistCheck = true;
    ScriptedExecuteDialogs dialogs;
    EXPECT_TRUE(CheckExistingExportFiles(dialogs, checking, {absent}));
    EXPECT_TRUE(dialogs.shown().empty());
}

} // namespace
