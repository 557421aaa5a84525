#include "ui/app/AutomationServer.h"
#include "ui/app/SingleInstance.h"
#include "ui/workbench/CVersionDlg.h"

#include <QDialog>
#include <QLabel>
#include <QLocalSocket>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The single-instance lock, the activation of the running instance, the automation entry point
// and the splash screen.
class StartupGuardsTest : public QObject {
    Q_OBJECT

private slots:
    void secondInstanceIsRefusedAndActivatesTheFirst() {
        QTemporaryDir dir;
        SingleInstance first(QStringLiteral("Delmo Solution ノミラ"), dir.path());
        QCOMPARE(first.acquire(), SingleInstance::Result::Acquired);
        QWidget window;
        window.show();
        window.showMinimized();
        first.setMainWindow(&window);
        QSignalSpy activated(&first, &SingleInstance::activationRequested);

        SingleInstance second(QStringLiteral("Delmo Solution ノミラ"), dir.path());
        QCOMPARE(second.acquire(), SingleInstance::Result::AlreadyRunning);

        // What activateRunning() sends, driven without blocking: both ends live in this process.
        QLocalSocket client;
        client.connectToServer(dir.filePath(QStringLiteral("Delmo Solution ノミラ.socket")));
        QVERIFY(client.waitForConnected(2000));
        client.write("activate\n");
        QTRY_COMPARE(activated.count(), 1);
        QTRY_VERIFY(client.bytesAvailable() > 0);
        QCOMPARE(client.readAll(), QByteArray("ok\n"));
        QVERIFY(!window.isMinimized());
    }

    // A work data file from a second start goes to the main window only while that waits for
    // input; with a dialog of its own open, the file is refused and nothing is loaded.
    void workDataGoesOnlyToAWaitingMainWindow() {
        const QString path = QStringLiteral("/data/editdata/作業 1.edd");
        for (const bool dialogOpen : {false, true}) {
            QTemporaryDir dir;
            SingleInstance first(QStringLiteral("n"), dir.path());
            QCOMPARE(first.acquire(), SingleInstance::Result::Acquired);
            QDialog window;
            window.setWindowModality(Qt::ApplicationModal);
            window.show();
            QDialog other(&window);
            other.setWindowModality(Qt::ApplicationModal);
            if (dialogOpen) {
                other.show();
            }
            first.setMainWindow(&window);
            QSignalSpy opened(&first, &SingleInstance::workDataOpenRequested);

            QLocalSocket client;
            client.connectToServer(dir.filePath(QStringLiteral("n.socket")));
            QVERIFY(client.waitForConnected(2000));
            client.write("open\t" + path.toUtf8() + "\n");
            QTRY_VERIFY(client.bytesAvailable() > 0);
            QCOMPARE(client.readAll(), QByteArray(dialogOpen ? "busy\n" : "ok\n"));
            QCoreApplication::processEvents();
            QCOMPARE(opened.count(), dialogOpen ? 0 : 1);
            if (!dialogOpen) {
                QCOMPARE(opened.at(0).at(0).toString(), path);
            }
        }
    }

    void lockIsFreeAgainAfterRelease() {
        QTemporaryDir dir;
        {
            SingleInstance first(QStringLiteral("n"), dir.path());
            QCOMPARE(first.acquire(), SingleInstance::Result::Acquired);
        }
        SingleInstance again(QStringLiteral("n"), dir.path());
        QCOMPARE(again.acquire(), SingleInstance::Result::Acquired);
    }

    void lockInAFolderThatCannotHoldItFails() {
        SingleInstance nowhere(QStringLiteral("n"), QStringLiteral("/nonexistent/folder"));
        QCOMPARE(nowhere.acquire(), SingleInstance::Result::Failed);
    }

    void automationObjectHoldsTheLockAndTheLinkWhileConnected() {
        QTemporaryDir dir;
        AutomationServer server(dir.path());
        QVERIFY(server.listen());
        QVERIFY(server.socketPath().endsWith(QStringLiteral("Corvel.Application")));
        QWidget window;
        server.setMainWindow(&window);

        QLocalSocket client;
        client.connectToServer(server.socketPath());
        QVERIFY(client.waitForConnected(2000));
        QTRY_COMPARE(server.lockCount(), 1);
        auto proxies = server.findChildren<CCorvelDlgAutoProxy*>();
        QCOMPARE(proxies.size(), 1);
        QCOMPARE(proxies.front()->linkedWindow(), &window);

        // No methods: any request is answered with an error.
        client.write("Anything\n");
        QTRY_VERIFY(client.bytesAvailable() > 0 || client.waitForReadyRead(100));
        QVERIFY(client.readAll().startsWith("error"));

        server.clearLinks();
        QCOMPARE(proxies.front()->linkedWindow(), nullptr);

        client.disconnectFromServer();
        QTRY_COMPARE(server.lockCount(), 0);
        QTRY_COMPARE(server.objectCount(), 0);
    }

    void splashHidesOkAndClosesItself() {
        CVersionDlg splash(QStringLiteral("1.2.3"), QStringLiteral("45"), true);
        QCOMPARE(splash.versionText(), QStringLiteral("Version 1.2.3"));
        QCOMPARE(splash.buildText(), QStringLiteral("(Build 45)"));
        QVERIFY(splash.findChild<QPushButton*>(QStringLiteral("OkButton"))->isHidden());
        splash.exec(); // returns only because the splash closes itself
        QCOMPARE(splash.result(), int(QDialog::Accepted));
    }

    void versionDialogWithoutRegistryValuesLeavesFieldsEmpty() {
        CVersionDlg dialog(QString(), QString(), false);
        QCOMPARE(dialog.versionText(), QString());
        QCOMPARE(dialog.buildText(), QString());
        QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("OkButton"))->isHidden());
    }
};

QTEST_MAIN(StartupGuardsTest)
#include "tst_StartupGuards.moc"
