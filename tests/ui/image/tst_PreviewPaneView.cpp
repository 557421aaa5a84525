#include "base/FileSystem.h"
#include "image/ImageLibrary.h"
#include "image/ImageSettings.h"
#include "image/PageMeasure.h"
#include "image/PaperSize.h"
#include "image/PreviewMaker.h"
#include "image/PreviewNaming.h"
#include "support/ImageFixtures.h"
#include "support/TempDir.h"
#include "ui/base/QtMainView.h"
#include "ui/image/ImageDisplay.h"
#include "ui/image/PreviewPaneView.h"
#include "workbench/Ctl.h"

#include <QGridLayout>
#include <QLabel>
#include <QtTest>

namespace {

constexpr int kPreview = id(Ctl::Preview);
constexpr int kHighRes = id(Ctl::HighResPage);
// The large preview at the window's design size: 233 x 182 dialog units, two pixels each.
constexpr int kPreviewWidth = 466;
constexpr int kPreviewHeight = 364;

// An A4 portrait scan of pages at 200 dpi, 1-bit CCITT G4, as a scanner writes it.
std::string writeA4Scan(const TempDir& dir, int pages) {
    ImageFixtures::TiffLayout layout;
    layout.width = 1654;
    layout.height = 2339;
    layout.compression = 4;
    layout.pages = pages;
    const std::string path = dir.file("scan_0005.tif");
    return ImageFixtures::writeTiff(path, layout) ? path : std::string();
}

int darkPixels(const QImage& image, const QRect& area) {
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    return dark;
}

} // namespace

class tst_PreviewPaneView : public QObject {
    Q_OBJECT

private slots:
    void showsAG4PageFittedIntoThePreview();
    void paneWithPaperSizeAndPageCount();
};

void tst_PreviewPaneView::showsAG4PageFittedIntoThePreview() {
    TempDir dir;
    const std::string scan = writeA4Scan(dir, 1);
    QVERIFY(!scan.empty());
    QWidget window;
    PreviewPaneView view(&window);
    ImageDisplay* preview = view.display(kPreview);
    QVERIFY(preview != nullptr);
    QCOMPARE(view.display(1020), nullptr);
    preview->setGeometry(0, 0, kPreviewWidth, kPreviewHeight);
    window.resize(kPreviewWidth, kPreviewHeight);
    window.show();

    QCOMPARE(view.load(kPreview, scan, 1), int(ImageLibrary::Success));
    QVERIFY(view.hasPage(kPreview));
    const PreviewMetrics m = view.metrics(kPreview);
    // Fitted by height, aspect kept.
    QCOMPARE(m.displayedHeight, kPreviewHeight);
    QVERIFY(qAbs(m.displayedWidth - kPreviewHeight * 1654 / 2339) <= 1);
    QVERIFY(qAbs(m.scaleX - double(kPreviewHeight) / 2339) < 1e-3);
    QVERIFY(qAbs(m.scaleY - m.scaleX) < 1e-3);

    // The page frame is black: the grabbed preview carries ink, the part right of the page none.
    const QImage shot = preview->grab().toImage();
    QVERIFY(darkPixels(shot, QRect(0, 0, m.displayedWidth, m.displayedHeight)) > 1000);

    // A page that does not load leaves the page on show; clearing empties the display.
    QVERIFY(view.load(kPreview, scan, 2) < 0);
    QVERIFY(view.load(kPreview, dir.file("missing.tif"), 1) < 0);
    QCOMPARE(view.metrics(kPreview), m);
    QVERIFY(view.load(1021, scan, 1) < 0);

    // The hidden high-resolution page is never shown and holds the page at 100 %.
    QVERIFY(!view.display(kHighRes)->isVisible());
    QCOMPARE(view.load(kHighRes, scan, 1), int(ImageLibrary::Success));
    view.setZoom(kHighRes, 100);
    QCOMPARE(view.metrics(kHighRes).scaleX, 1.0);
    QCOMPARE(view.metrics(kHighRes).displayedWidth, 1654);
    view.clear(kPreview);
    QVERIFY(!view.hasPage(kPreview));
    QCOMPARE(view.metrics(kPreview), PreviewMetrics{});
}

