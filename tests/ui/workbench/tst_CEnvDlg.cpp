#include "app/SettingsStore.h"
#include "base/ScriptedPrompter.h"
#include "base/TextCodec.h"
#include "support/TempDir.h"
#include "ui/workbench/CEnvDlg.h"
#include "ui/workbench/CSetExtDlg.h"
#include "workbench/EnvironmentForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include <fstream>
#include <memory>

// The dialog over a settings file of the test's making.
class tst_CEnvDlg : public QObject {
    Q_OBJECT

private slots:
    void init();
    void pagesShowTheStoredValuesUnderTheirCaptions();
    void enablingFollowsTheChoices();
    void everyControlChangedReachesTheSettingsFile();
    void aRefusalShowsItsPageWithTheOldValueAndFocusesTheField();
    void cancelWritesNothing();
    void extensionDialogChecksAddsAndDeletes();

private:
    CEnvDlg& openDialog(std::initializer_list<const char*> systemLines);
    template <typename W> W* child(const char* name) {
        W* w = m_dialog->findChild<W*>(QString::fromLatin1(name));
        if (!w) {
            qFatal("no control %s", name);
        }
        return w;
    }
    SettingsStore reread() const {
        SettingsStore store(m_dir->file("Nomira.ini"), m_dir->path());
        store.loadAll();
        store.exportType();
        store.exportAddConse();
        store.displayFileExistCheck();
        return store;
    }

    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<SettingsStore> m_store;
    ScriptedPrompter m_prompter;
    std::unique_ptr<EnvironmentForm> m_form;
    std::unique_ptr<CEnvDlg> m_dialog;
};

void tst_CEnvDlg::init() {
    m_dialog.reset();
    m_form.reset();
    m_prompter.clear();
    m_dir = std::make_unique<TempDir>();
}

CEnvDlg& tst_CEnvDlg::openDialog(std::initializer_list<const char*> systemLines) {
    std::ofstream file(m_dir->file("Nomira.ini"), std::ios::binary);
    file << "[SYSTEM]\r\n";
    for (const char* line : systemLines) {
        file << textcodec::utf8ToCp932(line) << "\r\n";
    }
    file.close();
    m_store = std::make_unique<SettingsStore>(m_dir->file("Nomira.ini"), m_dir->path());
    m_form = std::make_unique<EnvironmentForm>(*m_store, m_prompter, false);
    m_dialog = std::make_unique<CEnvDlg>(*m_form, m_prompter);
    return *m_dialog;
}

void tst_CEnvDlg::pagesShowTheStoredValuesUnderTheirCaptions() {
    CEnvDlg& dialog =
        openDialog({"ExportType=2", "AddText=1", "ExportFilename=台帳", "Margin=7", "PrevPage=1",
                    "EnterKeyAssign=1", "InitDateType=1", "InitDate=2020/02/29"});
    QCOMPARE(dialog.windowTitle(), QStringLiteral("環境設定"));
    QTabWidget* tabs = dialog.tabs();
    QCOMPARE(tabs->currentIndex(), 0);
    const QStringList captions{QStringLiteral("ｴｸｽﾎﾟｰﾄ"), QStringLiteral("ﾌﾟﾚﾋﾞｭｰ"),
                               QStringLiteral("割り当て"), QStringLiteral("日付・拡張子")};
    for (int i = 0; i < captions.size(); ++i) {
        QCOMPARE(tabs->tabText(i), captions[i]);
    }
    auto* addText = child<QComboBox>("AddText");
    QCOMPARE(addText->count(), 3);
    QCOMPARE(addText->itemText(0), QStringLiteral("追加しない"));
    QCOMPARE(addText->itemText(1), QStringLiteral("追加する（最終列）"));
    QCOMPARE(addText->itemText(2), QStringLiteral("追加する（先頭列）"));
    QCOMPARE(addText->currentIndex(), 1);
    QVERIFY(child<QRadioButton>("ExportType2")->isChecked());
    QCOMPARE(child<QRadioButton>("ExportType2")->text(), QStringLiteral("ｸｴﾝﾄﾘｰ形式"));
    QCOMPARE(child<QLineEdit>("ExportFilename")->text(), QStringLiteral("台帳"));
    QCOMPARE(child<QLineEdit>("ExportFilename")->maxLength(), 64);
    QCOMPARE(child<QLineEdit>("PrevPageSelect")->maxLength(), 32);
    QCOMPARE(child<QLineEdit>("Margin")->text(), QStringLiteral("7"));
    QVERIFY(child<QRadioButton>("PrevPage1")->isChecked());
    QVERIFY(child<QCheckBox>("EnterKeyAssign")->isChecked());
    QCOMPARE(child<QCheckBox>("EnterKeyAssign")->text(),
             QStringLiteral("ENTERキー押下にて割り当てを行う。"));
    QCOMPARE(child<QDateEdit>("InitDate")->date(), QDate(2020, 2, 29));

    // The limits are for typing: a longer stored list is shown whole.
    init();
    const std::string pages = "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16";
    openDialog({"PrevPage=2", ("PrevPageSelect=" + pages).c_str()});
    QCOMPARE(child<QLineEdit>("PrevPageSelect")->text().toStdString(), pages);
}

