#include "ui/base/CellGridDelegate.h"

#include "base/CellGrid.h"
#include "ui/base/CVSFlexGrid.h"
#include "ui/base/CVSFlexGridValidator.h"
#include "ui/base/CellGridModel.h"
#include "ui/base/QtText.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

CellGridDelegate::CellGridDelegate(CVSFlexGrid* view) : QStyledItemDelegate(view), m_view(view) {
}

QWidget* CellGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                        const QModelIndex& /*index*/) const {
    CellGrid* grid = m_view->grid();
    if (!grid) {
        return nullptr;
    }
    const QString items = qttext::fromCp932(grid->editorComboList());
    if (!items.isEmpty()) {
        auto* combo = new QComboBox(parent);
        combo->addItems(items.split(QLatin1Char('|')));
        connect(combo, &QComboBox::currentTextChanged, combo, [grid](const QString& text) {
            if (grid->isEditing()) {
                grid->setEditText(qttext::toCp932(text));
            }
        });
        return combo;
    }
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    edit->setValidator(
        new CVSFlexGridValidator(grid->colEditMask(grid->editCol()), grid->editMaxLength(), edit));
    connect(edit, &QLineEdit::textChanged, edit, [grid](const QString& text) {
        if (grid->isEditing()) {
            grid->setEditText(qttext::toCp932(text));
        }
    });
    return edit;
}

void CellGridDelegate::setEditorData(QWidget* editor, const QModelIndex& /*index*/) const {
    CellGrid* grid = m_view->grid();
    if (!grid || !grid->isEditing()) {
        return;
    }
    const QString text = qttext::fromCp932(grid->editText());
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const int found = combo->findText(text);
        combo->setCurrentIndex(found);
        if (found < 0) {
            // A value not in the list stays the edit text until an item is chosen.
            grid->setEditText(qttext::toCp932(text));
        }
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        if (edit->text() != text) {
            edit->setText(text);
            edit->selectAll();
        }
    }
}

void CellGridDelegate::setModelData(QWidget* /*editor*/, QAbstractItemModel* /*model*/,
                                    const QModelIndex& /*index*/) const {
    // The grid stores the edit text itself when the edit is committed.
}

void CellGridDelegate::initStyleOption(QStyleOptionViewItem* option,
                                       const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const CellGrid* grid = m_view->grid();
    const auto* model = qobject_cast<const CellGridModel*>(index.model());
    if (!grid || !model) {
        return;
    }
    const int row = model->gridRow(index.row());
    const int col = model->gridCol(index.column());
    const CellGridRange range = grid->selectedRange();
    // A lone current cell of a free selection is shown by its focus frame, not highlighted.
    const bool lone = grid->selectionMode() == CellGridSelectionMode::Free &&
                      range.top == range.bottom && range.left == range.right;
    option->state.setFlag(QStyle::State_Selected, !lone && grid->isCellSelected(row, col));
    option->state.setFlag(QStyle::State_HasFocus,
                          m_view->hasFocus() && row == grid->row() && col == grid->col());
    const CellAlignment alignment = grid->colAlignment(col);
    if (alignment == CellAlignment::CenterCenter || alignment == CellAlignment::CenterTop ||
        alignment == CellAlignment::CenterBottom) {
        option->decorationAlignment = Qt::AlignCenter;
    }
}

bool CellGridDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    if (!editor) {
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        return m_view->editorKeyPress(static_cast<QKeyEvent*>(event));
    }
    if (event->type() == QEvent::FocusOut) {
        const auto* focus = static_cast<QFocusEvent*>(event);
        const QWidget* now = QApplication::focusWidget();
        const bool stillInside = now && (now == editor || editor->isAncestorOf(now));
        // A drop-down's list is a window of its own: a window manager may take the focus to it
        // as to any window, and the edit goes on while the list is open.
        const bool listOpen = QApplication::activePopupWidget() != nullptr;
        if (focus->reason() != Qt::PopupFocusReason && !stillInside && !listOpen) {
            m_view->editorFocusLost();
        }
    }
    return false;
}
