#pragma once

class CellGrid;

// Key codes of the grid's key events (the virtual key codes of the original control): letters and
// digits are their upper-case ASCII codes.
namespace gridkey {
constexpr int Back = 8;
constexpr int Tab = 9;
constexpr int Enter = 13;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int F1 = 112;
constexpr int F2 = 113;
constexpr int F12 = 123;
} // namespace gridkey

// Shift state bits of key and mouse events.
namespace gridshift {
constexpr int Shift = 1;
constexpr int Ctrl = 2;
constexpr int Alt = 4;
} // namespace gridshift

// Mouse buttons of the mouse events.
namespace gridbutton {
constexpr int Left = 1;
constexpr int Right = 2;
constexpr int Middle = 4;
} // namespace gridbutton

// Events of one CellGrid, delivered to its owner. Every handler may read and change the grid.
// Positions are in twips (15 per pixel) from the top-left corner of the grid's cell area, the
// fixed row and column included. Handlers that take a key code by reference may change it; a key
// code set to 0 is swallowed and the grid does nothing more with it.
//
// Order of events:
//  press:        beforeMouseDown -> (cursor move: currentCellChanged) -> mouseDown
//                -> (header sort when enabled: beforeSort -> afterSort)
//  release:      click
//  double click: dblClick (after the press, release and click of the first press)
//  key:          keyDown -> (cursor move: currentCellChanged)
//  edit:         editCell() -> startEdit; keys in the editor -> keyDownEdit;
//                committing -> validateEdit -> afterEdit -> (cursor move for Up, Down, Page Up,
//                Page Down, Tab: currentCellChanged); Escape -> afterEdit with the key Escape and
//                the cell unchanged.
class CellGridObserver {
public:
    virtual ~CellGridObserver() = default;

    virtual void gridKeyDown(CellGrid&, int& /*keyCode*/, int /*shift*/) {}
    virtual void gridKeyDownEdit(CellGrid&, int /*row*/, int /*col*/, int& /*keyCode*/,
                                 int /*shift*/) {}
    virtual void gridDblClick(CellGrid&) {}
    virtual void gridBeforeMouseDown(CellGrid&, int /*button*/, int /*shift*/, int /*xTwips*/,
                                     int /*yTwips*/, bool& /*cancel*/) {}
    virtual void gridMouseDown(CellGrid&, int /*button*/, int /*shift*/, int /*xTwips*/,
                               int /*yTwips*/) {}
    virtual void gridStartEdit(CellGrid&, int /*row*/, int /*col*/, bool& /*cancel*/) {}
    // The text about to be stored is grid.editText(); cancel keeps the editor open.
    virtual void gridValidateEdit(CellGrid&, int /*row*/, int /*col*/, bool& /*cancel*/) {}
    // endKey: the key that ended the edit (Enter, Up, Down, Page Up, Page Down, Tab), Escape for a
    // cancelled edit, 0 when the edit ended otherwise (focus lost, a press elsewhere, a change of
    // the grid's shape).
    virtual void gridAfterEdit(CellGrid&, int /*row*/, int /*col*/, int /*endKey*/) {}
    virtual void gridCurrentCellChanged(CellGrid&, int /*oldRow*/, int /*oldCol*/, int /*newRow*/,
                                        int /*newCol*/) {}
    virtual void gridBeforeSort(CellGrid&, int /*col*/, int /*order*/, bool& /*cancel*/) {}
    virtual void gridAfterSort(CellGrid&, int /*col*/, int /*order*/) {}
    virtual void gridClick(CellGrid&) {}
};
