#include "base/Messages.h"

#include "base/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(MessagesTest, PlaceholdersAreFilledInOrderWithCp932Arguments) {
    const std::string path = sj("/data/表ソ/図面");
    EXPECT_EQ(fillPlaceholders("a%sb%dc", {"X", "12"}), "aXb12c");
    EXPECT_EQ(fillPlaceholders(sj("ﾊﾟｽ:%s\n"), {path}), sj("ﾊﾟｽ:") + path + "\n");
    // An argument holding "%s" is taken literally, not filled again.
    EXPECT_EQ(fillPlaceholders("%s-%s", {"%s", "y"}), "%s-y");
    EXPECT_EQ(fillPlaceholders("%s and %s", {"one"}), "one and ");
    EXPECT_EQ(fillPlaceholders("100%", {"x"}), "100%");
    EXPECT_EQ(fillPlaceholders("%x%s", {"v"}), "%xv");
}

TEST(MessagesTest, EveryCatalogueEntryConvertsAndItsCaptionSaysItsIcon) {
    const std::string warning = sj("警告");
    const std::string question = sj("確認");
    const std::string error = sj("ｴﾗｰ");
    const std::string information = sj("情報");
    for (int i = 0; i < static_cast<int>(Msg::Count); ++i) {
        const Message& m = message(static_cast<Msg>(i));
        SCOPED_TRACE(u8(m.text));
        EXPECT_FALSE(m.text.empty());
        // A character without a cp932 form becomes "?"; a text may still end in a real one.
        const std::string body = (!m.text.empty() && m.text.back() == '?')
                                     ? m.text.substr(0, m.text.size() - 1)
                                     : m.text;
        // The extension refusal lists the forbidden characters, "?" among them.
        if (static_cast<Msg>(i) != Msg::ExtensionBadChar) {
            EXPECT_EQ(body.find('?'), std::string::npos) << "a character had no cp932 form";
        }
        const Msg id = static_cast<Msg>(i);
        const bool reloadNotice =
            id == Msg::EnvMarginReload || id == Msg::EnvPageReload || id == Msg::EnvExtensionReload;
        // The environment dialog refuses some values under "確認" with the warning icon.
        const bool environmentRefusal =
            id == Msg::EnvExportNameEmpty || id == Msg::EnvSecondFolderEmpty ||
            id == Msg::EnvPageListEmpty || id == Msg::EnvPageListInvalid ||
            id == Msg::EnvPageListRange;
        if (reloadNotice || environmentRefusal) {
            EXPECT_EQ(m.caption, question);
            EXPECT_EQ(m.icon, reloadNotice ? Icon::Question : Icon::Warning);
            EXPECT_EQ(m.buttons, Buttons::Ok);
        } else if (m.caption == warning) {
            EXPECT_EQ(m.icon, Icon::Warning);
        } else if (m.caption == question) {
            EXPECT_EQ(m.icon, Icon::Question);
            // Questions answer Yes or No; the close question also offers Cancel, and the overwrite
            // question defaults to No.
            EXPECT_EQ(m.buttons == Buttons::YesNoDefaultNo, id == Msg::TargetExistsQuestion);
            EXPECT_TRUE(m.buttons == Buttons::YesNo || m.buttons == Buttons::YesNoCancel ||
                        m.buttons == Buttons::YesNoDefaultNo);
        } else if (m.caption == error) {
            EXPECT_EQ(m.icon, Icon::Error);
        } else if (m.caption == information) {
            EXPECT_EQ(m.icon, Icon::Information);
        } else if (m.caption.empty()) {
            EXPECT_EQ(m.icon, Icon::None); // the plain display failure boxes
        }
    }
}

TEST(MessagesTest, PrompterTellShowsTheFilledCatalogueText) {
    ScriptedPrompter prompter;
    prompter.tell(Msg::DataFolderMissing, {sj("/作業")});
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(
        prompter.shown()[0].text,
        sj("作業ﾌｫﾙﾀﾞがありません。またはｱｸｾｽ権がありません。\r\n以下のﾌｫﾙﾀﾞをご確認ください。"
           "\r\n/作業\n"));
    EXPECT_EQ(prompter.shown()[0].caption, sj("ｴﾗｰ"));
    EXPECT_EQ(prompter.shown()[0].icon, Icon::Error);
    prompter.tell(Msg::TemplatePathTooLong, {"255"});
    EXPECT_EQ(prompter.shown()[1].text, sj("ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙのﾊﾟｽが255ﾊﾞｲﾄを超過しています。"));
    EXPECT_EQ(prompter.shown()[1].text, message(Msg::TemplatePathTooLong255).text);
}

} // namespace
