#include "app/AppContext.h"
#include "support/ScanFixtures.h"
#include "support/TempDir.h"
#include "support/WorkbenchFixtures.h"
#include "ui/image/ImageDisplay.h"
#include "ui/image/MagnifiedView.h"
#include "ui/workbench/CCorvelDlg.h"
#include "ui/workbench/MainWindowControls.h"
#include "workbench/Ctl.h"
#include "workbench/Workbench.h"
#include "zoomwell/Zoomwell.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

// The magnified areas on the main window: mouse events on the Zoomwell control reach the areas,
// and the small views show the part of the page under their area. The page is white on its
// left half and black on its right half. With NOMIRA_SCREENSHOTS set, the window is saved there
// as a picture at each step.
class TestMagAreaPaneView : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDir> m_tmp;
    std::unique_ptr<WorkbenchDataFolder> m_data;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<CCorvelDlg> m_dlg;

    void open(std::vector<std::string> systemLines) {
        m_dlg.reset();
        m_tmp = std::make_unique<TempDir>();
        const std::string scans = m_tmp->mkdir("scans");
        ScanFixtures::writeBilevelTiffMm(scans + "/split.tif", 210, 297, 100, 1, true);
        m_data = std::make_unique<WorkbenchDataFolder>(m_tmp->path(), std::move(systemLines));
        StartupRequest request;
        request.imageFolderGiven = true;
        request.imageFolderPath = scans;
        m_context = std::make_unique<AppContext>(
            AppContext{AppPaths(RegistryStore(m_data->registryPath()), "/opt/nomira/Nomira"),
                       request,
                       {},
                       {},
                       0});
        m_dlg = std::make_unique<CCorvelDlg>(*m_context);
        m_dlg->show();
        QTRY_VERIFY(m_dlg->workbench().state().imageFolderLoaded);
        QVERIFY(preview()->hasBitmap());
    }

    Zoomwell* zoomwell() const { return m_dlg->findChild<Zoomwell*>(); }
    ImageDisplay* preview() const {
        return qobject_cast<ImageDisplay*>(m_dlg->controls().widget(id(Ctl::Preview)));
    }
    MagnifiedView* view(Ctl c) const {
        return qobject_cast<MagnifiedView*>(m_dlg->controls().widget(id(c)));
    }
    const MagAreaDesignation& areas() const { return m_dlg->workbench().magAreas().areas(); }
    MagRect area(int index) const { return areas().area(index).display; }
    // A point of the page as the Zoomwell control sees it.
    QPointF onPage(int x, int y) const {
        return QPointF(preview()->destinationRect().topLeft() + QPoint(x, y));
    }
    // The middle of an area, away from its handles.
    QPointF centre(int index) const {
        const MagRect a = area(index);
        return onPage(a.left + a.width / 2, a.top + a.height / 2);
    }
    int pageWidth() const { return m_dlg->workbench().pane().metrics().displayedWidth; }

    void mouse(QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, pos, zoomwell()->mapToGlobal(pos), button, held, Qt::NoModifier);
        QApplication::sendEvent(zoomwell(), &event);
    }
    void click(QPointF pos, Qt::MouseButton button = Qt::LeftButton) {
        mouse(QEvent::MouseButtonPress, pos, button, button);
        mouse(QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
    }
    void designate() {
        qobject_cast<QPushButton*>(m_dlg->controls().widget(id(Ctl::DesignateArea)))->click();
        QVERIFY(m_dlg->workbench().state().areaDesignation);
    }
    // Right click inside the area, then the menu item with the given text; the text of the item
    // that was checked when the menu opened comes back.
    QString chooseFromOriginMenu(QPointF at, const char* item) {
        QString checked;
        QTimer::singleShot(0, [item, &checked] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu != nullptr);
            for (QAction* a : menu->actions()) {
                if (a->isChecked()) {
                    checked += a->text();
                }
            }
            for (QAction* a : menu->actions()) {
                if (a->text() == QString::fromUtf8(item)) {
                    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
                }
            }
        });
        click(at, Qt::RightButton);
        return checked;
    }
    // The share of dark pixels in a column band of the view's picture (x from..to in percent).
    static double darkShare(MagnifiedView* v, int from, int to) {
        const QImage shot = v->grab().toImage();
        const QRect inside = v->contentsRect();
        int dark = 0, all = 0;
        for (int y = inside.top() + inside.height() * 2 / 5;
             y < inside.top() + inside.height() * 3 / 5; ++y) {
            for (int x = inside.left() + inside.width() * from / 100;
                 x < inside.left() + inside.width() * to / 100; ++x) {
                dark += qGray(shot.pixel(x, y)) < 100 ? 1 : 0;
                ++all;
            }
        }
        return all == 0 ? 0.0 : double(dark) / all;
    }
    void shoot(const char* name) {
        const QByteArray folder = qgetenv("NOMIRA_SCREENSHOTS");
        if (!folder.isEmpty()) {
            QTest::qWait(100);
            m_dlg->grab().save(QString::fromUtf8(folder) + "/" + name);
        }
    }

