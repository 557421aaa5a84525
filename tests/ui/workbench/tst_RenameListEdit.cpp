#include "app/AppContext.h"
#include "base/CellGrid.h"
#include "renamelist/RenameList.h"
#include "support/TempDir.h"
#include "support/WorkbenchBoxAnswerer.h"
#include "support/WorkbenchFixtures.h"
#include "ui/base/CVSFlexGrid.h"
#include "ui/base/CellGridModel.h"
#include "ui/workbench/CCorvelDlg.h"
#include "ui/workbench/MainWindowControls.h"
#include "workbench/Workbench.h"

#include <QLineEdit>
#include <QtTest>

// Editing a rename list cell in the main window, through the grid view as the operator does it:
// F2 opens the editor, the value is typed, Enter ends the edit. An accepted value is stored in
// its normal form and turns a red cell white; a rejected one leaves the cell as it was, red.
class TestRenameListEdit : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDir> m_tmp;
    std::unique_ptr<WorkbenchDataFolder> m_data;
    std::unique_ptr<AppContext> m_context;

    // The main window with a list whose "版" (integer, 2 digits) and "作成日" (date) cells of its
    // only row are invalid, hence empty and red.
    std::unique_ptr<CCorvelDlg> openWithRedCells() {
        m_tmp = std::make_unique<TempDir>();
        m_data = std::make_unique<WorkbenchDataFolder>(
            m_tmp->path(), std::vector<std::string>{"Template=drawings.tpl"});
        m_data->writeTemplate("drawings",
                              workbenchTemplateText({{"図面番号", 1, false, 20, 0, 1, 0},
                                                     {"版", 2, false, 2, 0, 2},
                                                     {"作成日", 4, false, 0, 0, 3}},
                                                    m_data->dataFolder() + "/rename"));
        StartupRequest request;
        request.renameListGiven = true;
        request.renameListPath = m_tmp->write("list.csv", "NMR-A-1001,x3,2008/13/01\r\n");
        m_context = std::make_unique<AppContext>(
            AppContext{AppPaths(RegistryStore(m_data->registryPath()), "/opt/nomira/Nomira"),
                       request,
                       {},
                       {},
                       0});
        auto dlg = std::make_unique<CCorvelDlg>(*m_context);
        dlg->show();
        WorkbenchBoxAnswerer answerer(QMessageBox::Ok);
        const bool loaded =
            QTest::qWaitFor([&] { return dlg->workbench().state().renameListLoaded; });
        m_loadMessages = answerer.texts;
        return loaded ? std::move(dlg) : nullptr;
    }

    QStringList m_loadMessages;

    // F2 on the cell, the text typed into the editor, Enter.
    static void editThroughTheView(CCorvelDlg& dlg, int row, int col, const QString& typed) {
        CVSFlexGrid* view = dlg.controls().renameGrid();
        CellGrid& grid = dlg.workbench().renameGrid();
        grid.setCurrentCell(row, col);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_F2);
        auto* edit = qobject_cast<QLineEdit*>(view->editorWidget());
        QVERIFY(edit);
        edit->clear();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(!grid.isEditing());
    }

private slots:
    void editingARedCell_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("red");
        const auto row = [](const char* name, int column, const char* typed, const char* stored,
                            bool red) {
            QTest::newRow(name) << column << QString::fromUtf8(typed) << QString::fromUtf8(stored)
                                << red;
        };
        row("date accepted in its normal form", 2, "2008/2/29", "2008/02/29", false);
        row("empty date accepted", 2, "", "", false);
        row("impossible date rejected", 2, "2008/2/30", "", true);
        row("integer accepted", 1, "12", "12", false);
        row("sign alone rejected", 1, "-", "", true);
    }

    void editingARedCell() {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(bool, red);
        auto dlg = openWithRedCells();
        QVERIFY(dlg);
        QCOMPARE(m_loadMessages,
                 QStringList{QString::fromUtf8("ﾘﾈｰﾑﾘｽﾄ内に列定義に準拠しないﾃﾞｰﾀがありました。")});
        CellGrid& grid = dlg->workbench().renameGrid();
        const int col = RenameList::gridCol(column);
        QCOMPARE(grid.cellBackColor(1, col), gridcolor::Red);

        editThroughTheView(*dlg, 1, col, typed);

        QCOMPARE(QString::fromStdString(grid.text(1, col)), stored);
        QCOMPARE(grid.cellBackColor(1, col), red ? gridcolor::Red : gridcolor::White);
        QCOMPARE(dlg->workbench().state().modified, true);
        // What the view shows is what the grid holds.
        CellGridModel* model = dlg->controls().renameGrid()->gridModel();
        QCOMPARE(model->data(model->indexOf(1, col)).toString(), stored);
        dlg->close();
    }
};

QTEST_MAIN(TestRenameListEdit)
#include "tst_RenameListEdit.moc"