void tst_CEnvDlg::enablingFollowsTheChoices() {
    openDialog({"PrevPage=0", "InitDateType=0", "ExportAddConse=1"});
    auto* pageList = child<QLineEdit>("PrevPageSelect");
    auto* date = child<QDateEdit>("InitDate");
    auto* existCheck = child<QCheckBox>("DisplayFileExistCheck");
    QVERIFY(!pageList->isEnabled());
    QVERIFY(!date->isEnabled());
    QVERIFY(!existCheck->isEnabled());
    child<QRadioButton>("PrevPage2")->setChecked(true);
    child<QRadioButton>("InitDateType1")->setChecked(true);
    child<QCheckBox>("ExportAddConse")->setChecked(false);
    QVERIFY(pageList->isEnabled());
    QVERIFY(date->isEnabled());
    QVERIFY(existCheck->isEnabled());
    child<QRadioButton>("PrevPage1")->setChecked(true);
    QVERIFY(!pageList->isEnabled());
}

void tst_CEnvDlg::everyControlChangedReachesTheSettingsFile() {
    openDialog({}).show();
    child<QRadioButton>("ExportType4")->setChecked(true);
    child<QComboBox>("AddText")->setCurrentIndex(2);
    child<QCheckBox>("DispInputDlg")->setChecked(false);
    child<QLineEdit>("ExportFilename")->setText(QStringLiteral(" 図面 "));
    child<QCheckBox>("ExportSelectFolder")->setChecked(true);
    m_prompter.queuePath(m_dir->path());
    QTest::mouseClick(child<QPushButton>("Browse"), Qt::LeftButton);
    child<QCheckBox>("ExportAddConse")->setChecked(false);
    child<QCheckBox>("DisplayFileExistCheck")->setChecked(true);
    child<QCheckBox>("LoadPreview")->setChecked(true);
    child<QCheckBox>("ExpanPreview")->setChecked(true);
    child<QCheckBox>("ExpanPrevMemory")->setChecked(true);
    child<QLineEdit>("Margin")->setText(QStringLiteral("３４"));
    child<QRadioButton>("PrevPage2")->setChecked(true);
    child<QLineEdit>("PrevPageSelect")->setText(QStringLiteral("2,4-6"));
    child<QCheckBox>("AutoCursol")->setChecked(true);
    child<QCheckBox>("EnterKeyAssign")->setChecked(true);
    child<QCheckBox>("RenameOverwrite")->setChecked(true);
    child<QRadioButton>("InitDateType1")->setChecked(true);
    child<QDateEdit>("InitDate")->setDate(QDate(2019, 11, 3));
    QTest::mouseClick(child<QPushButton>("OkButton"), Qt::LeftButton);
    QCOMPARE(m_dialog->result(), static_cast<int>(QDialog::Accepted));
    QVERIFY(m_prompter.shown().empty());

    const SettingsStore store = reread();
    const Settings& s = store.settings();
    QCOMPARE(s.exportType, 4);
    QCOMPARE(s.addText, 2);
    QCOMPARE(s.dispInputDlg, 0);
    QCOMPARE(s.exportFilename, textcodec::utf8ToCp932("図面"));
    QCOMPARE(s.exportSelectFolder, 1);
    QCOMPARE(s.exportSelectFolderPath, m_dir->path());
    QCOMPARE(s.exportAddConse, false);
    QCOMPARE(s.displayFileExistCheck, true);
    QCOMPARE(s.loadPreview, 1);
    QCOMPARE(s.expanPreview, 1);
    QCOMPARE(s.expanPrevMemory, 1);
    QCOMPARE(s.margin, 34);
    QCOMPARE(s.prevPage, 2);
    QCOMPARE(s.prevPageSelect, std::string("2,4-6"));
    QCOMPARE(s.autoCursol, 1);
    QCOMPARE(s.enterKeyAssign, 1);
    QCOMPARE(s.renameOverwrite, 1);
    QCOMPARE(s.initDateType, 1);
    QVERIFY(s.initDate == (Date{2019, 11, 3}));
}

