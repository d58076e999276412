// The cell grid in a real window of this process, driven by the messages a user's mouse and
// keyboard make: selection in every way, scrolling, column widths, notifications, title tips,
// and the pixels it draws.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/grid/grid_test_window.h"
#include "ui/grid_ctrl.h"
#include "ui/memory_bitmap.h"

namespace grid_test {
namespace {

using ui::GridCell;
using ui::GridCellRange;
using ui::TGridCtrl;

constexpr COLORREF kShaded = RGB(10, 200, 30);
constexpr COLORREF kOutside = RGB(235, 235, 235);
constexpr wchar_t kLongText[] = L"a text far too long for a column of a hundred pixels";

// "r<row>c<column>" for every cell; one long text; one shaded cell.
class TextSource : public ui::GridCellSource {
 public:
  std::wstring_view GridCellText(int row, int column) override {
    if (row == 3 && column == 2) return kLongText;
    text_ = L"r" + std::to_wstring(row) + L"c" + std::to_wstring(column);
    return text_;
  }
  COLORREF GridCellBackground(int row, int column) override {
    return row == 4 && column == 4 ? kShaded : ui::kGridDefaultColour;
  }

 private:
  std::wstring text_;
};

// The WPARAM of WM_MOUSEWHEEL: the signed distance in its high word, no keys.
WPARAM WheelParam(int delta) {
  return static_cast<WPARAM>(static_cast<WORD>(static_cast<short>(delta))) << 16;
}

class GridCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_ = std::make_unique<HostWindow>(500, 300);
    ASSERT_TRUE(grid_.Create(host_->Hwnd(), 7, host_->Client()));
    grid_.SetSmoothScrolling(false);
    grid_.SetCellSource(&source_);
    grid_.SetBkColor(kOutside);
    grid_.SetRowCount(1000);
    for (int column = 0; column < 8; ++column) grid_.InsertColumn({}, column == 0 ? 40 : 100);
    host_->TakeNotifications();
  }

  POINT At(int row, int column) { return Centre(grid_.GetCellRect({row, column})); }
  void Click(int row, int column, WPARAM keys = 0) {
    const LPARAM p = PointParam(At(row, column));
    SendMessageW(grid_.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON | keys, p);
    SendMessageW(grid_.Hwnd(), WM_LBUTTONUP, keys, p);
  }
  void Key(UINT key) { SendMessageW(grid_.Hwnd(), WM_KEYDOWN, key, 0); }
  GridCellRange Selected() { return grid_.GetSelectedCellRange(); }

  std::unique_ptr<HostWindow> host_;
  TextSource source_;
  TGridCtrl grid_;
};

TEST_F(GridCtrlTest, MouseSelectsCellsRangesColumnsRowsAndAll) {
  Click(5, 3);
  EXPECT_EQ(Selected(), (GridCellRange{5, 3, 5, 3}));
  EXPECT_EQ(grid_.GetSelectedCount(), 1);
  Click(8, 1, MK_SHIFT);
  EXPECT_EQ(Selected(), (GridCellRange{5, 1, 8, 3}));
  EXPECT_EQ(grid_.GetSelectedCount(), 12);

  // A drag from one cell to another.
  SendMessageW(grid_.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(At(2, 2)));
  SendMessageW(grid_.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, PointParam(At(4, 4)));
  SendMessageW(grid_.Hwnd(), WM_LBUTTONUP, 0, PointParam(At(4, 4)));
  EXPECT_EQ(Selected(), (GridCellRange{2, 2, 4, 4}));

  // The heading of a column selects the column, Shift on another heading the columns between.
  Click(0, 4);
  EXPECT_EQ(Selected(), (GridCellRange{1, 4, 999, 4}));
  Click(0, 2, MK_SHIFT);
  EXPECT_EQ(Selected(), (GridCellRange{1, 2, 999, 4}));
  // The heading of a row selects the row; the corner everything.
  Click(6, 0);
  EXPECT_EQ(Selected(), (GridCellRange{6, 1, 6, 7}));
  Click(0, 0);
  EXPECT_EQ(Selected(), (GridCellRange{1, 1, 999, 7}));
  EXPECT_EQ(grid_.GetSelectedCount(), 999 * 7);

  // A click beside the cells changes nothing.
  const RECT last = grid_.GetCellRect({1, 7});
  SendMessageW(grid_.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON,
               PointParam({last.right + 5, last.top + 2}));
  SendMessageW(grid_.Hwnd(), WM_LBUTTONUP, 0, PointParam({last.right + 5, last.top + 2}));
  EXPECT_EQ(Selected(), (GridCellRange{1, 1, 999, 7}));
}

