#include "base/TextCodec.h"
#include "ui/workbench/CReadAssignDlg.h"
#include "workbench/ReadAssignment.h"

#include <QLabel>
#include <QTableWidget>
#include <QtTest>

namespace {

ReadSuggestion suggestion(const char* file, const char* paper, int row, const char* value,
                          double score, SheetMatcher::By by, const char* listed = "") {
    ReadSuggestion s;
    s.image.fileName = file;
    s.image.paperSize = textcodec::utf8ToCp932(paper);
    if (row > 0) {
        s.match.suggestion = SheetMatcher::Candidate{row, std::to_string(row), score, by, 0, value};
    }
    s.paperSizeListed = textcodec::utf8ToCp932(listed);
    s.paperMismatch = *listed != '\0' && std::string(listed) != std::string(paper).substr(0, 2);
    return s;
}

// The results of reading a small folder: a code, text read well and less well, a sheet whose
// size differs from the list, one that named no row, one that could not be read.
std::vector<ReadSuggestion> results() {
    using By = SheetMatcher::By;
    std::vector<ReadSuggestion> r{
        suggestion("scan_0001.tif", "A4 縦", 7, "NMR-C-3001", 1.0, By::Text, "A4"),
        suggestion("scan_0002.tif", "A4 横", 8, "NMR-C-3002", 0.93, By::Text, "A4"),
        suggestion("scan_0003.tif", "A3 横", 1, "NMR-A-1001", 1.0, By::Code, "A3"),
        suggestion("scan_0004.tif", "A2 横", 2, "NMR-A-1002", 0.82, By::Text, "A2"),
        suggestion("scan_0005.tif", "A3 縦", 12, "NMR-E-5001", 1.0, By::Text, "A4"),
        suggestion("scan_0006.tif", "B4 縦", 0, "", 0.0, By::Text),
        suggestion("scan_0007.tif", "不定形", 0, "", 0.0, By::Text),
    };
    r[2].match.codeOverText = true;
    r[3].reading.codes = {{"QRCode", "NMR-A-1002"}};
    r[3].reading.text = "図番 NMR-A-1O02";
    r[3].match.runnerUp = SheetMatcher::Candidate{3, "3", 0.71, By::Text, 0, "NMR-A-1003"};
    r[6].reading.failure = ReadFailure::Damaged;
    return r;
}

} // namespace

class TestCReadAssignDlg : public QObject {
    Q_OBJECT

private slots:
    void linesAreCheckedAtTheMinimumScoreAndOnlySuggestionsCanBeChecked() {
        const auto r = results();
        const auto preset = ReadAssignment::presetChecks(r, 0.90);
        QCOMPARE(preset, (std::vector<bool>{true, true, true, false, true, false, false}));
        CReadAssignDlg dialog(r, preset);
        auto* table = dialog.findChild<QTableWidget*>();
        QVERIFY(table != nullptr);
        QCOMPARE(table->rowCount(), 7);
        QCOMPARE(table->item(3, 3)->text(), QStringLiteral("0.82"));
        QVERIFY(table->item(2, 4)->text().contains(QString::fromUtf8("不一致")));
        QCOMPARE(table->item(0, 5)->text(), QString::fromUtf8("A4 縦 (ﾘｽﾄと一致)"));
        QCOMPARE(table->item(4, 5)->text(), QString::fromUtf8("A3 縦 (ﾘｽﾄは A4)"));
        QCOMPARE(table->item(4, 5)->foreground().color(), QColor(Qt::red));
        QCOMPARE(table->item(5, 5)->text(), QString::fromUtf8("B4 縦"));
        QCOMPARE(table->item(5, 2)->text(), QString::fromUtf8("(候補なし)"));
        QCOMPARE(table->item(6, 2)->text(),
                 QString::fromUtf8(readFailureText(ReadFailure::Damaged)));
        QVERIFY(!(table->item(5, 0)->flags() & Qt::ItemIsEnabled));

        QCOMPARE(table->item(3, 2)->toolTip(),
                 QString::fromUtf8("ｺｰﾄﾞ: NMR-A-1002\n文字: 図番 NMR-A-1O02\n"
                                   "次点: No. 3  NMR-A-1003  (0.71)"));
        QCOMPARE(table->item(2, 2)->toolTip(), QString());
        auto* summary = dialog.findChild<QLabel*>();
        QVERIFY(summary->text().contains(QString::fromUtf8("行の候補がある画像: 5 枚")));
        QVERIFY(summary->text().contains(QString::fromUtf8("ﾁｪｯｸした画像: 4 枚")));

        table->item(3, 0)->setCheckState(Qt::Checked);
        table->item(0, 0)->setCheckState(Qt::Unchecked);
        QCOMPARE(dialog.checks(), (std::vector<bool>{false, true, true, true, true, false, false}));
        QVERIFY(summary->text().contains(QString::fromUtf8("ﾁｪｯｸした画像: 4 枚")));
        table->item(4, 0)->setCheckState(Qt::Unchecked);
        QVERIFY(summary->text().contains(QString::fromUtf8("ﾁｪｯｸした画像: 3 枚")));

        const QByteArray folder = qgetenv("NOMIRA_SCREENSHOTS");
        if (!folder.isEmpty()) {
            table->item(3, 0)->setCheckState(Qt::Unchecked);
            table->item(0, 0)->setCheckState(Qt::Checked);
            dialog.show();
            QTest::qWait(200);
            dialog.grab().save(QString::fromUtf8(folder) + "/read-assign.png");
        }
    }
};

QTEST_MAIN(TestCReadAssignDlg)
#include "tst_CReadAssignDlg.moc"
