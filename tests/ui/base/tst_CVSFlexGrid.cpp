#include "base/CellGrid.h"
#include "base/CellGridObserver.h"
#include "base/TextCodec.h"
#include "ui/base/CVSFlexGrid.h"
#include "ui/base/CellGridModel.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QtTest>

namespace {

class EventLog : public CellGridObserver {
public:
    QStringList events;

    void gridKeyDown(CellGrid&, int& keyCode, int) override {
        events << QStringLiteral("keyDown %1").arg(keyCode);
    }
    void gridKeyDownEdit(CellGrid&, int, int, int& keyCode, int) override {
        events << QStringLiteral("keyDownEdit %1").arg(keyCode);
    }
    void gridDblClick(CellGrid&) override { events << QStringLiteral("dblClick"); }
    void gridBeforeMouseDown(CellGrid&, int button, int, int, int, bool&) override {
        events << QStringLiteral("beforeMouseDown %1").arg(button);
    }
    void gridMouseDown(CellGrid& grid, int button, int, int, int) override {
        events << QStringLiteral("mouseDown %1 %2:%3")
                      .arg(button)
                      .arg(grid.mouseRow())
                      .arg(grid.mouseCol());
    }
    void gridStartEdit(CellGrid&, int row, int col, bool&) override {
        events << QStringLiteral("startEdit %1:%2").arg(row).arg(col);
    }
    void gridValidateEdit(CellGrid&, int, int, bool&) override {
        events << QStringLiteral("validateEdit");
    }
    void gridAfterEdit(CellGrid&, int row, int col, int endKey) override {
        events << QStringLiteral("afterEdit %1:%2 %3").arg(row).arg(col).arg(endKey);
    }
    void gridCurrentCellChanged(CellGrid&, int oldRow, int oldCol, int newRow,
                                int newCol) override {
        events << QStringLiteral("cellChanged %1:%2->%3:%4")
                      .arg(oldRow)
                      .arg(oldCol)
                      .arg(newRow)
                      .arg(newCol);
    }
    void gridClick(CellGrid&) override { events << QStringLiteral("click"); }
};

// The width a header section leaves for its text: the style's label rectangle, less the picture
// drawn at the small icon size and the two pixels the style puts after it.
int headerTextRoom(const QHeaderView* header, int section, bool picture) {
    QStyleOptionHeader option;
    option.initFrom(header);
    option.rect = QRect(0, 0, header->sectionSize(section), header->height());
    const QRect label = header->style()->subElementRect(QStyle::SE_HeaderLabel, &option, header);
    const int icon = header->style()->pixelMetric(QStyle::PM_SmallIconSize, &option, header);
    return label.width() - (picture ? icon + 2 : 0);
}

std::string cp932(const char* utf8) {
    return textcodec::utf8ToCp932(utf8);
}

} // namespace

class TestCVSFlexGrid : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pressAndClickRaiseEventsInOrder();
    void hitTestMatchesView();
    void editInPlaceStoresText();
    void editorHonoursByteLimitAndMask();
    void comboListEditor();
    void arrowKeysMoveCurrentCell();
    void hiddenColumnsAndWidthsInTwips();
    void cellsShowTextColourAndPicture();
    void redrawOffDefersChanges();
    void cornerShowsTheFirstCell();
    void fittedColumnsShowTextAndPictureWhole();

private:
    QPoint cellCenter(int row, int col) const;

    std::unique_ptr<CellGrid> m_grid;
    std::unique_ptr<CVSFlexGrid> m_view;
    EventLog m_log;
};

void TestCVSFlexGrid::init() {
    m_grid = std::make_unique<CellGrid>(1001, 303);
    m_grid->setObserver(&m_log);
    m_log.events.clear();
    m_view = std::make_unique<CVSFlexGrid>(m_grid.get());
    m_view->resize(640, 400);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
}

void TestCVSFlexGrid::cleanup() {
    m_view.reset();
    m_grid.reset();
}

