#include "base/CellGrid.h"
#include "base/CellGridCompare.h"
#include "base/CellGridInput.h"
#include "base/CellGridListener.h"
#include "base/CellGridMask.h"
#include "base/CellGridObserver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records every event as one line, in order.
class EventLog : public CellGridObserver {
public:
    std::vector<std::string> events;
    bool cancelMouse = false;
    bool cancelStart = false;
    bool rejectEdit = false;
    int swallowKey = 0;

    void gridKeyDown(CellGrid&, int& keyCode, int shift) override {
        add("keyDown " + std::to_string(keyCode) + " " + std::to_string(shift));
        if (keyCode == swallowKey) {
            keyCode = 0;
        }
    }
    void gridKeyDownEdit(CellGrid&, int row, int col, int& keyCode, int shift) override {
        add("keyDownEdit " + cell(row, col) + " " + std::to_string(keyCode) + " " +
            std::to_string(shift));
    }
    void gridDblClick(CellGrid&) override { add("dblClick"); }
    void gridBeforeMouseDown(CellGrid&, int button, int, int x, int y, bool& cancel) override {
        add("beforeMouseDown " + std::to_string(button) + " " + std::to_string(x) + "," +
            std::to_string(y));
        cancel = cancelMouse;
    }
    void gridMouseDown(CellGrid&, int button, int, int, int) override {
        add("mouseDown " + std::to_string(button));
    }
    void gridStartEdit(CellGrid&, int row, int col, bool& cancel) override {
        add("startEdit " + cell(row, col));
        cancel = cancelStart;
    }
    void gridValidateEdit(CellGrid& grid, int row, int col, bool& cancel) override {
        add("validateEdit " + cell(row, col) + " " + grid.editText());
        cancel = rejectEdit;
    }
    void gridAfterEdit(CellGrid& grid, int row, int col, int endKey) override {
        add("afterEdit " + cell(row, col) + " " + std::to_string(endKey) + " " +
            grid.text(row, col));
    }
    void gridCurrentCellChanged(CellGrid&, int oldRow, int oldCol, int newRow,
                                int newCol) override {
        add("cellChanged " + cell(oldRow, oldCol) + "->" + cell(newRow, newCol));
    }
    void gridBeforeSort(CellGrid&, int col, int order, bool&) override {
        add("beforeSort " + std::to_string(col) + " " + std::to_string(order));
    }
    void gridAfterSort(CellGrid&, int col, int order) override {
        add("afterSort " + std::to_string(col) + " " + std::to_string(order));
    }
    void gridClick(CellGrid&) override { add("click"); }

private:
    static std::string cell(int row, int col) {
        return std::to_string(row) + ":" + std::to_string(col);
    }
    void add(std::string event) { events.push_back(std::move(event)); }
};

class ChangeLog : public CellGridListener {
public:
    std::vector<std::string> changes;
    void gridCellsChanged(int top, int left, int bottom, int right) override {
        changes.push_back("cells " + std::to_string(top) + "," + std::to_string(left) + "-" +
                          std::to_string(bottom) + "," + std::to_string(right));
    }
    void gridStructureChanged() override { changes.push_back("structure"); }
    void gridColumnsChanged() override { changes.push_back("columns"); }
    void gridCursorChanged() override { changes.push_back("cursor"); }
    void gridRedrawChanged(bool on) override { changes.push_back(on ? "redraw on" : "redraw off"); }
    void gridShowCell(int row, int col) override {
        changes.push_back("show " + std::to_string(row) + "," + std::to_string(col));
    }
    void gridEditOpened(int row, int col) override {
        changes.push_back("editOpened " + std::to_string(row) + "," + std::to_string(col));
    }
    void gridEditClosed() override { changes.push_back("editClosed"); }
};

