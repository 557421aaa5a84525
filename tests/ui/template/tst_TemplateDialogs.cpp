#include "app/ProgramLauncher.h"
#include "base/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "template/TemplateFolder.h"
#include "ui/template/CItemDetailDlg.h"
#include "ui/template/CTemplateDlg.h"
#include "ui/template/CTemplateMainDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <filesystem>

// The editor's windows over the core: a refused detail value restores its starting value, a
// template typed into the grid is saved, and the list shows the folder sorted. With
// NOMIRA_SCREENSHOTS set, each window is saved there as a picture.
class TemplateDialogsTest : public QObject {
    Q_OBJECT

private:
    static void shoot(QWidget& w, const char* name) {
        const QByteArray folder = qgetenv("NOMIRA_SCREENSHOTS");
        if (!folder.isEmpty()) {
            w.show();
            QTest::qWait(50);
            w.grab().save(QString::fromUtf8(folder) + "/" + name);
        }
    }

private slots:
    void refusedDigitsRestoreTheStartingValue() {
        ScriptedPrompter prompter;
        CItemDetailDlg dialog(sj("枚数"), sj("整数"), 2, ColumnDetail{4, 0, 3, {}}, prompter);
        auto* digits = dialog.findChildren<QLineEdit*>().at(0);
        digits->setText(QStringLiteral("10"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(digits->text(), QStringLiteral("4"));
        QCOMPARE(u8(prompter.shown().at(0).text), std::string("桁数は1～9を指定してください。"));
        digits->setText(QString::fromUtf8("０５"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.detail(), (ColumnDetail{5, 0, 3, {}}));
        CItemDetailDlg text(sj("図番"), sj("ﾃｷｽﾄ"), 1, ColumnDetail{0, 0, 1, {1, 2, 0, 3, 0}},
                            prompter);
        shoot(text, "template-detail.png");
    }

    static QPushButton* button(QWidget& w, const char* utf8) {
        for (auto* b : w.findChildren<QPushButton*>()) {
            if (b->text() == QString::fromUtf8(utf8)) {
                return b;
            }
        }
        return nullptr;
    }

    void referenceValuesFillTheGridAndReachTheSavedTemplate() {
        TempDir dir;
        ScriptedPrompter prompter;
        ProgramLauncher launcher;
        const TemplateFolder folder(dir.file("template"), dir.path());
        const std::string storage = dir.mkdir("storage");
        const std::string agent = dir.mkdir("agent") + "/";
        // A definition program that leaves a definition in the storage folder and records it.
        dir.write("made/quentdef.xml", "<Q><CabinetName>Plans</CabinetName></Q>");
        dir.write("made/quentdef.map",
                  sj("<DocType>,図面\r\n<CabinetName>,3\r\n<FolderName>,4\r\n<DocName>,1\r\n"
                     "図番,2\r\n"));
        const std::string program =
            dir.write("agent/Quentdef.exe",
                      "#!/bin/sh\ncp '" + dir.file("made") + "'/* '" + storage + "'\nmkdir -p '" +
                          agent + "ini'\nprintf '[WorkPath]\\nLastPath=" + storage +
                          "/quentdef.xml\\n' > '" + agent + "ini/RegistKey.ini'\n");
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);

        const TemplateEditorEnv hidden{folder, prompter, dir.path(), 20, false, &launcher, {}};
        CTemplateDlg plain(CTemplateDlg::Mode::Add, "plain", hidden);
        QVERIFY(button(plain, "参照値設定...")->isHidden());

        const TemplateEditorEnv env{folder,
                                    prompter,
                                    dir.path(),
                                    20,
                                    true,
                                    &launcher,
                                    {agent, agent + "ini/RegistKey.ini", dir.file("registry.ini")}};
        CTemplateDlg dialog(CTemplateDlg::Mode::Add, "agent", env);
        QPushButton* reference = button(dialog, "参照値設定...");
        QVERIFY(!reference->isHidden());
        QSignalSpy finished(&dialog, &QDialog::finished);
        reference->click();
        dialog.reject(); // the program is still running: the dialog stays
        QCOMPARE(finished.count(), 0);
        QTRY_COMPARE(u8(dialog.docType()), std::string("図面"));
        QCOMPARE(dialog.storageFolder(), storage);
        QVERIFY(dialog.isEnabled());
        QVERIFY(dialog.editGrid().namesLocked());
        QVERIFY(prompter.shown().empty());
        CellGrid& cells = dialog.editGrid().grid();
        QCOMPARE(u8(cells.text(2, 0)), std::string("キャビネット名"));
        QCOMPARE(u8(cells.text(4, 2)), std::string("2列目"));
        for (int r = 1; r <= 4; ++r) {
            cells.setText(r, 1, sj("ﾃｷｽﾄ"));
        }
        cells.setText(4, 3, sj("●"));
        shoot(dialog, "template-reference-values.png");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const auto t = folder.readTemplate("agent");
        QVERIFY(t.has_value());
        QCOMPARE(u8(t->docType), std::string("図面"));
        QCOMPARE(t->storageFolder, storage);
        QCOMPARE(u8(t->columns.at(3).name), std::string("図番"));
        QCOMPARE(t->columns.at(3).sourceField, 2);
    }

    void aGridTypedInTheDialogIsSaved() {
        TempDir dir;
        ScriptedPrompter prompter;
        const TemplateFolder folder(dir.file("template"), dir.path());
        const TemplateEditorEnv env{folder, prompter, dir.path(), 20, true, nullptr, {}};
        CTemplateDlg dialog(CTemplateDlg::Mode::Add, "drawings", env);
        CellGrid& cells = dialog.editGrid().grid();
        const char* rows[][7] = {{"図番", "ﾃｷｽﾄ", "3列目", "●", "昇順", "", ""},
                                 {"枚数", "整数", "4列目", "", "", "降順", "●"},
                                 {"縮尺", "実数", "5列目", "", "", "", ""},
                                 {"作成日", "日付", "6列目", "", "", "", ""}};
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 7; ++c) {
                cells.setText(r + 1, c, sj(rows[r][c]));
            }
        }
        shoot(dialog, "template-dialog.png");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const auto t = folder.readTemplate("drawings");
        QVERIFY(t.has_value());
        QCOMPARE(t->columns.size(), std::size_t(4));
        QCOMPARE(t->columns[1].sort2, 2);
        QVERIFY(t->columns[1].hidden);

        dir.write("template/Alpha.tpl", "[ROWINFO]\r\n");
        CTemplateMainDlg list(env, "drawings");
        QCOMPARE(list.listWidget()->count(), 2);
        QCOMPARE(list.listWidget()->item(0)->text(), QStringLiteral("Alpha"));
        shoot(list, "template-list.png");
    }
};

QTEST_MAIN(TemplateDialogsTest)
#include "tst_TemplateDialogs.moc"
