#pragma once

#include "base/CellGridInput.h"
#include "base/CellGridListener.h"

#include <QPersistentModelIndex>
#include <QTableView>

#include <memory>

class CellGrid;
class CellGridDelegate;
class CellGridModel;
class QAbstractButton;
class QHeaderView;
class QKeyEvent;
class QMouseEvent;

// The grid control: a table view over one CellGrid. The grid's first fixed row is the column
// header and its first fixed column the row header; widths are the grid's twips (15 per pixel),
// hidden columns are hidden, cells show their text, background colour and picture (picture ids
// map to the pixmaps registered here); the corner where the headers meet shows the grid's first
// cell. Presses, keys and the in-place editor go through
// CellGridInput, which changes the grid and raises its events to the grid's observer. While the
// grid's redraw switch is off nothing is painted, and the view takes the grid's changes in one go
// when it comes back on. The grid must outlive the view, or be taken away with setGrid(nullptr).
class CVSFlexGrid : public QTableView, public CellGridListener {
    Q_OBJECT

public:
    explicit CVSFlexGrid(QWidget* parent = nullptr);
    explicit CVSFlexGrid(CellGrid* grid, QWidget* parent = nullptr);
    ~CVSFlexGrid() override;

    void setGrid(CellGrid* grid);
    CellGrid* grid() const { return m_grid; }
    CellGridInput* input() const { return m_input.get(); }
    CellGridModel* gridModel() const { return m_model; }
    void registerPicture(int id, const QPixmap& pixmap);
    // The open in-place editor, if any.
    QWidget* editorWidget() const;
    // The cell under a point of the view's own coordinates, as the grid sees it.
    CellGridHit cellAtPoint(const QPoint& viewPos) const;

    // CellGridListener
    void gridCellsChanged(int top, int left, int bottom, int right) override;
    void gridStructureChanged() override;
    void gridColumnsChanged() override;
    void gridCursorChanged() override;
    void gridRedrawChanged(bool on) override;
    void gridShowCell(int row, int col) override;
    void gridEditOpened(int row, int col) override;
    void gridEditClosed() override;

    // From the editor (CellGridDelegate).
    bool editorKeyPress(QKeyEvent* event);
    void editorFocusLost();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void detachGrid();
    void applyRows();
    void applyColumns();
    void applyMeasure();
    void paintCorner();
    void syncScrollPosition();
    QPoint toTwips(const QWidget* from, const QPoint& pos) const;
    void press(const QWidget* from, QMouseEvent* event);
    void release();
    void doubleClick();
    bool onResizeGrip(const QHeaderView* header, const QPoint& pos) const;
    void columnResized(int section, int oldSize, int newSize);

    CellGrid* m_grid = nullptr;
    std::unique_ptr<CellGridInput> m_input;
    CellGridModel* m_model;
    CellGridDelegate* m_delegate;
    QAbstractButton* m_corner = nullptr;
    QPersistentModelIndex m_editIndex;
    bool m_pressed = false;
    bool m_closingEditor = false;
    bool m_applyingColumns = false;
};