QPoint TestCVSFlexGrid::cellCenter(int row, int col) const {
    const QModelIndex index = m_view->gridModel()->indexOf(row, col);
    return m_view->visualRect(index).center();
}

void TestCVSFlexGrid::pressAndClickRaiseEventsInOrder() {
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, cellCenter(3, 2));
    QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, cellCenter(3, 2));
    QTest::mouseClick(m_view->viewport(), Qt::RightButton, {}, cellCenter(5, 1));
    // The second press of a double click arrives as the double click itself.
    const QStringList expected = {
        "beforeMouseDown 1", "cellChanged 1:1->3:2", "mouseDown 1 3:2", "click",
        "dblClick",          "beforeMouseDown 2",    "mouseDown 2 5:1", "click",
    };
    QCOMPARE(m_log.events, expected);
    QCOMPARE(m_grid->row(), 3);
}

void TestCVSFlexGrid::hitTestMatchesView() {
    m_grid->setColHidden(3, true);
    m_view->verticalScrollBar()->setValue(40);
    m_view->horizontalScrollBar()->setValue(5);
    int checked = 0;
    for (const QPoint cell : {QPoint(1, 1), QPoint(42, 7), QPoint(45, 8), QPoint(44, 9)}) {
        const QModelIndex index = m_view->gridModel()->indexOf(cell.x(), cell.y());
        const QRect rect = m_view->visualRect(index);
        if (!m_view->viewport()->rect().contains(rect)) {
            continue;
        }
        const QPoint inView = m_view->viewport()->mapTo(m_view.get(), rect.center());
        QCOMPARE(m_view->cellAtPoint(inView), (CellGridHit{cell.x(), cell.y()}));
        // The row header beside it is the fixed column 0.
        QCOMPARE(m_view->cellAtPoint(QPoint(5, inView.y())), (CellGridHit{cell.x(), 0}));
        ++checked;
    }
    QCOMPARE(checked, 3);
    // A point on the column header: row 0, and the column under it.
    const QPoint header = m_view->horizontalHeader()->mapTo(
        m_view.get(), QPoint(m_view->horizontalHeader()->sectionViewportPosition(
                                 m_view->horizontalHeader()->logicalIndexAt(5)) +
                                 5,
                             5));
    QCOMPARE(m_view->cellAtPoint(header).row, 0);
    QVERIFY(m_view->cellAtPoint(header).col >= 5);
}

void TestCVSFlexGrid::editInPlaceStoresText() {
    m_grid->setText(2, 3, "old");
    m_grid->setCurrentCell(2, 3);
    m_log.events.clear();
    QVERIFY(m_grid->editCell());
    auto* edit = qobject_cast<QLineEdit*>(m_view->editorWidget());
    QVERIFY(edit);
    QCOMPARE(edit->text(), QStringLiteral("old"));
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("Ab1"));
    QTest::keyClick(edit, Qt::Key_Down);
    QCOMPARE(m_grid->text(2, 3), std::string("Ab1"));
    QVERIFY(!m_grid->isEditing());
    QVERIFY(!m_view->editorWidget());
    const QStringList expected = {
        "startEdit 2:3",  "keyDownEdit 65", "keyDownEdit 66",   "keyDownEdit 49",
        "keyDownEdit 40", "validateEdit",   "afterEdit 2:3 40", "cellChanged 2:3->3:3",
    };
    QCOMPARE(m_log.events, expected);
    QCOMPARE(m_view->gridModel()->data(m_view->gridModel()->indexOf(2, 3)).toString(),
             QStringLiteral("Ab1"));

    // Escape leaves the cell as it was.
    QVERIFY(m_grid->editCell());
    edit = qobject_cast<QLineEdit*>(m_view->editorWidget());
    QVERIFY(edit);
    QTest::keyClicks(edit, QStringLiteral("zz"));
    QTest::keyClick(edit, Qt::Key_Escape);
    QCOMPARE(m_grid->text(3, 3), std::string());
    QCOMPARE(m_log.events.last(), QStringLiteral("afterEdit 3:3 27"));
}

