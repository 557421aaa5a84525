#include "app/AppContext.h"
#include "support/ScanFixtures.h"
#include "support/TempDir.h"
#include "support/WorkbenchBoxAnswerer.h"
#include "support/WorkbenchDoubles.h"
#include "support/WorkbenchFixtures.h"
#include "ui/base/CVSFlexGrid.h"
#include "ui/base/CellGridModel.h"
#include "ui/image/ImageDisplay.h"
#include "ui/workbench/CCorvelDlg.h"
#include "ui/workbench/MainWindowControls.h"
#include "ui/workbench/MainWindowMenus.h"
#include "ui/workbench/TemplateComboBox.h"
#include "workbench/Cmd.h"
#include "workbench/Ctl.h"
#include "workbench/MagAreaCommands.h"
#include "workbench/Workbench.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <functional>

class TestCCorvelDlg : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDir> m_tmp;
    std::unique_ptr<WorkbenchDataFolder> m_data;
    std::unique_ptr<AppContext> m_context;

    std::unique_ptr<CCorvelDlg> open(std::vector<std::string> systemLines,
                                     StartupRequest request = {}) {
        m_tmp = std::make_unique<TempDir>();
        m_data = std::make_unique<WorkbenchDataFolder>(m_tmp->path(), std::move(systemLines));
        m_data->writeGoodTemplate("demo");
        m_data->writeGoodTemplate("other");
        m_data->writeBrokenTemplate("broken");
        m_context = std::make_unique<AppContext>(
            AppContext{AppPaths(RegistryStore(m_data->registryPath()), "/opt/nomira/Nomira"),
                       request,
                       {},
                       {},
                       0});
        return std::make_unique<CCorvelDlg>(*m_context);
    }

    static QWidget* control(CCorvelDlg& dlg, Ctl c) { return dlg.controls().widget(id(c)); }

    // Under a window manager (NOMIRA_SCREENSHOTS set, platform xcb) the screen is saved.
    static void shootScreen(const char* name) {
        const QByteArray folder = qgetenv("NOMIRA_SCREENSHOTS");
        if (!folder.isEmpty()) {
            QTest::qWait(500);
            QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromUtf8(folder) + "/" +
                                                                 name);
        }
    }

    // The main window over a folder holding the one scan, shown with the scan on the preview.
    std::unique_ptr<CCorvelDlg> openOnScan(TempDir& files,
                                           const std::function<void(const std::string&)>& write) {
        const std::string scans = files.mkdir("scans");
        write(scans);
        StartupRequest request;
        request.imageFolderGiven = true;
        request.imageFolderPath = scans;
        auto dlg = open({}, request);
        dlg->show();
        [&] { QTRY_VERIFY(dlg->workbench().state().imageFolderLoaded); }();
        return dlg;
    }

