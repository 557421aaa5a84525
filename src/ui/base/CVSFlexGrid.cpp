#include "ui/base/CVSFlexGrid.h"

#include "base/CellGrid.h"
#include "base/CellGridObserver.h"
#include "ui/base/CVSFlexGridKeys.h"
#include "ui/base/CellGridDelegate.h"
#include "ui/base/CellGridModel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStylePainter>

namespace {

constexpr int kTwips = CellGrid::kTwipsPerPixel;
// Room left and right of a cell's text when a column is fitted to its contents.
constexpr int kCellPadding = 8;
// Half the width of the zone around a column border where a press starts resizing.
constexpr int kGripHalfWidth = 3;

} // namespace

CVSFlexGrid::CVSFlexGrid(QWidget* parent)
    : QTableView(parent), m_model(new CellGridModel(this)), m_delegate(new CellGridDelegate(this)) {
    setModel(m_model);
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->setSectionsClickable(false);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->viewport()->installEventFilter(this);
    verticalHeader()->viewport()->installEventFilter(this);
    // The table's own corner button paints an empty header section; it gets the grid's first cell
    // painted instead.
    m_corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (m_corner) {
        m_corner->installEventFilter(this);
    }
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &CVSFlexGrid::columnResized);
}

CVSFlexGrid::CVSFlexGrid(CellGrid* grid, QWidget* parent) : CVSFlexGrid(parent) {
    setGrid(grid);
}

CVSFlexGrid::~CVSFlexGrid() {
    detachGrid();
}

void CVSFlexGrid::detachGrid() {
    if (m_grid) {
        m_grid->setListener(nullptr);
        // The picture measure looks into this view's pictures.
        m_grid->setPictureMeasure({});
    }
}

void CVSFlexGrid::setGrid(CellGrid* grid) {
    detachGrid();
    m_grid = grid;
    m_input = grid ? std::make_unique<CellGridInput>(*grid) : nullptr;
    if (m_grid) {
        m_grid->setListener(this);
        applyMeasure();
        const int rowPixels = fontMetrics().height() + 6;
        m_grid->setRowHeights(rowPixels * kTwips, rowPixels * kTwips);
    }
    m_model->setGrid(grid);
    applyRows();
    applyColumns();
    setUpdatesEnabled(!m_grid || m_grid->redraw());
}

void CVSFlexGrid::registerPicture(int id, const QPixmap& pixmap) {
    m_model->setPicture(id, pixmap);
    viewport()->update();
}

QWidget* CVSFlexGrid::editorWidget() const {
    return m_editIndex.isValid() ? indexWidget(m_editIndex) : nullptr;
}

CellGridHit CVSFlexGrid::cellAtPoint(const QPoint& viewPos) const {
    if (!m_grid) {
        return {};
    }
    const QPoint twips = toTwips(this, viewPos);
    return m_grid->cellAt(twips.x(), twips.y());
}

// ---- grid changes

void CVSFlexGrid::gridCellsChanged(int top, int left, int bottom, int right) {
    m_model->cellsChanged(top, left, bottom, right);
    if (m_corner && top == 0 && left == 0) {
        m_corner->update();
    }
}

void CVSFlexGrid::gridStructureChanged() {
    m_model->reload();
    applyRows();
    applyColumns();
    viewport()->update();
}

void CVSFlexGrid::gridColumnsChanged() {
    applyColumns();
    viewport()->update();
}

void CVSFlexGrid::gridCursorChanged() {
    viewport()->update();
}

void CVSFlexGrid::gridRedrawChanged(bool on) {
    setUpdatesEnabled(on);
    if (on) {
        syncScrollPosition();
    }
}

void CVSFlexGrid::gridShowCell(int row, int col) {
    const int modelCol = std::max(col, m_model->headerCols()) - m_model->headerCols();
    const QModelIndex index = m_model->index(row - m_model->headerRows(), modelCol);
    if (index.isValid()) {
        scrollTo(index);
        syncScrollPosition();
    }
}

void CVSFlexGrid::gridEditOpened(int row, int col) {
    const QModelIndex index = m_model->indexOf(row, col);
    if (!index.isValid()) {
        return;
    }
    scrollTo(index);
    syncScrollPosition();
    m_editIndex = index;
    openPersistentEditor(index);
    if (QWidget* editor = indexWidget(index)) {
        editor->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            edit->selectAll();
        }
    }
}

