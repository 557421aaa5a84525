#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QPixmap>

#include <string_view>

class CellGrid;

// The Qt face of one CellGrid. The first fixed row becomes the horizontal header and the first
// fixed column the vertical header; the model's rows and columns are the grid's others. The
// shape is taken from the grid only at reload(), so that changes made while the grid's redraw
// switch is off reach the view in one reset; cell reads always go to the grid itself.
class CellGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit CellGridModel(QObject* parent = nullptr);

    void setGrid(const CellGrid* grid);
    const CellGrid* grid() const { return m_grid; }
    void setPicture(int id, const QPixmap& pixmap);
    QPixmap picture(int id) const { return m_pictures.value(id); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The text of the cell where the header row meets the header column (the view's corner);
    // empty when the grid has no such cell.
    QString cornerText() const;

    int headerRows() const { return m_headerRows; }
    int headerCols() const { return m_headerCols; }
    int gridRow(int modelRow) const { return modelRow + m_headerRows; }
    int gridCol(int modelCol) const { return modelCol + m_headerCols; }
    QModelIndex indexOf(int gridRow, int gridCol) const;

    // Takes the grid's shape anew (a model reset).
    void reload();
    // Cell contents changed in a rectangle of grid cells.
    void cellsChanged(int top, int left, int bottom, int right);

    // A cp932 cell text as Qt shows it (ASCII texts take a short way).
    static QString toQString(std::string_view cp932);

private:
    QVariant cellData(int row, int col, int role) const;

    const CellGrid* m_grid = nullptr;
    int m_rows = 0;
    int m_cols = 0;
    int m_headerRows = 0;
    int m_headerCols = 0;
    QHash<int, QPixmap> m_pictures;
};
