#pragma once

#include <Qt>

class QKeyEvent;
class QWidget;

// Qt's keys, modifiers and buttons in the codes of the grid's events (CellGridObserver.h).
namespace flexgridkeys {

// 0 for a key the grid events have no code for.
int keyCode(int qtKey);
int shiftState(Qt::KeyboardModifiers modifiers);
int button(Qt::MouseButton button);
// F4, Alt+Down and Alt+Up on a drop-down editor open its list, as on every drop-down of the
// program; the grid then opens the list instead of taking the key.
bool opensList(const QWidget* editor, const QKeyEvent* event);

} // namespace flexgridkeys