private slots:
    void titleAndMinimumSize() {
        auto dlg = open({});
        QCOMPARE(dlg->windowTitle(), QString::fromUtf8("Delmo Solution ノミラ"));
        QCOMPARE(dlg->client()->minimumSize(), QSize(1116, 910));
        dlg->show();
        dlg->resize(600, 400);
        QCoreApplication::processEvents();
        QVERIFY(dlg->client()->width() >= 1116);
        QVERIFY(dlg->client()->height() >= 910);
        QCOMPARE(control(*dlg, Ctl::RenameGrid)->geometry(), QRect(508, 128, 580, 336));
    }

    void growingBy200PixelsMovesTheGridsAndWidensThePreview() {
        auto dlg = open({});
        dlg->show();
        QCoreApplication::processEvents();
        const QRect grid = control(*dlg, Ctl::RenameGrid)->geometry();
        const QRect images = control(*dlg, Ctl::ImageGrid)->geometry();
        const QRect preview = control(*dlg, Ctl::PreviewBackground)->geometry();
        dlg->resize(dlg->width() + 200, dlg->height());
        QCoreApplication::processEvents();
        QCOMPARE(control(*dlg, Ctl::RenameGrid)->geometry(), grid.translated(200, 0));
        QCOMPARE(control(*dlg, Ctl::ImageGrid)->geometry(), images.translated(200, 0));
        QCOMPARE(control(*dlg, Ctl::PreviewBackground)->width(), preview.width() + 200);
        QCOMPARE(dlg->controls().progressBar()->width(),
                 dlg->controls().statusBar()->width() - MainWindowControls::kStatusTextWidth - 24);
    }

    void theRememberedTemplateShowsItsColumns() {
        auto dlg = open({"Template=demo.tpl"});
        auto* box = qobject_cast<QComboBox*>(control(*dlg, Ctl::TemplateBox));
        QCOMPARE(box->count(), 3);
        QCOMPARE(box->currentText(), QStringLiteral("demo"));
        QAbstractItemModel* model = dlg->controls().renameGrid()->model();
        QStringList headings;
        for (int c = 0; c < model->columnCount(); ++c) {
            headings << model->headerData(c, Qt::Horizontal).toString();
        }
        QVERIFY2(headings.contains(QString::fromUtf8("図番")), qPrintable(headings.join('|')));
        QVERIFY(headings.contains(QString::fromUtf8("縮尺")));
        // The file-name column carries its header mark; the others none.
        const int fileNameCol = headings.indexOf(QString::fromUtf8("図番"));
        const int plainCol = headings.indexOf(QString::fromUtf8("縮尺"));
        QVERIFY(!model->headerData(fileNameCol, Qt::Horizontal, Qt::DecorationRole)
                     .value<QPixmap>()
                     .isNull());
        QVERIFY(!model->headerData(plainCol, Qt::Horizontal, Qt::DecorationRole).isValid());
        QVERIFY(control(*dlg, Ctl::LoadRenameList)->isEnabled());
    }

    void pickingABrokenTemplateReturnsToThePreviousEntry() {
        auto dlg = open({"Template=demo.tpl"});
        dlg->show();
        auto* box = qobject_cast<QComboBox*>(control(*dlg, Ctl::TemplateBox));
        WorkbenchBoxAnswerer answerer(QMessageBox::Ok);
        box->setCurrentIndex(0);
        emit box->activated(0);
        QCOMPARE(answerer.texts,
                 (QStringList{QString::fromUtf8("ﾃﾝﾌﾟﾚｰﾄ情報の読込みに失敗しました。"),
                              QString::fromUtf8("ﾃﾝﾌﾟﾚｰﾄ情報の設定に失敗しました。")}));
        QCOMPARE(box->currentText(), QStringLiteral("demo"));
        QCOMPARE(dlg->workbench().state().currentTemplate.name, std::string("demo"));
    }

    void aChangeRefusedAtTheReleaseQuestionKeepsTheTemplate() {
        auto dlg = open({"Template=demo.tpl"});
        CountedAssignments assignments(1);
        dlg->workbench().setAssignments(assignments);
        dlg->show();
        auto* box = qobject_cast<QComboBox*>(control(*dlg, Ctl::TemplateBox));
        WorkbenchBoxAnswerer answerer(QMessageBox::No);
        box->setCurrentIndex(2);
        emit box->activated(2);
        QCOMPARE(answerer.texts,
                 QStringList{QString::fromUtf8("割り当てを解除します。よろしいですか？")});
        QCOMPARE(box->currentText(), QStringLiteral("demo"));
        QCOMPARE(assignments.releases, 0);
    }

    void controlStatesAtOpening() {
        auto dlg = open({"Template=demo.tpl"});
        for (Ctl c :
             {Ctl::EditImage, Ctl::OpenWithApplication, Ctl::Assign, Ctl::BatchAssign, Ctl::Execute,
              Ctl::ReloadImages, Ctl::NextPage, Ctl::DesignateArea, Ctl::ReferenceValues}) {
            QVERIFY2(!control(*dlg, c)->isEnabled(), qPrintable(QString::number(id(c))));
        }
        for (Ctl c : {Ctl::LoadImages, Ctl::LoadWorkData, Ctl::TemplateBox, Ctl::LoadRenameList}) {
            QVERIFY2(control(*dlg, c)->isEnabled(), qPrintable(QString::number(id(c))));
        }
        QVERIFY(!dlg->menus().action(id(Cmd::SaveWorkData))->isEnabled());
        QVERIFY(dlg->menus().action(id(Cmd::Help))->isEnabled());
        QCOMPARE(dlg->menus().action(id(Cmd::SaveWorkData))->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(dlg->menus().action(id(Cmd::Help))->shortcut(), QKeySequence(Qt::Key_F1));
        QVERIFY(dlg->menus().contextMenu(MenuId::Origin) != nullptr);
    }

    void enterAssignsOnlyWhenTheSettingAsks() {
        auto off = open({"EnterKeyAssign=0"});
        auto* dummy = qobject_cast<QPushButton*>(control(*off, Ctl::Dummy));
        QVERIFY(dummy->isDefault());
        QVERIFY(dummy->isHidden());
        QVERIFY(!qobject_cast<QPushButton*>(control(*off, Ctl::Assign))->isDefault());

        auto on = open({"EnterKeyAssign=1"});
        QVERIFY(qobject_cast<QPushButton*>(control(*on, Ctl::Assign))->isDefault());
    }

    void theEnvironmentDialogChangesTheViewsAndTheEnterKeyAtOnce() {
        auto dlg = open({"EnterKeyAssign=0", "ExpanPreview=0"});
        dlg->show();
        QCoreApplication::processEvents();
        QWidget* second = control(*dlg, Ctl::MagView2);
        const int oneViewHeight = control(*dlg, Ctl::MagView1)->height();
        QVERIFY(second->isHidden());
        QTimer::singleShot(0, [] {
            QWidget* env = QApplication::activeModalWidget();
            QVERIFY(env && env->objectName() == QStringLiteral("CEnvDlg"));
            env->findChild<QCheckBox*>(QStringLiteral("ExpanPreview"))->setChecked(true);
            env->findChild<QCheckBox*>(QStringLiteral("EnterKeyAssign"))->setChecked(true);
            env->findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
        });
        dlg->workbench().command(id(Cmd::Environment));
        QVERIFY(!second->isHidden());
        QVERIFY(control(*dlg, Ctl::MagView1)->height() < oneViewHeight);
        QVERIFY(qobject_cast<QPushButton*>(control(*dlg, Ctl::Assign))->isDefault());
    }

    void placementAtOpening() {
        auto stored = open({"InitWindowRectLeft=30", "InitWindowRectTop=40",
                            "InitWindowRectRight=1330", "InitWindowRectBottom=1040"});
        QCOMPARE(stored->pos(), QPoint(30, 40));
        QCOMPARE(stored->size(), QSize(1300, 1000));

        auto small = open({"InitWindowRectLeft=30", "InitWindowRectTop=40",
                           "InitWindowRectRight=630", "InitWindowRectBottom=540"});
        QVERIFY(small->pos() != QPoint(30, 40));
        QCOMPARE(small->size(), small->minimumSizeHint());

        auto maximized = open({"InitWindowMaximized=1"});
        QVERIFY(maximized->windowState().testFlag(Qt::WindowMaximized));
    }

    void theStartupRequestFillsBothGrids() {
        TempDir files;
        const std::string scans = files.mkdir("scans");
        ScanFixtures::writeBilevelTiffMm(scans + "/a.tif", 210, 297, 100);
        ScanFixtures::setModified(scans + "/a.tif", 1'600'000'000);
        ScanFixtures::writeBilevelTiffMm(scans + "/b.tif", 420, 297, 100);
        ScanFixtures::setModified(scans + "/b.tif", 1'600'000'060);
        StartupRequest request;
        request.imageFolderGiven = true;
        request.imageFolderPath = scans;
        request.renameListGiven = true;
        request.renameListPath = files.write("list.csv", "A-1,2,1.5\r\nA-2,3,0.25\r\n");
        auto dlg = open({"Template=demo.tpl"}, request);
        dlg->show();
        QTRY_VERIFY(dlg->workbench().state().renameListLoaded);

        CellGridModel* images = dlg->controls().imageGrid()->gridModel();
        QCOMPARE(images->data(images->indexOf(1, 3)).toString(), QStringLiteral("a.tif"));
        QCOMPARE(images->data(images->indexOf(2, 3)).toString(), QStringLiteral("b.tif"));
        QCOMPARE(qobject_cast<QGroupBox*>(control(*dlg, Ctl::ImageGroup))->title(),
                 QString::fromUtf8("画像情報【ﾌｧｲﾙ総数 2個】"));
        CellGridModel* list = dlg->controls().renameGrid()->gridModel();
        QCOMPARE(list->data(list->indexOf(2, 3)).toString(), QStringLiteral("A-2"));
        QCOMPARE(qobject_cast<QLineEdit*>(control(*dlg, Ctl::ListFileName))->text(),
                 QStringLiteral("list.csv"));
        QVERIFY(control(*dlg, Ctl::ReloadImages)->isEnabled());
    }

    void thePreviewHoldsTheFirstScanAfterTheStartupRequest() {
        TempDir files;
        const std::string scans = files.mkdir("scans");
        ScanFixtures::writeBilevelTiffMm(scans + "/a.tif", 210, 297, 100, 3);
        StartupRequest request;
        request.imageFolderGiven = true;
        request.imageFolderPath = scans;
        auto dlg = open({}, request);
        auto* preview = qobject_cast<ImageDisplay*>(control(*dlg, Ctl::Preview));
        QVERIFY(preview != nullptr);
        QVERIFY(preview->isHidden()); // the empty preview leaves its picture to be seen
        dlg->show();
        QTRY_VERIFY(dlg->workbench().state().imageFolderLoaded);

        QVERIFY(preview->hasBitmap());
        QVERIFY(preview->isVisible());
        const QWidget* background = control(*dlg, Ctl::PreviewBackground);
        QCOMPARE(control(*dlg, Ctl::Preview)->geometry(), background->geometry());
        const QObjectList& stack = dlg->client()->children();
        QVERIFY(stack.indexOf(preview) > stack.indexOf(background));
        QVERIFY(!control(*dlg, Ctl::HighResPage)->isVisible());
        // The page fills the preview's height, as the pane's metrics say.
        QCOMPARE(dlg->workbench().pane().metrics().displayedHeight, preview->height());

        const auto label = [&](Ctl c) { return qobject_cast<QLabel*>(control(*dlg, c))->text(); };
        QCOMPARE(label(Ctl::ImageFileName), QStringLiteral("a.tif"));
        QCOMPARE(label(Ctl::PaperSize), QString::fromUtf8("A4 縦 (幅 210mm×高さ 297mm)"));
        QCOMPARE(label(Ctl::CurrentPage), QStringLiteral("1"));
        QCOMPARE(label(Ctl::PageCount), QStringLiteral("3"));
        QVERIFY(!control(*dlg, Ctl::PreviousPage)->isEnabled());
        QVERIFY(control(*dlg, Ctl::LastPage)->isEnabled());

        qobject_cast<QPushButton*>(control(*dlg, Ctl::LastPage))->click();
        QCOMPARE(label(Ctl::CurrentPage), QStringLiteral("3"));
        QVERIFY(control(*dlg, Ctl::FirstPage)->isEnabled());
        QVERIFY(!control(*dlg, Ctl::NextPage)->isEnabled());

        // Growing the window widens the page with the preview.
        const int before = dlg->workbench().pane().metrics().displayedWidth;
        dlg->resize(dlg->width() + 300, dlg->height() + 300);
        QTRY_VERIFY(dlg->workbench().pane().metrics().displayedWidth > before);
    }

    // The box is listed when it gets the focus, when its drop-down opens and when the folder
    // changes, never on a repaint (listing reads every template file).
    void theTemplateBoxIsListedWhenAskedButNotOnRepaint() {
        auto dlg = open({"Template=demo.tpl"});
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
        QComboBox* box = dlg->controls().templateBox();
        QCOMPARE(box->count(), 3);

        m_data->writeGoodTemplate("fresh");
        dlg->repaint();
        QCOMPARE(box->count(), 3);
        box->showPopup();
        QCOMPARE(box->count(), 4);
        QCOMPARE(box->currentText(), QStringLiteral("demo"));
        box->hidePopup();

        m_data->writeGoodTemplate("later");
        QTRY_COMPARE(box->count(), 5);
        QCOMPARE(box->currentText(), QStringLiteral("demo"));
    }

    void aScanWithoutAPreviewSaysWhy() {
        TempDir files;
        // A camera picture: 4000 x 3000 pixels at 72 dpi measure 1411 x 1058 mm.
        auto dlg = openOnScan(files, [](const std::string& scans) {
            ScanFixtures::writeJpeg(scans + "/camera.jpg", 4000, 3000, 72);
        });
        auto* background = qobject_cast<QLabel*>(control(*dlg, Ctl::PreviewBackground));
        QTRY_VERIFY(!background->text().isEmpty());
        QCOMPARE(background->text(), QString::fromUtf8("A0より大きいため、ﾌﾟﾚﾋﾞｭｰを作成できません。"
                                                       " (幅 1411mm×高さ 1058mm、72dpi)"));
        QVERIFY(background->isVisible());
        QVERIFY(!control(*dlg, Ctl::Preview)->isVisible());
        shootScreen("preview-without-preview.png");
    }

    void magnifiedAreasKeepTheirPlaceWhenTheWindowGrows() {
        TempDir files;
        // A3 landscape: limited by the preview's width at the design size, by its height after
        // the window grew wider than high.
        auto dlg = openOnScan(files, [](const std::string& scans) {
            ScanFixtures::writeBilevelTiffMm(scans + "/a3.tif", 420, 297, 100);
        });
        MagAreaCommands& areas = dlg->workbench().magAreas();
        areas.setDesignation(true);
        areas.chooseOrigin(4); // free: kept where it is, not pinned to a corner
        areas.setDesignation(false);
        const auto share = [&] {
            const MagRect& r = areas.areas().area(0).display;
            const PreviewMetrics& m = dlg->workbench().pane().metrics();
            return QPointF(double(r.left) / m.displayedWidth, double(r.top) / m.displayedHeight);
        };
        const QPointF before = share();
        const int width = dlg->workbench().pane().metrics().displayedWidth;
        shootScreen("mag-areas-before-resize.png");
        dlg->resize(dlg->width() + 284, dlg->height() + 32);
        QTRY_VERIFY(dlg->workbench().pane().metrics().displayedWidth != width);
        const QPointF after = share();
        QVERIFY2(std::abs(after.x() - before.x()) < 0.01,
                 qPrintable(QStringLiteral("%1 -> %2").arg(before.x()).arg(after.x())));
        QVERIFY2(std::abs(after.y() - before.y()) < 0.01,
                 qPrintable(QStringLiteral("%1 -> %2").arg(before.y()).arg(after.y())));
        shootScreen("mag-areas-after-resize.png");
    }

    void placementReachesEveryScreen() {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        // A negative corner whose title bar is on the screen stays where it was.
        auto left = open({"InitWindowRectLeft=-100", "InitWindowRectTop=40",
                          "InitWindowRectRight=1200", "InitWindowRectBottom=1040"});
        QCOMPARE(left->pos(), QPoint(-100, 40));
        // As older files hold it: the two's complement of -100.
        auto wrapped = open({"InitWindowRectLeft=4294967196", "InitWindowRectTop=40",
                             "InitWindowRectRight=1200", "InitWindowRectBottom=1040"});
        QCOMPARE(wrapped->pos(), QPoint(-100, 40));
        // A title bar off every screen comes back onto the screen.
        for (const int x : {5000, -5000}) {
            auto away = open({"InitWindowRectLeft=" + std::to_string(x), "InitWindowRectTop=-300",
                              "InitWindowRectRight=" + std::to_string(x + 1300),
                              "InitWindowRectBottom=700"});
            QVERIFY2(screen.contains(away->pos()), qPrintable(QString::number(x)));
            QCOMPARE(away->size(), QSize(1300, 1000));
        }
        auto closing = open({});
        closing->show();
        closing->move(-30, -20);
        QCoreApplication::processEvents();
        QVERIFY(closing->close());
        const ProfileFile settings(m_data->settingsFile());
        const auto stored = [&](const char* key) {
            return QString::fromStdString(settings.read("SYSTEM", key).value_or("none"));
        };
        QCOMPARE(stored("InitWindowRectLeft"), QString::number(closing->frameGeometry().left()));
        QCOMPARE(stored("InitWindowRectTop"), QString::number(closing->frameGeometry().top()));
        QVERIFY(stored("InitWindowRectLeft").startsWith('-'));
        QVERIFY(stored("InitWindowRectTop").startsWith('-'));
    }

    void closingStoresTheRectangle() {
        auto dlg = open({"Template=demo.tpl"});
        dlg->show();
        dlg->move(12, 34);
        QCoreApplication::processEvents();
        QVERIFY(dlg->close());
        const ProfileFile settings(m_data->settingsFile());
        QCOMPARE(settings.read("SYSTEM", "InitWindowRectLeft"), std::optional<std::string>("12"));
        QCOMPARE(settings.read("SYSTEM", "Template"), std::optional<std::string>("demo.tpl"));
    }
};

QTEST_MAIN(TestCCorvelDlg)
#include "tst_CCorvelDlg.moc"
