#include "base/TextCodec.h"
#include "ui/base/QtText.h"
#include "ui/workbench/CInputFName.h"
#include "ui/workbench/CQueryCSVOverwrite.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

class tst_ExecuteDialogs : public QObject {
    Q_OBJECT

private slots:
    void okKeepsTheDialogOpenUntilTheCheckAccepts();
    void overwriteListShowsEveryPath();
};

void tst_ExecuteDialogs::okKeepsTheDialogOpenUntilTheCheckAccepts() {
    std::vector<ExecuteDialogs::TypedName> checked;
    CInputFName dialog(ExecuteDialogs::NameMode::Export, QStringLiteral("preset"),
                       [&](const ExecuteDialogs::TypedName& text) {
                           checked.push_back(text);
                           return text == textcodec::utf8ToCp932("リスト");
                       });
    dialog.show();
    QCOMPARE(dialog.field()->text(), QStringLiteral("preset"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("OkButton"));
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), 0);
    // A character without a cp932 form reaches the check as no text at all, never as "?".
    dialog.field()->setText(QStringLiteral("é名"));
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    dialog.field()->setText(QStringLiteral("リスト"));
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(dialog.result(), static_cast<int>(QDialog::Accepted));
    QCOMPARE(checked.size(), std::size_t{3});
    QVERIFY(!checked[1].has_value());
    QCOMPARE(dialog.acceptedText(), textcodec::utf8ToCp932("リスト"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("ﾌｧｲﾙ名の入力"));
}

void tst_ExecuteDialogs::overwriteListShowsEveryPath() {
    CQueryCSVOverwrite dialog({textcodec::utf8ToCp932("/s/リスト.csv"), "/s/b.csv"});
    QCOMPARE(dialog.list()->count(), 2);
    QCOMPARE(dialog.list()->item(0)->text(), QStringLiteral("/s/リスト.csv"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("確認"));
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("NoButton")), Qt::LeftButton);
    QCOMPARE(dialog.result(), static_cast<int>(QDialog::Rejected));
}

QTEST_MAIN(tst_ExecuteDialogs)
#include "tst_ExecuteDialogs.moc"
