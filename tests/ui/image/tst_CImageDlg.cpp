#include "base/ScriptedPrompter.h"
#include "image/ImageLibrary.h"
#include "support/TempDir.h"
#include "ui/image/CImageDlg.h"
#include "ui/image/ImageDisplay.h"

#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <leptonica/allheaders.h>
#include <sys/stat.h>

namespace {

QPushButton* button(QWidget* dialog, const QString& text, int nth = 0) {
    int seen = 0;
    for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
        if (b->text() == text && seen++ == nth) {
            return b;
        }
    }
    return nullptr;
}

} // namespace

class tst_CImageDlg : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_prompter.clear();
        m_dir = std::make_unique<TempDir>();
        m_path = m_dir->file("page.tif");
        PixHandle pix;
        ImageLibrary::create(pix, 800, 600, 1);
        pixSetResolution(pix.get(), 200, 200);
        pixRasterop(pix.get(), 100, 300, 600, 3, PIX_SET, nullptr, 0, 0);
        pixRasterop(pix.get(), 50, 50, 1, 1, PIX_SET, nullptr, 0, 0);
        QCOMPARE(ImageLibrary::save(m_path, pix, ImageLibrary::FormatG4Tiff, 1),
                 int(ImageLibrary::Success));
        m_editor = std::make_unique<ImageEditor>();
        QVERIFY(!m_editor->open(m_path));
    }

    void deskewNeedsASecondClickTenPixelsAway() {
        CImageDlg dialog(*m_editor, false, true, m_prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.setKind(ImageEditRules::Kind::Deskew);
        QPushButton* run = button(&dialog, QStringLiteral("実行"));
        QVERIFY(!run->isEnabled());
        const QPoint origin = dialog.display()->destinationRect().topLeft();
        QVERIFY(dialog.display()->displayedWidth() > 320);
        dialog.deskewClick(origin + QPoint(100, 100));
        dialog.deskewMove(origin + QPoint(200, 105));
        QVERIFY(dialog.display()->hasRubberBand());
        dialog.deskewClick(origin + QPoint(109, 109));
        QVERIFY(!run->isEnabled());
        dialog.deskewClick(origin + QPoint(300, 110));
        QVERIFY(run->isEnabled());
        QVERIFY(!dialog.display()->hasRubberBand());
        run->click();
        QVERIFY(!run->isEnabled());
        QVERIFY(m_editor->page().height() > 600);
        QCOMPARE(dialog.display()->bitmapHeight(), m_editor->page().height());
    }

    void noiseKindFollowsTheSetting() {
        for (bool offered : {false, true}) {
            CImageDlg dialog(*m_editor, false, offered, m_prompter);
            bool found = false;
            for (QRadioButton* r : dialog.findChildren<QRadioButton*>()) {
                if (r->text() == QStringLiteral("ﾉｲｽﾞ除去")) {
                    found = true;
                    QCOMPARE(!r->isHidden(), offered);
                }
            }
            QVERIFY(found);
        }
    }

    void aThinRegionIsRefusedAndRemoved() {
        CImageDlg dialog(*m_editor, false, true, m_prompter);
        dialog.show();
        dialog.setKind(ImageEditRules::Kind::Noise);
        dialog.setRange(ImageEditRules::Range::Inside);
        QPushButton* run = button(&dialog, QStringLiteral("実行"), 1);
        QVERIFY(!run->isEnabled());
        dialog.display()->setRegion(BitmapRegion(BitmapRegion::Rectangle, {10, 10, 2, 50}));
        QVERIFY(run->isEnabled());
        run->click();
        QCOMPARE(m_prompter.shown().size(), std::size_t(1));
        QVERIFY(m_prompter.shown()[0].text.find("\n") != std::string::npos);
        QVERIFY(!dialog.display()->hasRegion());
    }

    void okSavesOverAReadOnlyFile() {
        CImageDlg dialog(*m_editor, false, true, m_prompter);
        dialog.show();
        QVERIFY(::chmod(m_path.c_str(), 0444) == 0);
        button(&dialog, QStringLiteral("右回転"))->click();
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(m_prompter.shown().empty());
        PixHandle saved;
        QCOMPARE(ImageLibrary::loadPage(m_path, 1, saved), int(ImageLibrary::Success));
        QCOMPARE(saved.width(), 600);
        QCOMPARE(saved.bitsPerPixel(), 1);
    }

private:
    std::unique_ptr<TempDir> m_dir;
    std::string m_path;
    std::unique_ptr<ImageEditor> m_editor;
    ScriptedPrompter m_prompter;
};

QTEST_MAIN(tst_CImageDlg)
#include "tst_CImageDlg.moc"