// A grid with the header row, a number column and one column of the given texts.
void fillColumn(CellGrid& grid, const std::vector<std::string>& texts) {
    grid.setRows(static_cast<int>(texts.size()) + 1);
    grid.setCols(3);
    for (int i = 0; i < static_cast<int>(texts.size()); ++i) {
        grid.setText(i + 1, 0, std::to_string(i + 1));
        grid.setText(i + 1, 1, texts[static_cast<std::size_t>(i)]);
    }
}

std::vector<std::string> column(const CellGrid& grid, int col) {
    std::vector<std::string> out;
    for (int r = grid.fixedRows(); r < grid.rows(); ++r) {
        out.push_back(grid.text(r, col));
    }
    return out;
}

using Texts = std::vector<std::string>;

struct SortCase {
    const char* name;
    Texts input;
    CellGridSort order;
    Texts sorted;
};

class CellGridSortTest : public ::testing::TestWithParam<SortCase> {};

TEST_P(CellGridSortTest, SortsAllRowsByCurrentColumn) {
    const SortCase& c = GetParam();
    CellGrid grid;
    fillColumn(grid, c.input);
    grid.setText(0, 1, "header");
    grid.setCurrentCell(1, 1);
    grid.sort(c.order);
    EXPECT_EQ(column(grid, 1), c.sorted);
    EXPECT_EQ(grid.text(0, 1), "header");
}