TEST_F(GridCtrlTest, DragPastTheBottomScrollsAndKeepsExtending) {
  SendMessageW(grid_.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(At(2, 1)));
  const RECT client = host_->Client();
  SendMessageW(grid_.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON,
               PointParam({At(2, 1).x, client.bottom + 30}));
  PumpMessages(600);
  SendMessageW(grid_.Hwnd(), WM_LBUTTONUP, 0, PointParam({At(2, 1).x, client.bottom + 30}));
  EXPECT_GT(grid_.GetScrollPosition().y, 0);
  const GridCellRange range = Selected();
  EXPECT_EQ(range.min_row, 2);
  EXPECT_GT(range.max_row, 2 + 300 / grid_.RowHeight());
  // Scrolling stops with the button.
  const LONG stopped = grid_.GetScrollPosition().y;
  PumpMessages(200);
  EXPECT_EQ(grid_.GetScrollPosition().y, stopped);
}

TEST_F(GridCtrlTest, KeyboardMovesExtendsAndSelectsAll) {
  Click(3, 3);
  Key(VK_DOWN);
  Key(VK_RIGHT);
  EXPECT_EQ(Selected(), (GridCellRange{4, 4, 4, 4}));
  {
    HeldKeys shift({VK_SHIFT});
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_LEFT);
  }
  EXPECT_EQ(Selected(), (GridCellRange{4, 3, 6, 4}));
  EXPECT_EQ(grid_.GetFocusCell(), (GridCell{6, 3}));
  Key(VK_END);
  EXPECT_EQ(Selected(), (GridCellRange{6, 7, 6, 7}));
  Key(VK_HOME);
  EXPECT_EQ(Selected(), (GridCellRange{6, 1, 6, 1}));
  // Moves stop at the edges of the cells that can be selected.
  Key(VK_LEFT);
  Key(VK_UP);
  EXPECT_EQ(Selected(), (GridCellRange{5, 1, 5, 1}));
  {
    HeldKeys control({VK_CONTROL});
    Key(VK_END);
    EXPECT_EQ(Selected(), (GridCellRange{999, 7, 999, 7}));
    // The focus cell is scrolled into view.
    const RECT focus = grid_.GetCellRect({999, 7});
    RECT client;
    GetClientRect(grid_.Hwnd(), &client);
    EXPECT_LE(focus.bottom, client.bottom);
    EXPECT_LE(focus.right, client.right);
    Key('A');
    EXPECT_EQ(Selected(), (GridCellRange{1, 1, 999, 7}));
    Key(VK_HOME);
    EXPECT_EQ(Selected(), (GridCellRange{1, 1, 1, 1}));
    EXPECT_EQ(grid_.GetScrollPosition().y, 0);
  }
}

