#include "base/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "template/TemplateFolder.h"
#include "ui/template/CItemDetailDlg.h"
#include "ui/template/CTemplateDlg.h"
#include "ui/template/CTemplateMainDlg.h"

#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

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

    void aGridTypedInTheDialogIsSaved() {
        TempDir dir;
        ScriptedPrompter prompter;
        const TemplateFolder folder(dir.file("template"), dir.path());
        const TemplateEditorEnv env{folder, prompter, dir.path(), 20, true};
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