private slots:
    void aFreeAreaIsDraggedAndResizedAndItsViewFollows() {
        open({"ExpanPreview=0"});
        designate();
        // Area 0 sits in the bottom-right corner, on the black half.
        const MagRect corner = area(0);
        QCOMPARE(corner.left + corner.width, pageWidth());
        QVERIFY(view(Ctl::MagView1)->hasPicture());
        shoot("magnified-area-designation.png");
        QVERIFY(darkShare(view(Ctl::MagView1), 45, 55) > 0.95);

        QCOMPARE(chooseFromOriginMenu(centre(0), "自由"), QString::fromUtf8("右下"));
        QCOMPARE(areas().area(0).origin, int(MagArea::Free));
        QCOMPARE(area(0), corner);

        // Drag it so that it straddles the middle of the page: the view shows white, then black.
        const QPointF grip = onPage(corner.left + 10, corner.top + 10);
        const int dx = pageWidth() / 2 - corner.width / 2 - corner.left;
        mouse(QEvent::MouseMove, grip, Qt::NoButton, Qt::NoButton);
        QCOMPARE(zoomwell()->cursor().shape(), Qt::SizeAllCursor);
        mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, grip + QPointF(dx, -40), Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, grip + QPointF(dx, -40), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(area(0).left, corner.left + dx);
        QCOMPARE(area(0).top, corner.top - 40);
        qint32 left = 0, top = 0, width = 0, height = 0;
        zoomwell()->GetFrameSize(0, left, top, width, height);
        QCOMPARE(QPoint(left, top), onPage(area(0).left, area(0).top).toPoint());
        QCOMPARE(width, area(0).width + 2);
        MagnifiedView* v = view(Ctl::MagView1);
        QVERIFY(darkShare(v, 0, 45) < 0.05);
        QVERIFY(darkShare(v, 55, 100) > 0.5);

        // The right handle pulled 30 pixels outwards (offset in twips, 15 to the pixel).
        const MagRect before = area(0);
        Zoomwell* z = zoomwell();
        float x = 0, y = 0;
        float rx = float(onPage(before.left + before.width, before.top + before.height / 2).x());
        float ry = float(onPage(0, before.top + before.height / 2).y());
        qint32 handle = 6;
        emit z->MouseDownResizer(x, y, rx, ry);
        x = 30 * 15;
        emit z->MouseMoveResizer(handle, x, y, rx, ry);
        emit z->MouseUpResizer(handle, x, y, rx, ry);
        QCOMPARE(area(0), (MagRect{before.left, before.top, before.width + 30, before.height}));
        shoot("magnified-area-moved-resized.png");

        // A click outside the area ends designation.
        click(onPage(5, 5));
        QVERIFY(!m_dlg->workbench().state().areaDesignation);
        QVERIFY(!qobject_cast<QPushButton*>(m_dlg->controls().widget(id(Ctl::DesignateArea)))
                     ->isChecked());
    }

    void aClickInsideTheSecondAreaSelectsIt() {
        open({"ExpanPreview=1"});
        designate();
        QCOMPARE(areas().current(), 0);
        QVERIFY(view(Ctl::MagView2)->isVisible());
        // Area 1 goes to the top-left corner, on the white half; area 0 stays on the black one.
        QCOMPARE(chooseFromOriginMenu(centre(0), "左上"), QString::fromUtf8("右下"));
        QCOMPARE(chooseFromOriginMenu(centre(0), "自由"), QString::fromUtf8("左上"));
        QCOMPARE(area(0).left, 0);
        click(centre(1));
        QCOMPARE(areas().current(), 1);
        QVERIFY(m_dlg->workbench().state().areaDesignation);
        QVERIFY(darkShare(view(Ctl::MagView1), 20, 80) < 0.05);
        QVERIFY(darkShare(view(Ctl::MagView2), 20, 80) > 0.95);
        click(centre(0));
        QCOMPARE(areas().current(), 0);
        QCOMPARE(view(Ctl::MagView1)->height(), view(Ctl::MagView2)->height());
        QCOMPARE(view(Ctl::MagView2)->y() - view(Ctl::MagView1)->geometry().bottom() - 1, 6);
    }
};

QTEST_MAIN(TestMagAreaPaneView)
#include "tst_MagAreaPaneView.moc"
