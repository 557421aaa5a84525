#pragma once

#include <Qt>

// Qt's keys, modifiers and buttons in the codes of the grid's events (CellGridObserver.h).
namespace flexgridkeys {

// 0 for a key the grid events have no code for.
int keyCode(int qtKey);
int shiftState(Qt::KeyboardModifiers modifiers);
int button(Qt::MouseButton button);

} // namespace flexgridkeys
