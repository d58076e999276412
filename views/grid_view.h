// The lower pane of a document window: the document's waves as a table of time-stamped values
// in a grid that fills the pane. The table is rebuilt on every update of the document; its
// texts come from the waves on demand. The view copies the selection as text, hides and shows
// the selected waves in the graph through a context menu, marks a double-clicked value in the
// graph, asks for a search text, and prints the whole table as fixed-width text.
#pragma once

#include "dialogs/core/find_state.h"
#include "views/core/grid_range.h"
#include "views/core/grid_table.h"
#include "views/grid_view_print.h"
#include "views/varnel_grid_ctrl.h"
#include "views/varnel_view.h"

namespace views {

class TVarnelGraphView;

class TVarnelGridView : public TVarnelView, private VarnelGridOwner, private ui::GridCellSource {
 public:
  static constexpr wchar_t kClassName[] = L"VarnelGridView";
  static constexpr UINT kGridId = 1;

  TVarnelGridView();
  bool Create(HWND parent, UINT id);
  void OnUpdate(ui::View* sender, LPARAM hint) override;

  TVarnelGridCtrl& Grid() { return grid_; }
  const GridTable& Table() const { return table_; }
  TableRange Selection() const;

  // Edit Copy: the selection as text on the clipboard (nothing when it is empty).
  void CopySelection();
  // Show and Hide: the Hide field of the selected waves' plot settings.
  void SetSelectedWavesHidden(bool hide);
  // Edit Find: the find dialog on the view's find state.
  void OpenFindDialog();
  const FindState& Find() const { return find_state_; }

  // Printing the whole table (the printing engine calls these around its pages); printing is
  // offered while a cell is selected.
  bool CanPrint() const { return grid_.GetSelectedCount() > 0; }
  int BeginPrinting(HDC dc) { return print_job_.Begin(dc, table_); }
  void DrawPrintPage(HDC dc, int page) const { print_job_.DrawPage(dc, page); }
  void EndPrinting() { print_job_.End(); }
  const GridPrintJob& PrintJob() const { return print_job_; }

 protected:
  bool OnCreate(const CREATESTRUCTW& create) override;
  void OnSize(UINT type, int cx, int cy) override;
  bool OnSetFocus(HWND previous) override;
  bool OnEraseBackground(HDC) override { return true; }

 private:
  void AddCommands();
  void Rebuild();
  // The graph view of the same document window (the splitter's first pane), or null.
  TVarnelGraphView* GraphView() const;
  void ShowContextMenu(POINT screen_point);

  // VarnelGridOwner
  void GridDoubleClicked(ui::GridCell cell) override;
  void GridRightButtonReleased(ui::GridCell cell, POINT screen_point) override;
  void GridFocused() override;

  // ui::GridCellSource
  std::wstring_view GridCellText(int row, int column) override;
  COLORREF GridCellBackground(int row, int column) override;

  GridTable table_;
  CellScratch scratch_;
  TVarnelGridCtrl grid_;
  GridPrintJob print_job_;
  FindState find_state_;
};

}  // namespace views