void TestCVSFlexGrid::editorHonoursByteLimitAndMask() {
    m_grid->setEditMaxLength(4);
    m_grid->setCurrentCell(1, 1);
    QVERIFY(m_grid->editCell());
    auto* edit = qobject_cast<QLineEdit*>(m_view->editorWidget());
    QVERIFY(edit);
    edit->clear();
    // Each character is typed as the input method hands it over.
    for (const QString& character :
         {QStringLiteral("あ"), QStringLiteral("い"), QStringLiteral("う")}) {
        QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, character);
        QApplication::sendEvent(edit, &typed);
    }
    QCOMPARE(m_grid->editText(), cp932("あい"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(m_grid->text(1, 1), cp932("あい"));

    m_grid->setEditMaxLength(0);
    m_grid->setColEditMask(2, "####");
    m_grid->setCurrentCell(1, 2);
    QVERIFY(m_grid->editCell());
    edit = qobject_cast<QLineEdit*>(m_view->editorWidget());
    QVERIFY(edit);
    QTest::keyClicks(edit, QStringLiteral("-1x23456"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(m_grid->text(1, 2), std::string("-123"));
}

void TestCVSFlexGrid::comboListEditor() {
    m_grid->setColComboList(4, cp932("設定なし|1列目|2列目"));
    m_grid->setCurrentCell(1, 4);
    QVERIFY(m_grid->editCell());
    auto* combo = qobject_cast<QComboBox*>(m_view->editorWidget());
    QVERIFY(combo);
    QCOMPARE(combo->count(), 3);
    combo->setCurrentIndex(2);
    QTest::keyClick(combo, Qt::Key_Return);
    QCOMPARE(m_grid->text(1, 4), cp932("2列目"));
}

void TestCVSFlexGrid::arrowKeysMoveCurrentCell() {
    m_view->setFocus();
    m_grid->setCurrentCell(999, 1);
    m_log.events.clear();
    QTest::keyClick(m_view.get(), Qt::Key_Down);
    QTest::keyClick(m_view.get(), Qt::Key_Down);
    QTest::keyClick(m_view.get(), Qt::Key_Right);
    QCOMPARE(m_grid->row(), 1000);
    QCOMPARE(m_grid->col(), 2);
    const QStringList expected = {"keyDown 40", "cellChanged 999:1->1000:1", "keyDown 40",
                                  "keyDown 39", "cellChanged 1000:1->1000:2"};
    QCOMPARE(m_log.events, expected);
    // The new current cell was scrolled into view.
    const QRect rect = m_view->visualRect(m_view->gridModel()->indexOf(1000, 2));
    QVERIFY(m_view->viewport()->rect().contains(rect.center()));
}

void TestCVSFlexGrid::hiddenColumnsAndWidthsInTwips() {
    QHeaderView* header = m_view->horizontalHeader();
    m_grid->setColHidden(2, true);
    m_grid->setColWidth(3, 1500);
    QVERIFY(header->isSectionHidden(1));
    QVERIFY(!header->isSectionHidden(2));
    QCOMPARE(header->sectionSize(2), 100);
    m_grid->setColWidth(0, 600);
    QCOMPARE(m_view->verticalHeader()->width(), 40);
    // A width changed on screen lands in the grid in twips.
    header->resizeSection(4, 70);
    QCOMPARE(m_grid->colWidth(5), 70 * 15);
    m_grid->setColHidden(2, false);
    QVERIFY(!header->isSectionHidden(1));
}

void TestCVSFlexGrid::cellsShowTextColourAndPicture() {
    QPixmap mark(12, 12);
    mark.fill(Qt::blue);
    m_view->registerPicture(146, mark);
    m_grid->setText(0, 2, cp932("割り当て"));
    m_grid->setText(4, 0, "4");
    m_grid->setCellBackColor(4, 2, 4, 2, gridcolor::Red);
    m_grid->setCellPicture(4, 3, 4, 3, 146);
    const CellGridModel* model = m_view->gridModel();
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("割り当て"));
    QCOMPARE(model->headerData(3, Qt::Vertical).toString(), QStringLiteral("4"));
    QCOMPARE(model->data(model->indexOf(4, 2), Qt::BackgroundRole).value<QBrush>().color(),
             QColor(255, 0, 0));
    QVERIFY(!model->data(model->indexOf(4, 3), Qt::BackgroundRole).isValid());
    QCOMPARE(model->data(model->indexOf(4, 3), Qt::DecorationRole).value<QPixmap>().size(),
             QSize(12, 12));
}

void TestCVSFlexGrid::redrawOffDefersChanges() {
    m_grid->setRedraw(false);
    QVERIFY(!m_view->updatesEnabled());
    m_grid->setRows(11);
    m_grid->setText(10, 1, "last");
    QCOMPARE(m_view->model()->rowCount(), 1000);
    m_grid->setRedraw(true);
    QVERIFY(m_view->updatesEnabled());
    QCOMPARE(m_view->model()->rowCount(), 10);
    QCOMPARE(m_view->gridModel()->data(m_view->gridModel()->indexOf(10, 1)).toString(),
             QStringLiteral("last"));
}

void TestCVSFlexGrid::cornerShowsTheFirstCell() {
    auto* corner = m_view->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(corner);
    QVERIFY(corner->isVisible());
    QVERIFY(corner->width() > 20 && corner->height() > 10);
    m_grid->setText(0, 0, "");
    const QImage empty = corner->grab().toImage();
    m_grid->setText(0, 0, "No.");
    QCOMPARE(m_view->gridModel()->cornerText(), QStringLiteral("No."));
    const QImage numbered = corner->grab().toImage();
    QVERIFY(numbered != empty);
    // The text is painted inside the corner: a different text paints different pixels.
    m_grid->setText(0, 0, "Nr.");
    QVERIFY(corner->grab().toImage() != numbered);
}

void TestCVSFlexGrid::fittedColumnsShowTextAndPictureWhole() {
    QPixmap mark(12, 12);
    mark.fill(Qt::blue);
    m_view->registerPicture(147, mark);
    QPixmap wide(40, 12);
    wide.fill(Qt::red);
    m_view->registerPicture(150, wide);
    const struct {
        int col;
        const char* header;
        int headerPicture;
        int dataPicture;
    } cases[] = {
        {3, "図面番号 long heading", 147, 0},
        {4, "short", 150, 0},
        {5, "plain heading without a picture", 0, 0},
        {6, "x", 0, 147},
    };
    QHeaderView* header = m_view->horizontalHeader();
    for (const auto& c : cases) {
        m_grid->setText(0, c.col, cp932(c.header));
        m_grid->setCellPicture(0, c.col, 0, c.col, c.headerPicture);
        m_grid->setText(2, c.col, "1");
        m_grid->setCellPicture(2, c.col, 2, c.col, c.dataPicture);
        m_grid->autoSize(c.col, c.col);
        const int section = m_view->gridModel()->indexOf(2, c.col).column();
        // The heading is drawn whole when the style's label room holds it beside the picture.
        const QString heading = QString::fromUtf8(c.header);
        QVERIFY2(headerTextRoom(header, section, c.headerPicture != 0) >=
                     header->fontMetrics().horizontalAdvance(heading),
                 c.header);
        const QModelIndex cell = m_view->gridModel()->indexOf(2, c.col);
        // A cell is drawn whole at the size its delegate asks for.
        QVERIFY2(header->sectionSize(section) >= m_view->sizeHintForIndex(cell).width(), c.header);
    }
}

QTEST_MAIN(TestCVSFlexGrid)
#include "tst_CVSFlexGrid.moc"