INSTANTIATE_TEST_SUITE_P(
    Orders, CellGridSortTest,
    ::testing::Values(
        SortCase{"NumbersAsNumbers",
                 {"10", "9", "-1", "1.5", "100"},
                 CellGridSort::Ascending,
                 {"-1", "1.5", "9", "10", "100"}},
        SortCase{"NumbersDescending",
                 {"10", "9", "-1", "1.5"},
                 CellGridSort::Descending,
                 {"10", "9", "1.5", "-1"}},
        SortCase{"TextAsUnsignedBytes",
                 {"\x88\x9f", "b", "\xb1", "A", "a"},
                 CellGridSort::Ascending,
                 {"A", "a", "b", "\x88\x9f", "\xb1"}},
        SortCase{"NumbersBeforeLetters",
                 {"abc", "10", "9"},
                 CellGridSort::Ascending,
                 {"9", "10", "abc"}},
        SortCase{"EmptyFirstAscending", {"b", "", "a"}, CellGridSort::Ascending, {"", "a", "b"}},
        SortCase{"EmptyLastDescending", {"b", "", "a"}, CellGridSort::Descending, {"b", "a", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CellGridTest, SortIsStableInBothOrders) {
    for (const CellGridSort order : {CellGridSort::Ascending, CellGridSort::Descending}) {
        CellGrid grid;
        fillColumn(grid, {"x", "y", "x", "y", "x"});
        grid.setCurrentCell(1, 1);
        grid.sort(order);
        const Texts keys = order == CellGridSort::Ascending ? Texts{"x", "x", "x", "y", "y"}
                                                            : Texts{"y", "y", "x", "x", "x"};
        const Texts numbers = order == CellGridSort::Ascending ? Texts{"1", "3", "5", "2", "4"}
                                                               : Texts{"2", "4", "1", "3", "5"};
        EXPECT_EQ(column(grid, 1), keys);
        EXPECT_EQ(column(grid, 0), numbers);
    }
}

TEST(CellGridTest, SortLimitedToSelectedRowsCarriesRowState) {
    CellGrid grid;
    fillColumn(grid, {"d", "c", "b", "a", "0"});
    grid.setCellBackColor(2, 1, 2, 1, gridcolor::Red);
    grid.setRowSelected(2, true);
    grid.setCurrentCell(1, 1);
    grid.setRowSel(4);
    grid.sort(CellGridSort::Ascending);
    EXPECT_EQ(column(grid, 1), (Texts{"a", "b", "c", "d", "0"}));
    // "c" was row 2 and is now row 3, with its colour and its selected flag.
    EXPECT_EQ(grid.cellBackColor(3, 1), gridcolor::Red);
    EXPECT_TRUE(grid.isRowSelected(3));
    EXPECT_FALSE(grid.isRowSelected(2));
}

TEST(CellGridTest, GenericComparison) {
    struct Case {
        const char* a;
        const char* b;
        int sign;
    };
    const Case cases[] = {
        {"9", "10", -1},   {" 9 ", "10", -1}, {"+5", "5", 0},   {"1e2", "99", 1},
        {"-0.5", "-1", 1}, {"1.", ".5", 1},   {"1-", "10", -1}, {"abc", "abd", -1},
        {"ab", "abc", -1}, {"\x81", "z", 1},  {"", "0", -1},    {"1,000", "2", -1},
    };
    for (const Case& c : cases) {
        const int result = gridcompare::compare(c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.a << " vs " << c.b;
    }
}

TEST(CellGridTest, SetRowPositionShiftsRowsBetween) {
    struct Case {
        int row;
        int position;
        Texts result;
    };
    const Case cases[] = {
        {1, 4, {"b", "c", "d", "a", "e"}},
        {5, 2, {"a", "e", "b", "c", "d"}},
        {3, 3, {"a", "b", "c", "d", "e"}},
        {3, 9, {"a", "b", "c", "d", "e"}},
    };
    for (const Case& c : cases) {
        CellGrid grid;
        fillColumn(grid, {"a", "b", "c", "d", "e"});
        grid.setRowPosition(c.row, c.position);
        EXPECT_EQ(column(grid, 1), c.result) << c.row << "->" << c.position;
    }
}

TEST(CellGridTest, RemoveRowAndInsertThroughRowCount) {
    CellGrid grid;
    fillColumn(grid, {"a", "b", "c"});
    EventLog log;
    grid.setObserver(&log);
    grid.setCurrentCell(3, 1);
    grid.removeRow(2);
    EXPECT_EQ(column(grid, 1), (Texts{"a", "c"}));
    // The current row was the last and is taken back onto the new last row.
    EXPECT_EQ(grid.row(), 2);
    EXPECT_EQ(log.events.back(), "cellChanged 3:1->2:1");

    // Insert the way the rename list does: one extra row, moved into place, the last dropped.
    grid.setRows(4);
    grid.setRowPosition(3, 1);
    grid.setRows(3);
    EXPECT_EQ(column(grid, 1), (Texts{"", "a"}));
}

TEST(CellGridTest, SelectionCountsAndNthRow) {
    CellGrid grid(8, 3);
    grid.select(5, 1, 2, 2);
    EXPECT_EQ(grid.selectedRange(), (CellGridRange{2, 1, 5, 2}));
    EXPECT_EQ(grid.selectedRowCount(), 4);
    EXPECT_EQ(grid.selectedRow(0), 2);
    EXPECT_EQ(grid.selectedRow(3), 5);
    EXPECT_EQ(grid.selectedRow(4), -1);
    EXPECT_TRUE(grid.isCellSelected(3, 2));
    EXPECT_FALSE(grid.isCellSelected(3, 0));

    grid.setSelectionMode(CellGridSelectionMode::ListBox);
    grid.setRowSelected(6, true);
    grid.setRowSelected(3, true);
    grid.setRowSelected(0, true); // the header row cannot be selected
    EXPECT_EQ(grid.selectedRowCount(), 2);
    EXPECT_EQ(grid.selectedRow(0), 3);
    EXPECT_EQ(grid.selectedRow(1), 6);
    EXPECT_EQ(grid.selectedRow(2), -1);
    grid.clearRowSelection();
    EXPECT_EQ(grid.selectedRowCount(), 0);
}

TEST(CellGridTest, ListBoxPressesSelectRows) {
    struct Press {
        int row;
        int shift;
        std::vector<int> selected;
    };
    CellGrid grid(10, 3);
    grid.setSelectionMode(CellGridSelectionMode::ListBox);
    grid.setRowHeights(300, 300);
    CellGridInput input(grid);
    const Press presses[] = {
        {2, 0, {2}},
        {5, gridshift::Shift, {2, 3, 4, 5}},
        {8, gridshift::Ctrl, {2, 3, 4, 5, 8}},
        {3, gridshift::Ctrl, {2, 4, 5, 8}},
        {7, 0, {7}},
    };
    for (const Press& p : presses) {
        input.mouseDown(gridbutton::Left, p.shift, 1000, p.row * 300 + 10);
        std::vector<int> selected;
        for (int n = 0; grid.selectedRow(n) >= 0; ++n) {
            selected.push_back(grid.selectedRow(n));
        }
        EXPECT_EQ(selected, p.selected) << "press on row " << p.row;
        EXPECT_EQ(grid.row(), p.row);
    }
}

TEST(CellGridTest, ClearEmptiesScrollableCellsOnly) {
    CellGrid grid(3, 3);
    grid.setCell(CellKind::Text, 0, 0, 2, 2, "x");
    grid.setCellBackColor(0, 0, 2, 2, gridcolor::Red);
    grid.setCellPicture(0, 0, 2, 2, 147);
    grid.clearScrollable();
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            const bool fixed = r == 0 || c == 0;
            EXPECT_EQ(grid.text(r, c), fixed ? "x" : "") << r << "," << c;
            EXPECT_EQ(grid.cellBackColor(r, c), fixed ? gridcolor::Red : gridcolor::Default);
            EXPECT_EQ(grid.cellPicture(r, c), fixed ? 147 : 0);
        }
    }
}

TEST(CellGridTest, CellKinds) {
    CellGrid grid(3, 3);
    grid.setCell(CellKind::Text, 1, 1, 2, 2, " 1.50 ");
    grid.setCell(CellKind::Picture, 1, 1, 1, 1, "147");
    EXPECT_EQ(grid.cell(CellKind::DisplayText, 2, 2), " 1.50 ");
    EXPECT_EQ(grid.cell(CellKind::Value, 2, 2), "1.5");
    EXPECT_EQ(grid.cell(CellKind::Picture, 1, 1), "147");
    EXPECT_EQ(grid.cellPicture(2, 2), 0);
    grid.setText(1, 2, "abc");
    EXPECT_EQ(grid.cell(CellKind::Value, 1, 2), "0");
    EXPECT_EQ(grid.text(7, 7), "");
}

TEST(CellGridTest, CellAtCountsTwipsHiddenColumnsAndScrolling) {
    CellGrid grid(20, 5);
    grid.setRowHeights(300, 240);
    grid.setColWidth(0, 600);
    grid.setColWidth(1, 900);
    grid.setColHidden(2, true);
    grid.setColWidth(3, 1500);
    struct Case {
        int x;
        int y;
        CellGridHit hit;
    };
    const Case unscrolled[] = {
        {0, 0, {0, 0}},       {599, 299, {0, 0}},  {600, 300, {1, 1}},
        {1499, 539, {1, 1}},  {1500, 540, {2, 3}}, {3000, 300, {1, 4}},
        {3960, 300, {1, -1}}, {-1, 0, {-1, -1}},   {0, 300 + 240 * 19, {-1, 0}},
    };
    for (const Case& c : unscrolled) {
        EXPECT_EQ(grid.cellAt(c.x, c.y), c.hit) << c.x << "," << c.y;
    }
    grid.setScrollPosition(10, 3);
    EXPECT_EQ(grid.cellAt(700, 300), (CellGridHit{10, 3}));
    EXPECT_EQ(grid.cellAt(100, 100), (CellGridHit{0, 0}));
    EXPECT_EQ(grid.cellAt(2200, 300 + 240 * 2), (CellGridHit{12, 4}));
}

TEST(CellGridTest, AutoSizeFitsWidestTextInTwips) {
    CellGrid grid(4, 4);
    grid.setTextMeasure([](std::string_view text) { return static_cast<int>(text.size()) * 10; },
                        4);
    grid.setText(0, 1, "header");
    grid.setText(2, 1, "ab");
    grid.setText(1, 2, "abcdefghij");
    grid.setText(3, 2, "abc");
    grid.autoSize(1, 1);
    EXPECT_EQ(grid.colWidth(1), (60 + 4) * 15);
    grid.autoSize(2, 2, false, 30);
    EXPECT_EQ(grid.colWidth(2), (100 + 4) * 15 + 30);
    grid.autoSize(3, 3);
    EXPECT_EQ(grid.colWidth(3), 4 * 15);
    grid.autoSize(2, 1, true);
    EXPECT_EQ(grid.colWidth(1), (100 + 4) * 15);
    EXPECT_EQ(grid.colWidth(2), (100 + 4) * 15);

    CellGrid plain(2, 2);
    plain.setText(1, 1, "abcd");
    plain.autoSize(1, 1);
    EXPECT_EQ(plain.colWidth(1), (4 * CellGridFitter::kFallbackPixelsPerByte + 6) * 15);
}

TEST(CellGridTest, AutoSizeCountsAPictureBesideItsText) {
    const struct {
        const char* what;
        std::string header;
        int headerPicture;
        std::string data;
        int pixels;
    } cases[] = {
        {"decorated heading wider than the data", "abcd", 147, "abcde", 40 + 20},
        {"data wider than the decorated heading", "ab", 147, "abcdefghij", 100},
        {"a picture alone", "", 147, "", 20},
        {"a picture the view does not show", "abcd", 9, "", 40},
        {"equal texts, one with a picture", "abc", 147, "abc", 30 + 20},
    };
    for (const auto& c : cases) {
        CellGrid grid(3, 2);
        grid.setTextMeasure([](std::string_view t) { return static_cast<int>(t.size()) * 10; }, 4);
        grid.setPictureMeasure([](int id) { return id == 147 ? 20 : 0; });
        grid.setText(0, 1, c.header);
        grid.setCellPicture(0, 1, 0, 1, c.headerPicture);
        grid.setText(1, 1, c.data);
        grid.setText(2, 1, c.data);
        grid.autoSize(1, 1);
        EXPECT_EQ(grid.colWidth(1), (c.pixels + 4) * 15) << c.what;
    }
    CellGrid plain(2, 2);
    plain.setText(0, 1, "ab");
    plain.setCellPicture(0, 1, 0, 1, 147);
    plain.autoSize(1, 1);
    EXPECT_EQ(plain.colWidth(1), (2 * CellGridFitter::kFallbackPixelsPerByte +
                                  CellGridFitter::kFallbackPicturePixels + 6) *
                                     15);
}

TEST(CellGridTest, EditMasks) {
    struct Case {
        const char* mask;
        const char* text;
        bool fits;
    };
    const Case cases[] = {
        {"####", "-123", true},
        {"####", "12345", false},
        {"####", "12a", false},
        {"&&&&&&&&&&&99", "-123456789.1", true},
        {"&&&99", "1.5x", false},
        {"&&&99", "1.55", true},
        {"&&",
         "\x88\x9f"
         "a",
         true},
        {"99", "\x88\x9f", false},
        {"\\#0", "#1", true},
        {"\\#0", "11", false},
        {">LL", "ab", true},
        {"LL", "a1", false},
        {"", "", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gridmask::fits(c.mask, c.text), c.fits) << c.mask << " / " << c.text;
    }
    EXPECT_EQ(gridmask::positions("\\#>09&"), 4u);
}

TEST(CellGridTest, PressEventsInOrder) {
    CellGrid grid(10, 4);
    grid.setRowHeights(300, 300);
    EventLog log;
    grid.setObserver(&log);
    CellGridInput input(grid);
    input.mouseDown(gridbutton::Left, 0, 960 * 2 + 10, 300 * 3 + 10);
    input.click();
    input.doubleClick();
    input.mouseDown(gridbutton::Right, 0, 960 + 10, 300 * 5 + 10);
    log.cancelMouse = true;
    input.mouseDown(gridbutton::Left, 0, 960 + 10, 300 * 6 + 10);
    const std::vector<std::string> expected = {
        "beforeMouseDown 1 1930,910",
        "cellChanged 1:1->3:2",
        "mouseDown 1",
        "click",
        "dblClick",
        "beforeMouseDown 2 970,1510",
        "mouseDown 2",
        "beforeMouseDown 1 970,1810",
    };
    EXPECT_EQ(log.events, expected);
    EXPECT_EQ(grid.row(), 3);
    EXPECT_EQ(grid.mouseRow(), 6);
    EXPECT_EQ(grid.mouseCol(), 1);
}

TEST(CellGridTest, HeaderSortAlternatesWithEvents) {
    CellGrid grid;
    fillColumn(grid, {"b", "c", "a"});
    EventLog log;
    grid.setObserver(&log);
    CellGridInput input(grid);
    input.setHeaderSort(true);
    input.mouseDown(gridbutton::Left, 0, 960 + 10, 10);
    EXPECT_EQ(column(grid, 1), (Texts{"a", "b", "c"}));
    input.mouseDown(gridbutton::Left, 0, 960 + 10, 10);
    EXPECT_EQ(column(grid, 1), (Texts{"c", "b", "a"}));
    const std::vector<std::string> expected = {
        "beforeMouseDown 1 970,10", "mouseDown 1", "beforeSort 1 1", "afterSort 1 1",
        "beforeMouseDown 1 970,10", "mouseDown 1", "beforeSort 1 2", "afterSort 1 2",
    };
    EXPECT_EQ(log.events, expected);
}

TEST(CellGridTest, KeysMoveSkippingHiddenColumns) {
    CellGrid grid(6, 5);
    grid.setColHidden(2, true);
    grid.setPageRows(3);
    EventLog log;
    log.swallowKey = gridkey::F2;
    grid.setObserver(&log);
    CellGridInput input(grid);
    struct Step {
        int key;
        int shift;
        int row;
        int col;
    };
    const Step steps[] = {
        {gridkey::Right, 0, 1, 3},    {gridkey::Right, 0, 1, 4},
        {gridkey::Right, 0, 1, 4},    {gridkey::Left, 0, 1, 3},
        {gridkey::Left, 0, 1, 1},     {gridkey::PageDown, 0, 4, 1},
        {gridkey::PageDown, 0, 5, 1}, {gridkey::Home, gridshift::Ctrl, 1, 1},
        {gridkey::End, 0, 1, 4},      {gridkey::F2, 0, 1, 4},
    };
    for (const Step& s : steps) {
        EXPECT_TRUE(input.keyDown(s.key, s.shift));
        EXPECT_EQ(grid.row(), s.row) << "key " << s.key;
        EXPECT_EQ(grid.col(), s.col) << "key " << s.key;
    }
    EXPECT_FALSE(input.keyDown('A', 0));
    EXPECT_EQ(log.events.back(), "keyDown 65 0");
}

TEST(CellGridTest, EditingRaisesEventsAndStoresOnlyAcceptedText) {
    CellGrid grid(5, 3);
    grid.setText(1, 1, "old");
    EventLog log;
    grid.setObserver(&log);
    CellGridInput input(grid);

    log.cancelStart = true;
    EXPECT_FALSE(grid.editCell());
    EXPECT_FALSE(grid.isEditing());
    log.cancelStart = false;

    ASSERT_TRUE(grid.editCell());
    EXPECT_EQ(grid.editText(), "old");
    grid.setEditText("new");
    log.rejectEdit = true;
    EXPECT_TRUE(input.editorKeyDown(gridkey::Enter, 0));
    EXPECT_TRUE(grid.isEditing());
    EXPECT_EQ(grid.text(1, 1), "old");
    log.rejectEdit = false;
    EXPECT_FALSE(input.editorKeyDown(gridkey::Left, 0));
    EXPECT_TRUE(input.editorKeyDown(gridkey::Down, gridshift::Shift));
    EXPECT_FALSE(grid.isEditing());
    EXPECT_EQ(grid.text(1, 1), "new");

    ASSERT_TRUE(grid.editCell());
    grid.setEditText("dropped");
    EXPECT_TRUE(input.editorKeyDown(gridkey::Escape, 0));
    EXPECT_EQ(grid.text(2, 1), "");

    const std::vector<std::string> expected = {
        "startEdit 1:1",        "startEdit 1:1",        "keyDownEdit 1:1 13 0",
        "validateEdit 1:1 new", "keyDownEdit 1:1 37 0", "keyDownEdit 1:1 40 1",
        "validateEdit 1:1 new", "afterEdit 1:1 40 new", "cellChanged 1:1->2:1",
        "startEdit 2:1",        "keyDownEdit 2:1 27 0", "afterEdit 2:1 27 ",
    };
    EXPECT_EQ(log.events, expected);
}

TEST(CellGridTest, PressElsewhereCommitsEditOrStopsWhenRejected) {
    CellGrid grid(5, 3);
    grid.setRowHeights(300, 300);
    EventLog log;
    grid.setObserver(&log);
    CellGridInput input(grid);
    ASSERT_TRUE(grid.editCell());
    grid.setEditText("x");
    log.rejectEdit = true;
    input.mouseDown(gridbutton::Left, 0, 1000, 300 * 3 + 10);
    EXPECT_TRUE(grid.isEditing());
    EXPECT_EQ(grid.row(), 1);
    log.rejectEdit = false;
    log.events.clear();
    input.mouseDown(gridbutton::Left, 0, 1000, 300 * 3 + 10);
    EXPECT_EQ(grid.text(1, 1), "x");
    const std::vector<std::string> expected = {
        "beforeMouseDown 1 1000,910", "validateEdit 1:1 x", "afterEdit 1:1 0 x",
        "cellChanged 1:1->3:1",       "mouseDown 1",
    };
    EXPECT_EQ(log.events, expected);
}

TEST(CellGridTest, ShapeChangeCommitsRunningEdit) {
    CellGrid grid(5, 3);
    EventLog log;
    grid.setObserver(&log);
    ASSERT_TRUE(grid.editCell());
    grid.setEditText("kept");
    grid.setRows(3);
    EXPECT_FALSE(grid.isEditing());
    EXPECT_EQ(grid.text(1, 1), "kept");
    EXPECT_EQ(log.events.back(), "afterEdit 1:1 0 kept");
}

TEST(CellGridTest, RedrawOffDefersViewChanges) {
    CellGrid grid(5, 3);
    ChangeLog changes;
    grid.setListener(&changes);
    grid.setText(1, 1, "a");
    grid.setRedraw(false);
    grid.setText(2, 2, "b");
    grid.setColWidth(1, 1200);
    grid.setCurrentCell(3, 1);
    grid.showCell(3, 1);
    EXPECT_EQ(changes.changes, (Texts{"cells 1,1-1,1", "redraw off"}));
    grid.setRedraw(true);
    EXPECT_EQ(changes.changes, (Texts{"cells 1,1-1,1", "redraw off", "columns", "cells 0,0-4,2",
                                      "cursor", "show 3,1", "redraw on"}));

    changes.changes.clear();
    grid.setRedraw(false);
    grid.setRows(1001);
    grid.setText(1000, 2, "x");
    grid.setRedraw(true);
    EXPECT_EQ(changes.changes, (Texts{"redraw off", "structure", "redraw on"}));
}

} // namespace