// The pane as the operator sees it: file name, paper size, "page ／ count" above the preview of a
// scan's first page. With NOMIRA_DEMO_SCAN the demo scan is shown instead of a made one; with
// NOMIRA_PREVIEW_SCREENSHOT the pane is saved there as PNG.
void tst_PreviewPaneView::paneWithPaperSizeAndPageCount() {
    TempDir data;
    TempDir images;
    const QByteArray demo = qgetenv("NOMIRA_DEMO_SCAN");
    const std::string scan = demo.isEmpty() ? writeA4Scan(images, 3) : demo.toStdString();
    QVERIFY(files::isRegularFile(scan));

    ImageSettings settings;
    settings.dataFolder = data.path();
    settings.tempFolder = PreviewNaming::tempFolder(data.path());
    const PreviewResult made = PreviewMaker(settings).make(scan, ImageType::Tiff);
    QCOMPARE(made.result, 0);
    std::vector<PageFacts> pages;
    QCOMPARE(PageMeasure::tiffPages(scan, settings.jpgResolution, pages),
             int(ImageLibrary::Success));

    QWidget window;
    window.setWindowTitle(QStringLiteral("preview"));
    auto* grid = new QGridLayout(&window);
    QtMainView texts;
    const auto label = [&](const char* caption, int row, int column) {
        auto* l = new QLabel(QString::fromUtf8(caption), &window);
        grid->addWidget(l, row, column);
        return l;
    };
    const auto field = [&](Ctl ctl, int row, int column, int span) {
        auto* l = new QLabel(&window);
        l->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        grid->addWidget(l, row, column, 1, span);
        texts.registerControl(id(ctl), l);
        return l;
    };
    label("画像ﾌｧｲﾙ名：", 0, 0);
    QLabel* name = field(Ctl::ImageFileName, 0, 1, 3);
    label("用紙ｻｲｽﾞ：", 1, 0);
    QLabel* paper = field(Ctl::PaperSize, 1, 1, 3);
    QLabel* page = field(Ctl::CurrentPage, 2, 1, 1);
    label("／", 2, 2)->setAlignment(Qt::AlignCenter);
    QLabel* count = field(Ctl::PageCount, 2, 3, 1);
    PreviewPaneView view(&window);
    view.display(kPreview)->setFixedSize(kPreviewWidth, kPreviewHeight);
    grid->addWidget(view.display(kPreview), 3, 0, 1, 4);

    texts.setControlText(id(Ctl::ImageFileName), files::fileName(scan));
    texts.setControlText(id(Ctl::PaperSize),
                         PaperSize::describe(pages[0].widthMm, pages[0].heightMm, settings.margin));
    texts.setControlText(id(Ctl::CurrentPage), "1");
    texts.setControlText(id(Ctl::PageCount), std::to_string(made.previewCount));
    const std::string preview =
        PreviewNaming::previewPath(settings.tempFolder, files::fileName(scan), 1);
    QCOMPARE(view.load(kPreview, files::native(preview).string(), 1), int(ImageLibrary::Success));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(name->text(), QStringLiteral("scan_0005.tif"));
    QCOMPARE(paper->text(), QString::fromUtf8("A4 縦 (幅 210mm×高さ 297mm)"));
    QCOMPARE(page->text(), QStringLiteral("1"));
    QCOMPARE(count->text(), QStringLiteral("3"));
    // The thinned preview is a sixth of the scan.
    QCOMPARE(view.display(kPreview)->bitmapWidth(), (1654 + 5) / 6);

    const QImage shot = window.grab().toImage();
    const QRect on = static_cast<QWidget*>(view.display(kPreview))->geometry();
    QVERIFY(darkPixels(shot, on.adjusted(0, 0, -on.width() / 2, 0)) > 500);
    const QByteArray target = qgetenv("NOMIRA_PREVIEW_SCREENSHOT");
    if (!target.isEmpty()) {
        QVERIFY(shot.save(QString::fromLocal8Bit(target), "PNG"));
    }
}

QTEST_MAIN(tst_PreviewPaneView)
#include "tst_PreviewPaneView.moc"
