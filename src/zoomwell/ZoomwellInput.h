#pragma once

#include <Qt>
#include <QtGlobal>

// The control reports keys, buttons and modifier states in the classic virtual-key codes and
// bit masks its hosts expect: buttons 1 left, 2 right, 4 middle; shift state 1 Shift, 2 Ctrl,
// 4 Alt; key codes such as 46 Delete and 37 to 40 for the arrow keys.
class ZoomwellInput {
public:
    static constexpr qint16 LeftButton = 1;
    static constexpr qint16 ShiftMask = 1;
    static constexpr qint16 KeyDelete = 46;
    static constexpr qint16 KeyLeftArrow = 37;
    static constexpr qint16 KeyDownArrow = 40;

    static qint16 button(Qt::MouseButton button);
    static qint16 buttons(Qt::MouseButtons buttons);
    static qint16 shiftState(Qt::KeyboardModifiers modifiers);
    // The shift state after the modifier key itself went down (pressed) or up: the platforms
    // differ in whether a modifier key's own event already carries its bit.
    static qint16 shiftStateForKey(Qt::KeyboardModifiers modifiers, int key, bool pressed);
    // The virtual-key code of a Qt key, 0 for keys without one.
    static qint16 keyCode(int key);
};
