#include "app/AppContext.h"
#include "support/TempDir.h"
#include "support/WorkbenchFixtures.h"
#include "ui/workbench/CCorvelDlg.h"
#include "ui/workbench/GuideWindow.h"
#include "ui/workbench/MainWindowMenus.h"
#include "workbench/Cmd.h"

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QTextBrowser>
#include <QtTest>

namespace {

// A guide long enough to scroll.
std::string guideHtml(const std::string& title) {
    std::string html = "<html><body><h1>" + title + "</h1>";
    for (int i = 0; i < 200; ++i) {
        html += "<p>line " + std::to_string(i) + "</p>";
    }
    return html + "</body></html>";
}

} // namespace

class TestGuideWindow : public QObject {
    Q_OBJECT

private slots:
    void f1WithoutAPdfViewerShowsTheGuideInAHelpWindow() {
        TempDir tmp;
        WorkbenchDataFolder data(tmp.path(), {});
        data.writeGoodTemplate("demo");
        tmp.write("program/NomiraUM.html", guideHtml("操作ガイド"));
        AppContext context{AppPaths(RegistryStore(data.registryPath()), tmp.file("program/Nomira")),
                           {},
                           {},
                           {},
                           0};
        CCorvelDlg dlg(context);
        dlg.show();
        QAction* help = dlg.menus().action(id(Cmd::Help));
        QVERIFY(help);
        for (int press = 0; press < 2; ++press) {
            help->trigger();
            QCoreApplication::processEvents();
        }
        const QList<GuideWindow*> windows = dlg.findChildren<GuideWindow*>();
        QCOMPARE(windows.size(), 1);
        GuideWindow* guide = windows.front();
        QVERIFY(guide->isVisible());
        QVERIFY(guide->isWindow());
        QCOMPARE(guide->windowTitle(), QString::fromUtf8("Delmo Solution ノミラ 操作ガイド"));
        QVERIFY(guide->browser()->toPlainText().startsWith(QString::fromUtf8("操作ガイド")));
        // No box told of a missing application; the main window stays usable beside the guide.
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(dlg.isEnabled());
    }

    void showingAgainKeepsThePlaceAndAnotherFileStartsAtTheTop() {
        TempDir tmp;
        const QString first = QString::fromLocal8Bit(tmp.write("a.html", guideHtml("A")));
        const QString second = QString::fromLocal8Bit(tmp.write("b.html", guideHtml("B")));
        GuideWindow guide(nullptr);
        guide.resize(400, 300);
        guide.showGuide(first);
        QCoreApplication::processEvents();
        QScrollBar* bar = guide.browser()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum() / 2);
        const int place = bar->value();

        guide.showMinimized();
        QCoreApplication::processEvents();
        guide.showGuide(first);
        QCoreApplication::processEvents();
        QVERIFY(!(guide.windowState() & Qt::WindowMinimized));
        QCOMPARE(bar->value(), place);

        guide.showGuide(second);
        QCoreApplication::processEvents();
        QVERIFY(guide.browser()->toPlainText().startsWith("B"));
        QCOMPARE(bar->value(), 0);
    }
};

QTEST_MAIN(TestGuideWindow)
#include "tst_GuideWindow.moc"