void tst_CEnvDlg::aRefusalShowsItsPageWithTheOldValueAndFocusesTheField() {
    CEnvDlg& dialog = openDialog({"Margin=15", "PrevPage=2", "PrevPageSelect=1-3"});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* margin = child<QLineEdit>("Margin");
    margin->setText(QStringLiteral("12a"));
    QTest::mouseClick(child<QPushButton>("OkButton"), Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.tabs()->currentIndex(), 1);
    QCOMPARE(margin->text(), QStringLiteral("15"));
    QCOMPARE(QApplication::focusWidget(), margin);
    QCOMPARE(m_prompter.shown().size(), std::size_t{1});

    dialog.tabs()->setCurrentIndex(3);
    child<QLineEdit>("PrevPageSelect")->setText(QStringLiteral("1;2"));
    QTest::mouseClick(child<QPushButton>("OkButton"), Qt::LeftButton);
    QCOMPARE(dialog.tabs()->currentIndex(), 1);
    QCOMPARE(child<QLineEdit>("PrevPageSelect")->text(), QStringLiteral("1-3"));
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>("PrevPageSelect"));

    child<QCheckBox>("ExportSelectFolder")->setChecked(true);
    QTest::mouseClick(child<QPushButton>("OkButton"), Qt::LeftButton);
    QCOMPARE(dialog.tabs()->currentIndex(), 0);
    QCOMPARE(QApplication::focusWidget(), child<QPushButton>("Browse"));
    QCOMPARE(reread().settings().margin, 15);
}

void tst_CEnvDlg::cancelWritesNothing() {
    openDialog({"Margin=15"});
    const std::string before = m_dir->read("Nomira.ini");
    child<QLineEdit>("Margin")->setText(QStringLiteral("20"));
    child<QCheckBox>("AutoCursol")->setChecked(true);
    QTest::mouseClick(child<QPushButton>("CancelButton"), Qt::LeftButton);
    QCOMPARE(m_dialog->result(), static_cast<int>(QDialog::Rejected));
    QCOMPARE(m_dir->read("Nomira.ini"), before);
    QVERIFY(!m_form->confirmed());
}

void tst_CEnvDlg::extensionDialogChecksAddsAndDeletes() {
    CSetExtDlg dialog(ExtensionList({"hpg"}), m_prompter);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("HP-GL2形式の拡張子設定"));
    auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("Extension"));
    auto* add = dialog.findChild<QPushButton*>(QStringLiteral("Add"));
    auto* remove = dialog.findChild<QPushButton*>(QStringLiteral("Remove"));
    auto* entries = dialog.findChild<QListWidget*>(QStringLiteral("Entries"));
    QCOMPARE(entries->count(), 1);

    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(m_prompter.shown().back().text,
             textcodec::utf8ToCp932("削除する拡張子を指定してください。"));
    for (const char* text : {"plt", "PLT", "exe"}) {
        field->setText(QString::fromUtf8(text));
        QTest::mouseClick(add, Qt::LeftButton);
    }
    QCOMPARE(entries->count(), 2);
    QCOMPARE(m_prompter.shown().size(), std::size_t{3});
    QCOMPARE(m_prompter.shown()[1].text,
             textcodec::utf8ToCp932("指定された拡張子は既に登録されています。"));
    QCOMPARE(m_prompter.shown()[2].text,
             textcodec::utf8ToCp932("指定された拡張子は登録できません。"));
    QCOMPARE(field->text(), QStringLiteral("exe"));
    for (int i = 3; i <= 10; ++i) {
        field->setText(QStringLiteral("p%1").arg(i));
        QTest::mouseClick(add, Qt::LeftButton);
    }
    QCOMPARE(entries->count(), 10);
    QVERIFY(!add->isEnabled());
    QVERIFY(field->text().isEmpty());

    entries->selectAll();
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(entries->count(), 0);
    QVERIFY(add->isEnabled());
    QVERIFY(!remove->isEnabled());
    QCOMPARE(m_prompter.shown().size(), std::size_t{3});
}

QTEST_MAIN(tst_CEnvDlg)
#include "tst_CEnvDlg.moc"
