#include "base/TextCodec.h"
#include "ui/base/QtCaptions.h"
#include "ui/base/QtPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

// The operator's message boxes as they appear: the buttons captioned in Japanese, the default
// button each question asks for, and Qt's own dialogs and menus in Japanese.
class QtPrompterTest : public QObject {
    Q_OBJECT

private:
    struct Seen {
        QStringList captions;
        QString defaultCaption;
    };

    // Shows a box and, once it is up, notes its buttons and answers it with Escape.
    static Seen show(Buttons buttons) {
        Seen seen;
        QTimer::singleShot(0, [&seen, buttons] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            for (const QAbstractButton* b : box->buttons()) {
                seen.captions << b->text();
            }
            seen.captions.sort();
            if (const QAbstractButton* d = box->defaultButton()) {
                seen.defaultCaption = d->text();
            }
            const QByteArray folder = qgetenv("NOMIRA_SCREENSHOTS");
            if (!folder.isEmpty() && buttons == Buttons::YesNoDefaultNo) {
                QTest::qWait(300);
                box->screen()->grabWindow(0).save(QString::fromUtf8(folder) + "/question-box.png");
            }
            box->reject();
        });
        QtPrompter prompter;
        prompter.showMessage(
            textcodec::utf8ToCp932("ﾌｧｲﾙ出力先ﾌｫﾙﾀﾞに A-1.tif ﾌｧｲﾙが既に存在します。\n"
                                   "上書きしますか？"),
            textcodec::utf8ToCp932("確認"), Icon::Question, buttons);
        return seen;
    }

private slots:
    void questionBoxesSpeakJapaneseWithTheirDefault_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("defaultCaption");
        const QString yes = QString::fromUtf8("はい(&Y)");
        const QString no = QString::fromUtf8("いいえ(&N)");
        const QString cancel = QString::fromUtf8("ｷｬﾝｾﾙ");
        auto sorted = [](QStringList l) {
            l.sort();
            return l;
        };
        QTest::newRow("yes/no") << int(Buttons::YesNo) << sorted({yes, no}) << yes;
        QTest::newRow("overwrite: no by default")
            << int(Buttons::YesNoDefaultNo) << sorted({yes, no}) << no;
        QTest::newRow("yes/no/cancel")
            << int(Buttons::YesNoCancel) << sorted({yes, no, cancel}) << yes;
        QTest::newRow("ok/cancel")
            << int(Buttons::OkCancel) << sorted({QStringLiteral("OK"), cancel})
            << QStringLiteral("OK");
    }

    void questionBoxesSpeakJapaneseWithTheirDefault() {
        QFETCH(int, buttons);
        QFETCH(QStringList, captions);
        QFETCH(QString, defaultCaption);
        const Seen seen = show(static_cast<Buttons>(buttons));
        QCOMPARE(seen.captions, captions);
        QCOMPARE(seen.defaultCaption, defaultCaption);
    }

    void qtsOwnDialogsAndMenusAreJapanese() {
        QVERIFY(qtcaptions::installQtTranslations(*qApp));
        // The scroll bar's context menu and the folder chooser's buttons.
        QCOMPARE_NE(QCoreApplication::translate("QScrollBar", "Scroll here"),
                    QStringLiteral("Scroll here"));
        QCOMPARE_NE(QCoreApplication::translate("QFileDialog", "New Folder"),
                    QStringLiteral("New Folder"));
        const QByteArray folder = qgetenv("NOMIRA_SCREENSHOTS");
        if (folder.isEmpty()) {
            return;
        }
        QTimer::singleShot(1000, [folder] {
            QWidget* chooser = QApplication::activeModalWidget();
            QVERIFY(chooser != nullptr);
            chooser->screen()->grabWindow(0).save(QString::fromUtf8(folder) +
                                                  "/folder-chooser.png");
            chooser->close();
        });
        QtPrompter prompter;
        prompter.chooseFolder(textcodec::utf8ToCp932("ﾌｫﾙﾀﾞを選択してください。"), "/usr");
    }
};

QTEST_MAIN(QtPrompterTest)
#include "tst_QtPrompter.moc"