void CVSFlexGrid::gridEditClosed() {
    if (!m_editIndex.isValid()) {
        return;
    }
    const QWidget* editor = indexWidget(m_editIndex);
    const bool hadFocus = editor && editor->isAncestorOf(QApplication::focusWidget());
    m_closingEditor = true;
    closePersistentEditor(m_editIndex);
    m_editIndex = QPersistentModelIndex();
    m_closingEditor = false;
    if (hadFocus || (editor && QApplication::focusWidget() == editor)) {
        setFocus(Qt::OtherFocusReason);
    }
}

// ---- editor

bool CVSFlexGrid::editorKeyPress(QKeyEvent* event) {
    const int code = flexgridkeys::keyCode(event->key());
    if (flexgridkeys::opensList(editorWidget(), event)) {
        qobject_cast<QComboBox*>(editorWidget())->showPopup();
        return true;
    }
    if (!m_input || code == 0) {
        return false;
    }
    return m_input->editorKeyDown(code, flexgridkeys::shiftState(event->modifiers()));
}

void CVSFlexGrid::editorFocusLost() {
    if (m_grid && m_grid->isEditing() && !m_closingEditor) {
        m_grid->finishEdit(0);
    }
}

// ---- input

void CVSFlexGrid::mousePressEvent(QMouseEvent* event) {
    press(viewport(), event);
}

void CVSFlexGrid::mouseReleaseEvent(QMouseEvent* /*event*/) {
    release();
}

void CVSFlexGrid::mouseDoubleClickEvent(QMouseEvent* /*event*/) {
    doubleClick();
}

void CVSFlexGrid::mouseMoveEvent(QMouseEvent* /*event*/) {
    // Dragging does not select: the grid changes only through presses and keys.
}

void CVSFlexGrid::keyPressEvent(QKeyEvent* event) {
    const int code = flexgridkeys::keyCode(event->key());
    if (!m_input || code == 0 || code == gridkey::Tab) {
        event->ignore();
        return;
    }
    syncScrollPosition();
    if (!m_input->keyDown(code, flexgridkeys::shiftState(event->modifiers()))) {
        event->ignore();
    }
}

void CVSFlexGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    syncScrollPosition();
}

void CVSFlexGrid::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    syncScrollPosition();
}

void CVSFlexGrid::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        applyMeasure();
    }
}

bool CVSFlexGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_corner && event->type() == QEvent::Paint) {
        paintCorner();
        return true;
    }
    const auto* header = qobject_cast<const QHeaderView*>(watched->parent());
    if (!header || (header != horizontalHeader() && header != verticalHeader())) {
        return QTableView::eventFilter(watched, event);
    }
    // Only mouse events are looked at; the cast is made after their type is known.
    const auto mouse = [event] { return static_cast<QMouseEvent*>(event); };
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // A press on a column border resizes the column and is no press on the grid.
        if (!onResizeGrip(header, mouse()->position().toPoint())) {
            setFocus(Qt::MouseFocusReason);
            press(header->viewport(), mouse());
        }
        break;
    case QEvent::MouseButtonRelease:
        release();
        break;
    case QEvent::MouseButtonDblClick:
        if (!onResizeGrip(header, mouse()->position().toPoint())) {
            doubleClick();
        }
        break;
    default:
        break;
    }
    return QTableView::eventFilter(watched, event);
}

void CVSFlexGrid::press(const QWidget* from, QMouseEvent* event) {
    if (!m_input) {
        return;
    }
    syncScrollPosition();
    const QPoint twips = toTwips(from, event->position().toPoint());
    m_pressed = true;
    m_input->mouseDown(flexgridkeys::button(event->button()),
                       flexgridkeys::shiftState(event->modifiers()), twips.x(), twips.y());
}

void CVSFlexGrid::release() {
    if (m_input && m_pressed) {
        m_pressed = false;
        m_input->click();
    }
}

void CVSFlexGrid::doubleClick() {
    // The second press of a double click is no press of its own, and its release no click.
    m_pressed = false;
    if (m_input) {
        m_input->doubleClick();
    }
}

bool CVSFlexGrid::onResizeGrip(const QHeaderView* header, const QPoint& pos) const {
    if (header != horizontalHeader()) {
        return false;
    }
    const int section = header->logicalIndexAt(pos);
    if (section < 0) {
        return false;
    }
    const int left = header->sectionViewportPosition(section);
    const int right = left + header->sectionSize(section);
    return pos.x() >= right - kGripHalfWidth ||
           (pos.x() <= left + kGripHalfWidth && header->visualIndex(section) > 0);
}