TEST_F(GridCtrlTest, PageKeysMoveByTheRowsThatFitAndScrollWithThem) {
  Click(1, 1);
  RECT client;
  GetClientRect(grid_.Hwnd(), &client);
  const int page = (client.bottom - grid_.RowHeight()) / grid_.RowHeight();
  Key(VK_NEXT);
  EXPECT_EQ(grid_.GetFocusCell(), (GridCell{1 + page, 1}));
  Key(VK_NEXT);
  EXPECT_EQ(grid_.GetFocusCell(), (GridCell{1 + 2 * page, 1}));
  const RECT focus = grid_.GetCellRect(grid_.GetFocusCell());
  EXPECT_GE(focus.top, grid_.RowHeight());
  EXPECT_LE(focus.bottom, client.bottom);
  Key(VK_PRIOR);
  Key(VK_PRIOR);
  Key(VK_PRIOR);
  EXPECT_EQ(grid_.GetFocusCell(), (GridCell{1, 1}));
  EXPECT_EQ(grid_.GetScrollPosition().y, 0);
}

TEST_F(GridCtrlTest, WheelAndScrollBarsScrollByThePixel) {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  ASSERT_NE(lines, WHEEL_PAGESCROLL);
  SendMessageW(grid_.Hwnd(), WM_MOUSEWHEEL, WheelParam(-WHEEL_DELTA), 0);
  EXPECT_EQ(grid_.GetScrollPosition().y, static_cast<LONG>(lines) * grid_.RowHeight());
  // Half notches of a fine wheel add up to one.
  SendMessageW(grid_.Hwnd(), WM_MOUSEWHEEL, WheelParam(-WHEEL_DELTA / 2), 0);
  SendMessageW(grid_.Hwnd(), WM_MOUSEWHEEL, WheelParam(-WHEEL_DELTA / 2), 0);
  EXPECT_EQ(grid_.GetScrollPosition().y, 2 * static_cast<LONG>(lines) * grid_.RowHeight());
  SendMessageW(grid_.Hwnd(), WM_MOUSEWHEEL, WheelParam(2 * WHEEL_DELTA), 0);
  EXPECT_EQ(grid_.GetScrollPosition().y, 0);

  RECT client;
  GetClientRect(grid_.Hwnd(), &client);
  const int page = (client.bottom - grid_.RowHeight()) / grid_.RowHeight() * grid_.RowHeight();
  SendMessageW(grid_.Hwnd(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(grid_.GetScrollPosition().y, page);
  PumpMessages(20);  // the bar follows the cells once the waiting messages are handled
  EXPECT_EQ(GetScrollPos(grid_.Hwnd(), SB_VERT), page);
  SendMessageW(grid_.Hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(grid_.GetScrollPosition().y, page + grid_.RowHeight());
  SendMessageW(grid_.Hwnd(), WM_VSCROLL, SB_BOTTOM, 0);
  const LONG bottom = 999 * grid_.RowHeight() - (client.bottom - grid_.RowHeight());
  EXPECT_EQ(grid_.GetScrollPosition().y, bottom);
  EXPECT_EQ(grid_.GetCellRect({999, 1}).bottom, client.bottom);
  SendMessageW(grid_.Hwnd(), WM_HSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(grid_.GetCellRect({1, 7}).right, client.right);
  SendMessageW(grid_.Hwnd(), WM_HSCROLL, SB_TOP, 0);
  EXPECT_EQ(grid_.GetScrollPosition().x, 0);
}

TEST_F(GridCtrlTest, SmoothScrollingArrivesWhereTheWheelPointed) {
  grid_.SetSmoothScrolling(true);
  SendMessageW(grid_.Hwnd(), WM_MOUSEWHEEL, WheelParam(-WHEEL_DELTA), 0);
  SendMessageW(grid_.Hwnd(), WM_MOUSEWHEEL, WheelParam(-WHEEL_DELTA), 0);
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const LONG target = 2 * static_cast<LONG>(lines) * grid_.RowHeight();
  EXPECT_LT(grid_.GetScrollPosition().y, target);  // on its way
  PumpMessages(300);
  EXPECT_EQ(grid_.GetScrollPosition().y, target);
}

TEST_F(GridCtrlTest, ColumnBordersInTheHeadingRowAreDraggedToNewWidths) {
  const RECT heading = grid_.GetCellRect({0, 2});
  const int y = (heading.top + heading.bottom) / 2;
  SendMessageW(grid_.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam({heading.right - 1, y}));
  SendMessageW(grid_.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, PointParam({heading.right + 39, y}));
  SendMessageW(grid_.Hwnd(), WM_LBUTTONUP, 0, PointParam({heading.right + 39, y}));
  EXPECT_EQ(grid_.GetColumnWidth(2), 140);
  EXPECT_EQ(grid_.GetCellRect({0, 3}).left, heading.right + 40);
  EXPECT_FALSE(Selected().IsValid());  // a border drag selects nothing
  // Dragged to the left of the column's own edge it keeps no width.
  SendMessageW(grid_.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam({heading.right + 40, y}));
  SendMessageW(grid_.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, PointParam({heading.left - 20, y}));
  SendMessageW(grid_.Hwnd(), WM_LBUTTONUP, 0, PointParam({heading.left - 20, y}));
  EXPECT_EQ(grid_.GetColumnWidth(2), 0);
}

TEST_F(GridCtrlTest, DoubleClickAndRightButtonReachTheParentWithTheirCell) {
  SendMessageW(grid_.Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(At(4, 2)));
  SendMessageW(grid_.Hwnd(), WM_LBUTTONUP, 0, PointParam(At(4, 2)));
  EXPECT_EQ(Selected(), (GridCellRange{4, 2, 4, 2}));
  Click(0, 5);  // a whole column
  // A right click inside the selection keeps it; outside it selects the cell under the mouse.
  SendMessageW(grid_.Hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, PointParam(At(7, 5)));
  SendMessageW(grid_.Hwnd(), WM_RBUTTONUP, 0, PointParam(At(7, 5)));
  EXPECT_EQ(Selected(), (GridCellRange{1, 5, 999, 5}));
  SendMessageW(grid_.Hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, PointParam(At(2, 6)));
  SendMessageW(grid_.Hwnd(), WM_RBUTTONUP, 0, PointParam(At(2, 6)));
  EXPECT_EQ(Selected(), (GridCellRange{2, 6, 2, 6}));

  std::vector<HostWindow::Received> received;
  for (const HostWindow::Received& r : host_->TakeNotifications()) {
    if (r.code != NM_SETFOCUS) received.push_back(r);
  }
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[0].code, static_cast<UINT>(NM_DBLCLK));
  EXPECT_EQ(received[0].cell, (GridCell{4, 2}));
  EXPECT_EQ(received[1].code, static_cast<UINT>(NM_RCLICK));
  EXPECT_EQ(received[1].cell, (GridCell{7, 5}));
  EXPECT_EQ(received[2].cell, (GridCell{2, 6}));
}

TEST_F(GridCtrlTest, TitleTipShowsACutTextWholeAndGoesWithTheMouse) {
  SendMessageW(grid_.Hwnd(), WM_MOUSEMOVE, 0, PointParam(At(3, 2)));
  HWND tip = grid_.TitleTipWindow();
  ASSERT_NE(tip, nullptr) << "no title tip over a cut text";
  RECT tip_rect, cell = grid_.GetCellRect({3, 2});
  GetWindowRect(tip, &tip_rect);
  MapWindowPoints(grid_.Hwnd(), nullptr, reinterpret_cast<POINT*>(&cell), 2);
  EXPECT_GT(tip_rect.right - tip_rect.left, cell.right - cell.left);
  EXPECT_LE(std::abs(tip_rect.top - cell.top), 1);
  EXPECT_LE(std::abs(tip_rect.left - cell.left), 1);
  // A text that fits has none; leaving the grid hides it too.
  SendMessageW(grid_.Hwnd(), WM_MOUSEMOVE, 0, PointParam(At(3, 3)));
  EXPECT_EQ(grid_.TitleTipWindow(), nullptr);
  SendMessageW(grid_.Hwnd(), WM_MOUSEMOVE, 0, PointParam(At(3, 2)));
  ASSERT_NE(grid_.TitleTipWindow(), nullptr);
  SendMessageW(grid_.Hwnd(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(grid_.TitleTipWindow(), nullptr);
}

TEST_F(GridCtrlTest, DrawsCellColoursTheSelectionAndTheOutsideColour) {
  SetFocus(grid_.Hwnd());
  Click(2, 2);
  RECT client;
  GetClientRect(grid_.Hwnd(), &client);
  ui::MemoryBitmap bitmap(client.right, client.bottom);
  ASSERT_TRUE(bitmap.Valid());
  grid_.Draw(bitmap.Dc(), client);
  GdiFlush();
  // Right inside a cell's right edge, clear of its text.
  const auto pixel = [&](int row, int column) {
    const RECT r = grid_.GetCellRect({row, column});
    const std::uint32_t p = bitmap.Pixel(r.right - 3, (r.top + r.bottom) / 2);  // 0x00RRGGBB
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  };
  EXPECT_EQ(pixel(4, 4), kShaded);
  EXPECT_EQ(pixel(5, 4), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(pixel(2, 2), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(pixel(0, 3), GetSysColor(COLOR_BTNFACE));
  // Below the last row there is nothing but the colour around the cells.
  grid_.SetRowCount(4);
  grid_.Draw(bitmap.Dc(), client);
  GdiFlush();
  const std::uint32_t outside = bitmap.Pixel(client.right / 2, client.bottom - 3);
  EXPECT_EQ(outside, 0xEBEBEBu);
}

TEST_F(GridCtrlTest, OwnTextsAndColoursComeBeforeTheSourceAndGoWithTheCells) {
  EXPECT_EQ(grid_.GetItemText(5, 6), L"r5c6");
  grid_.SetItemText(5, 6, L"own");
  EXPECT_EQ(grid_.GetItemText(5, 6), L"own");
  EXPECT_EQ(grid_.GetItemText(1000, 1), L"");  // no such row
  const int column = grid_.InsertColumn(L"Heading", 50);
  EXPECT_EQ(column, 8);
  EXPECT_EQ(grid_.GetItemText(0, 8), L"Heading");
  EXPECT_EQ(grid_.GetColumnWidth(8), 50);

  grid_.SetFixedRowCount(2);
  Click(5, 5);
  grid_.DeleteAllItems();
  EXPECT_EQ(grid_.GetRowCount(), 0);
  EXPECT_EQ(grid_.GetColumnCount(), 0);
  EXPECT_EQ(grid_.GetFixedRowCount(), 2);
  EXPECT_EQ(grid_.GetFixedColumnCount(), 1);
  EXPECT_EQ(grid_.GetSelectedCount(), 0);
  grid_.SetRowCount(10);
  grid_.SetColumnCount(8);
  EXPECT_EQ(grid_.GetItemText(5, 6), L"r5c6");  // the own text went with the cells
}

TEST_F(GridCtrlTest, SelectionAndScrollingFollowFewerCells) {
  Click(0, 0);
  SendMessageW(grid_.Hwnd(), WM_VSCROLL, SB_BOTTOM, 0);
  grid_.SetRowCount(20);
  EXPECT_EQ(Selected(), (GridCellRange{1, 1, 19, 7}));
  EXPECT_EQ(grid_.GetScrollPosition().y,
            grid_.GetRowCount() * grid_.RowHeight() -
                (host_->Client().bottom - GetSystemMetrics(SM_CYHSCROLL)));
  grid_.SetSelectedRange({50, 2, 60, 3});
  EXPECT_EQ(grid_.GetSelectedCount(), 0);
  grid_.SetSelectedRange({15, 2, 60, 3});
  EXPECT_EQ(Selected(), (GridCellRange{15, 2, 19, 3}));
}

}  // namespace
}  // namespace grid_test
