#include "app/ProgramLauncher.h"
#include "base/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "template/TemplateFolder.h"
#include "ui/base/CVSFlexGrid.h"
#include "ui/template/CInputDlg.h"
#include "ui/template/CItemDetailDlg.h"
#include "ui/template/CTemplateDlg.h"
#include "ui/template/CTemplateMainDlg.h"
#include "ui/template/DigitSpinBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
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

    // A template folder in a scratch data folder, and the editor's environment over it.
    struct Editor {
        explicit Editor(std::string dataFolder = {})
            : folder(dir.file("template"), dir.path()),
              env{folder,  prompter, dataFolder.empty() ? dir.path() : dataFolder, 20, false,
                  nullptr, {}} {}

        TempDir dir;
        ScriptedPrompter prompter;
        const TemplateFolder folder;
        const TemplateEditorEnv env;
    };

    // Two complete rows: the smallest grid OK accepts.
    static void fillTwoRows(CellGrid& cells) {
        const char* rows[][4] = {{"図番", "ﾃｷｽﾄ", "1列目", "●"}, {"枚数", "整数", "2列目", ""}};
        for (int r = 0; r < 2; ++r) {
            for (int c = 0; c < 4; ++c) {
                cells.setText(r + 1, c, sj(rows[r][c]));
            }
        }
    }

    // Typed character by character, as a keyboard or an input method gives them.
    static void type(QWidget* w, const QString& text) {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
        }
    }

    static void showActive(QWidget& w) {
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }

    // Under a window manager (NOMIRA_SCREENSHOTS set, platform xcb) the whole screen is saved, with
    // open drop-down lists and window frames.
    static void shootScreen(const char* name) {
        const QByteArray folder = qgetenv("NOMIRA_SCREENSHOTS");
        if (!folder.isEmpty()) {
            QTest::qWait(300);
            QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromUtf8(folder) + "/" +
                                                                 name);
        }
    }

