#pragma once

#include <QStyledItemDelegate>

class CVSFlexGrid;

// Paints the cells of a CVSFlexGrid with the grid's own selection and current cell, and makes
// its in-place editors: a drop-down list when the cell has a combo list, otherwise a line edit
// bound to the column's mask and the editor's byte limit. The editor's keys and its loss of focus
// go to the view; the view, not Qt's editing machinery, decides when an edit ends.
class CellGridDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit CellGridDelegate(CVSFlexGrid* view);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    CVSFlexGrid* m_view;
};