// ---- layout

QPoint CVSFlexGrid::toTwips(const QWidget* from, const QPoint& pos) const {
    const QPoint inView = from == this ? pos : from->mapTo(this, pos);
    return (inView - contentsRect().topLeft()) * kTwips;
}

void CVSFlexGrid::syncScrollPosition() {
    if (!m_grid) {
        return;
    }
    const int topModelRow = rowAt(0);
    const int leftModelCol = columnAt(0);
    m_grid->setScrollPosition(topModelRow < 0 ? m_grid->fixedRows() : m_model->gridRow(topModelRow),
                              leftModelCol < 0 ? m_grid->fixedCols()
                                               : m_model->gridCol(leftModelCol));
    const int rowPixels = std::max(m_grid->rowHeight() / kTwips, 1);
    m_grid->setPageRows(viewport()->height() / rowPixels);
}

void CVSFlexGrid::applyRows() {
    if (!m_grid) {
        return;
    }
    verticalHeader()->setDefaultSectionSize(std::max(m_grid->rowHeight() / kTwips, 1));
    const bool header = m_model->headerRows() > 0;
    horizontalHeader()->setVisible(header);
    if (header) {
        horizontalHeader()->setFixedHeight(std::max(m_grid->fixedRowHeight() / kTwips, 1));
    }
}

void CVSFlexGrid::applyColumns() {
    if (!m_grid) {
        return;
    }
    m_applyingColumns = true;
    QHeaderView* columns = horizontalHeader();
    for (int section = 0; section < m_model->columnCount(); ++section) {
        const int col = m_model->gridCol(section);
        const bool hidden = m_grid->colHidden(col);
        if (columns->isSectionHidden(section) != hidden) {
            columns->setSectionHidden(section, hidden);
        }
        const int pixels = std::max(m_grid->colWidth(col) / kTwips, 1);
        if (!hidden && columns->sectionSize(section) != pixels) {
            columns->resizeSection(section, pixels);
        }
    }
    const bool rowHeader = m_model->headerCols() > 0 && !m_grid->colHidden(0);
    verticalHeader()->setVisible(rowHeader);
    if (rowHeader) {
        verticalHeader()->setFixedWidth(std::max(m_grid->colWidth(0) / kTwips, 1));
    }
    m_applyingColumns = false;
}

void CVSFlexGrid::applyMeasure() {
    if (!m_grid) {
        return;
    }
    // Shaping whole strings costs microseconds each, too much for fitting 300 columns of 1000
    // rows; the advances of single characters are remembered and summed instead (cp932 has no
    // characters outside the basic plane, and the grid's fonts do not kern).
    const QFontMetrics metrics = fontMetrics();
    auto advances = std::make_shared<QHash<char16_t, int>>();
    m_grid->setTextMeasure(
        [metrics, advances](std::string_view text) {
            int width = 0;
            for (const QChar character : CellGridModel::toQString(text)) {
                auto found = advances->constFind(character.unicode());
                if (found == advances->constEnd()) {
                    found =
                        advances->insert(character.unicode(), metrics.horizontalAdvance(character));
                }
                width += *found;
            }
            return width;
        },
        kCellPadding);
    // A picture is drawn at the small icon size at least, apart from the text by a header margin.
    const int iconPixels = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    const int marginPixels =
        style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, horizontalHeader());
    m_grid->setPictureMeasure([model = m_model, iconPixels, marginPixels](int id) {
        const QPixmap picture = model->picture(id);
        const int width = picture.deviceIndependentSize().toSize().width();
        return picture.isNull() ? 0 : std::max(width, iconPixels) + marginPixels;
    });
}

void CVSFlexGrid::paintCorner() {
    QStyleOptionHeader option;
    option.initFrom(m_corner);
    option.rect = m_corner->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.orientation = Qt::Horizontal;
    option.textAlignment = horizontalHeader()->defaultAlignment();
    option.text = m_model->cornerText();
    QStylePainter painter(m_corner);
    painter.drawControl(QStyle::CE_Header, option);
}

void CVSFlexGrid::columnResized(int section, int /*oldSize*/, int newSize) {
    if (m_applyingColumns || !m_grid || newSize <= 0) {
        return;
    }
    m_grid->setColWidth(m_model->gridCol(section), newSize * kTwips);
}