private slots:
    void dropDownsOpenByClickF4AndAltArrows_data() {
        QTest::addColumn<int>("key"); // 0: a press on the editor
        QTest::addColumn<int>("modifiers");
        QTest::newRow("press") << 0 << 0;
        QTest::newRow("F4") << int(Qt::Key_F4) << 0;
        QTest::newRow("Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier);
        QTest::newRow("Alt+Up") << int(Qt::Key_Up) << int(Qt::AltModifier);
    }

    void dropDownsOpenByClickF4AndAltArrows() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Editor e;
        CTemplateDlg dialog(CTemplateDlg::Mode::Add, "lists", e.env);
        showActive(dialog);
        auto* view = dialog.findChild<CVSFlexGrid*>();
        CellGrid& cells = dialog.editGrid().grid();
        for (int col : {TemplateEditGrid::Type, TemplateEditGrid::Source, TemplateEditGrid::Sort1,
                        TemplateEditGrid::Sort2}) {
            cells.setCurrentCell(2, col);
            QTest::keyClick(view, Qt::Key_F2);
            auto* combo = qobject_cast<QComboBox*>(view->editorWidget());
            QVERIFY2(combo != nullptr, "no drop-down editor");
            if (key == 0) {
                QTest::mousePress(combo, Qt::LeftButton);
            } else {
                QTest::keyClick(combo, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            }
            QTRY_VERIFY(combo->view()->isVisible());
            if (col == TemplateEditGrid::Type && key == Qt::Key_F4) {
                shootScreen("template-dropdown-open.png");
            }
            // The list is open on the same cell, still being edited.
            QVERIFY(cells.isEditing());
            QCOMPARE(cells.row(), 2);
            QCOMPARE(cells.col(), col);
            combo->hidePopup();
            QTest::keyClick(combo, Qt::Key_Escape);
            QVERIFY(!cells.isEditing());
        }
    }

    void theGridTakesF2AsSoonAsTheDialogOpens() {
        Editor e;
        CTemplateDlg dialog(CTemplateDlg::Mode::Add, "keys", e.env);
        showActive(dialog);
        QVERIFY(qobject_cast<CVSFlexGrid*>(QApplication::focusWidget()) != nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
        CellGrid& cells = dialog.editGrid().grid();
        QVERIFY(cells.isEditing());
        QCOMPARE(cells.editRow(), 1);
        QCOMPARE(cells.editCol(), 0);
    }

    void everyEditorDialogIsCaptionedInJapanese() {
        Editor e;
        std::vector<std::unique_ptr<QDialog>> dialogs;
        dialogs.push_back(
            std::make_unique<CInputDlg>(CInputDlg::Mode::Add, std::vector<std::string>{}, e.env));
        dialogs.push_back(std::make_unique<CItemDetailDlg>(sj("図番"), sj("ﾃｷｽﾄ"), 1,
                                                           ColumnDetail{}, e.prompter));
        dialogs.push_back(std::make_unique<CTemplateDlg>(CTemplateDlg::Mode::Add, "c", e.env));
        for (const auto& dialog : dialogs) {
            QStringList captions;
            for (const auto* b : dialog->findChildren<QPushButton*>()) {
                captions << b->text();
            }
            QVERIFY2(captions.contains(QStringLiteral("OK")), qPrintable(captions.join('|')));
            QVERIFY2(captions.contains(QString::fromUtf8("ｷｬﾝｾﾙ")), qPrintable(captions.join('|')));
            QVERIFY2(!captions.join('|').contains(QStringLiteral("Cancel")),
                     qPrintable(captions.join('|')));
        }
    }

    void aRefusedOptionOrRowGetsTheFocus_data() {
        QTest::addColumn<QString>("replacement"); // empty: space replacement off
        QTest::addColumn<QString>("connector");
        QTest::addColumn<bool>("rowWithoutType");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus"); // object name, or "grid"
        const QString replacementRefused =
            QString::fromUtf8("置換文字に禁則文字は指定できません。");
        const QString connectorRefused = QString::fromUtf8("連結子に禁則文字は指定できません。");
        QTest::newRow("double-byte replacement")
            << QString::fromUtf8("あ") << QString() << false << replacementRefused << "Replacement";
        QTest::newRow("forbidden replacement")
            << QStringLiteral("*") << QString() << false << replacementRefused << "Replacement";
        QTest::newRow("double-byte connector")
            << QString() << QString::fromUtf8("い") << false << connectorRefused << "Connector";
        QTest::newRow("forbidden connector")
            << QString() << QStringLiteral("|") << false << connectorRefused << "Connector";
        QTest::newRow("row without a type") << QString() << QString() << true
                                            << QString::fromUtf8("ﾃﾞｰﾀ型が未設定です。") << "grid";
    }

    void aRefusedOptionOrRowGetsTheFocus() {
        QFETCH(QString, replacement);
        QFETCH(QString, connector);
        QFETCH(bool, rowWithoutType);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        Editor e;
        CTemplateDlg dialog(CTemplateDlg::Mode::Add, "refused", e.env);
        CellGrid& cells = dialog.editGrid().grid();
        fillTwoRows(cells);
        if (rowWithoutType) {
            cells.setText(3, TemplateEditGrid::Name, sj("縮尺"));
        }
        if (!replacement.isEmpty()) {
            dialog.findChild<QCheckBox*>()->setChecked(true);
        }
        // Set as a template file may hold them; typing cannot give these values.
        dialog.findChild<QLineEdit*>("Replacement")->setText(replacement);
        dialog.findChild<QLineEdit*>("Connector")->setText(connector);
        showActive(dialog);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(QString::fromStdString(u8(e.prompter.shown().back().text)), message);
        QVERIFY(!e.folder.readTemplate("refused"));
        if (focus == QStringLiteral("grid")) {
            QVERIFY(qobject_cast<CVSFlexGrid*>(QApplication::focusWidget()) != nullptr);
            QCOMPARE(cells.row(), 3);
        } else {
            QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        }
    }

    void theOneByteFieldsTakeOnlySingleByteCharacters() {
        Editor e;
        CTemplateDlg dialog(CTemplateDlg::Mode::Add, "typed", e.env);
        fillTwoRows(dialog.editGrid().grid());
        dialog.findChild<QCheckBox*>()->setChecked(true);
        auto* replacement = dialog.findChild<QLineEdit*>("Replacement");
        auto* connector = dialog.findChild<QLineEdit*>("Connector");
        type(replacement, QString::fromUtf8("あ"));
        type(connector, QString::fromUtf8("い"));
        QCOMPARE(replacement->text(), QString());
        QCOMPARE(connector->text(), QString());
        type(replacement, QString::fromUtf8("ｱｲ"));
        type(connector, QStringLiteral("-+"));
        QCOMPARE(replacement->text(), QString::fromUtf8("ｱ"));
        QCOMPARE(connector->text(), QStringLiteral("-"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const auto t = e.folder.readTemplate("typed");
        QVERIFY(t.has_value());
        QCOMPARE(t->replacementChar, sj("ｱ"));
        QCOMPARE(t->connector, std::string("-"));
    }

    void aLongStorageFolderKeepsTheDialogOnTheScreen() {
        std::string data = "/srv";
        for (const char part : {'d', 'e', 'f'}) {
            data += "/" + std::string(150, part);
        }
        Editor e(data);
        CTemplateDlg dialog(CTemplateDlg::Mode::Add, "wide", e.env);
        showActive(dialog);
        const QRect screen = dialog.screen()->availableGeometry();
        QVERIFY2(dialog.frameGeometry().width() <= screen.width(),
                 qPrintable(QString::number(dialog.frameGeometry().width())));
        const auto* label = dialog.findChild<QLabel*>("StorageFolder");
        QCOMPARE(label->toolTip(), QString::fromStdString(data + "/rename"));
        QVERIFY(label->text().contains(QChar(0x2026)));
        QVERIFY(label->text().endsWith(QStringLiteral("/rename")));
    }

    void theDetailSpinButtonsStepWithinTheRange_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("expected");
        const int up = Qt::Key_Up;
        const int down = Qt::Key_Down;
        QTest::newRow("integer up") << 2 << "Digits"
                                    << "4" << up << "5";
        QTest::newRow("integer stops at 9") << 2 << "Digits"
                                            << "9" << up << "9";
        QTest::newRow("text stops at 100") << 1 << "Digits"
                                           << "100" << up << "100";
        QTest::newRow("text stops at 1") << 1 << "Digits"
                                         << "1" << down << "1";
        QTest::newRow("full-width digits")
            << 1 << "Digits" << QString::fromUtf8("０５") << up << "6";
        QTest::newRow("no number starts at the minimum") << 2 << "Digits"
                                                         << "x" << up << "1";
        QTest::newRow("decimals down") << 3 << "Decimals"
                                       << "2" << down << "1";
        QTest::newRow("decimals stop at 2") << 3 << "Decimals"
                                            << "2" << up << "2";
    }

    void theDetailSpinButtonsStepWithinTheRange() {
        QFETCH(int, type);
        QFETCH(QString, field);
        QFETCH(QString, start);
        QFETCH(int, key);
        QFETCH(QString, expected);
        ScriptedPrompter prompter;
        CItemDetailDlg dialog(sj("列"), sj("ﾃｷｽﾄ"), type, ColumnDetail{}, prompter);
        auto* spin = dialog.findChild<DigitSpinBox*>(field);
        QVERIFY(spin != nullptr);
        QVERIFY(spin->isEnabled());
        QCOMPARE(spin->buttonSymbols(), QAbstractSpinBox::UpDownArrows);
        spin->setText(start);
        QTest::keyClick(spin, Qt::Key(key));
        QCOMPARE(spin->text(), expected);
    }

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
