#include "zoomwell/ZoomwellInput.h"

namespace {

constexpr qint16 CtrlMask = 2;
constexpr qint16 AltMask = 4;

qint16 modifierBitOfKey(int key) {
    switch (key) {
    case Qt::Key_Shift:
        return ZoomwellInput::ShiftMask;
    case Qt::Key_Control:
        return CtrlMask;
    case Qt::Key_Alt:
        return AltMask;
    default:
        return 0;
    }
}

} // namespace

qint16 ZoomwellInput::button(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return LeftButton;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

qint16 ZoomwellInput::buttons(Qt::MouseButtons buttons) {
    qint16 mask = 0;
    for (Qt::MouseButton one : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (buttons.testFlag(one)) {
            mask |= button(one);
        }
    }
    return mask;
}

qint16 ZoomwellInput::shiftState(Qt::KeyboardModifiers modifiers) {
    qint16 mask = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        mask |= ShiftMask;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        mask |= CtrlMask;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        mask |= AltMask;
    }
    return mask;
}

qint16 ZoomwellInput::shiftStateForKey(Qt::KeyboardModifiers modifiers, int key, bool pressed) {
    const qint16 own = modifierBitOfKey(key);
    const qint16 mask = shiftState(modifiers);
    return pressed ? qint16(mask | own) : qint16(mask & ~own);
}

qint16 ZoomwellInput::keyCode(int key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return qint16(key);
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return qint16(112 + (key - Qt::Key_F1));
    }
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return KeyLeftArrow;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return KeyDownArrow;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return KeyDelete;
    default:
        return 0;
    }
}
