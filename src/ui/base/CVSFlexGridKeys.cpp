#include "ui/base/CVSFlexGridKeys.h"

#include "base/CellGridObserver.h"

#include <QComboBox>
#include <QKeyEvent>

namespace flexgridkeys {

int keyCode(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return qtKey;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
        return gridkey::F1 + (qtKey - Qt::Key_F1);
    }
    switch (qtKey) {
    case Qt::Key_Backspace:
        return gridkey::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return gridkey::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return gridkey::Enter;
    case Qt::Key_Escape:
        return gridkey::Escape;
    case Qt::Key_Space:
        return gridkey::Space;
    case Qt::Key_PageUp:
        return gridkey::PageUp;
    case Qt::Key_PageDown:
        return gridkey::PageDown;
    case Qt::Key_End:
        return gridkey::End;
    case Qt::Key_Home:
        return gridkey::Home;
    case Qt::Key_Left:
        return gridkey::Left;
    case Qt::Key_Up:
        return gridkey::Up;
    case Qt::Key_Right:
        return gridkey::Right;
    case Qt::Key_Down:
        return gridkey::Down;
    case Qt::Key_Insert:
        return gridkey::Insert;
    case Qt::Key_Delete:
        return gridkey::Delete;
    default:
        return 0;
    }
}

int shiftState(Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    if (modifiers & Qt::ShiftModifier) {
        shift |= gridshift::Shift;
    }
    if (modifiers & Qt::ControlModifier) {
        shift |= gridshift::Ctrl;
    }
    if (modifiers & Qt::AltModifier) {
        shift |= gridshift::Alt;
    }
    return shift;
}

int button(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return gridbutton::Left;
    case Qt::RightButton:
        return gridbutton::Right;
    case Qt::MiddleButton:
        return gridbutton::Middle;
    default:
        return 0;
    }
}

bool opensList(const QWidget* editor, const QKeyEvent* event) {
    if (qobject_cast<const QComboBox*>(editor) == nullptr) {
        return false;
    }
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (event->key() == Qt::Key_F4) {
        return modifiers == Qt::NoModifier;
    }
    return (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up) &&
           modifiers == Qt::AltModifier;
}

} // namespace flexgridkeys
