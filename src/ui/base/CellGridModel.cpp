#include "ui/base/CellGridModel.h"

#include "base/CellGrid.h"
#include "base/CellGridCompare.h"
#include "ui/base/QtText.h"

#include <QBrush>
#include <QColor>

#include <algorithm>

namespace {

Qt::Alignment toQtAlignment(CellAlignment alignment, std::string_view text) {
    switch (alignment) {
    case CellAlignment::LeftTop:
        return Qt::AlignLeft | Qt::AlignTop;
    case CellAlignment::LeftCenter:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case CellAlignment::LeftBottom:
        return Qt::AlignLeft | Qt::AlignBottom;
    case CellAlignment::CenterTop:
        return Qt::AlignHCenter | Qt::AlignTop;
    case CellAlignment::CenterCenter:
        return Qt::AlignCenter;
    case CellAlignment::CenterBottom:
        return Qt::AlignHCenter | Qt::AlignBottom;
    case CellAlignment::RightTop:
        return Qt::AlignRight | Qt::AlignTop;
    case CellAlignment::RightCenter:
        return Qt::AlignRight | Qt::AlignVCenter;
    case CellAlignment::RightBottom:
        return Qt::AlignRight | Qt::AlignBottom;
    case CellAlignment::General:
        break;
    }
    // General: numbers to the right, everything else to the left.
    const bool number = gridcompare::numericValue(text).has_value();
    return (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

QColor toQColor(std::uint32_t colorRef) {
    return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                  static_cast<int>((colorRef >> 16) & 0xFF));
}

} // namespace

CellGridModel::CellGridModel(QObject* parent) : QAbstractTableModel(parent) {
}

void CellGridModel::setGrid(const CellGrid* grid) {
    m_grid = grid;
    reload();
}

void CellGridModel::setPicture(int id, const QPixmap& pixmap) {
    m_pictures.insert(id, pixmap);
}

int CellGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int CellGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_cols;
}

QModelIndex CellGridModel::indexOf(int gridRow, int gridCol) const {
    return index(gridRow - m_headerRows, gridCol - m_headerCols);
}

QVariant CellGridModel::data(const QModelIndex& index, int role) const {
    if (!m_grid || !index.isValid()) {
        return {};
    }
    return cellData(gridRow(index.row()), gridCol(index.column()), role);
}

QVariant CellGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!m_grid) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return m_headerRows > 0 ? cellData(0, gridCol(section), role) : QVariant();
    }
    return m_headerCols > 0 ? cellData(gridRow(section), 0, role) : QVariant();
}

QString CellGridModel::cornerText() const {
    if (!m_grid || m_headerRows == 0 || m_headerCols == 0) {
        return {};
    }
    return toQString(m_grid->text(0, 0));
}

QVariant CellGridModel::cellData(int row, int col, int role) const {
    // The shape seen by Qt may be older than the grid's while redraw is off.
    if (row >= m_grid->rows() || col >= m_grid->cols()) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return toQString(m_grid->text(row, col));
    case Qt::DecorationRole: {
        const int id = m_grid->cellPicture(row, col);
        return id != 0 && m_pictures.contains(id) ? QVariant(m_pictures.value(id)) : QVariant();
    }
    case Qt::BackgroundRole: {
        const std::uint32_t color = m_grid->cellBackColor(row, col);
        return color == gridcolor::Default ? QVariant() : QVariant(QBrush(toQColor(color)));
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(
            toQtAlignment(m_grid->colAlignment(col), m_grid->text(row, col)));
    default:
        return {};
    }
}

Qt::ItemFlags CellGridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void CellGridModel::reload() {
    beginResetModel();
    if (m_grid) {
        m_headerRows = std::min(m_grid->fixedRows(), 1);
        m_headerCols = std::min(m_grid->fixedCols(), 1);
        m_rows = std::max(m_grid->rows() - m_headerRows, 0);
        m_cols = std::max(m_grid->cols() - m_headerCols, 0);
    } else {
        m_rows = m_cols = m_headerRows = m_headerCols = 0;
    }
    endResetModel();
}

void CellGridModel::cellsChanged(int top, int left, int bottom, int right) {
    if (!m_grid) {
        return;
    }
    if (top < m_headerRows && m_cols > 0) {
        emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
    }
    if (left < m_headerCols && m_rows > 0) {
        emit headerDataChanged(Qt::Vertical, 0, m_rows - 1);
    }
    const int r1 = std::max(top - m_headerRows, 0);
    const int c1 = std::max(left - m_headerCols, 0);
    const int r2 = std::min(bottom - m_headerRows, m_rows - 1);
    const int c2 = std::min(right - m_headerCols, m_cols - 1);
    if (r1 <= r2 && c1 <= c2) {
        emit dataChanged(index(r1, c1), index(r2, c2));
    }
}

QString CellGridModel::toQString(std::string_view cp932) {
    // Most cells hold numbers, dates and ASCII names: they need no conversion.
    const bool ascii = std::all_of(cp932.begin(), cp932.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
        return QString::fromLatin1(cp932.data(), static_cast<qsizetype>(cp932.size()));
    }
    return qttext::fromCp932(cp932);
}
