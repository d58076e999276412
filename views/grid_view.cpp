#include "views/grid_view.h"

#include "strings/command_ids.h"
#include "app_context/main_frame_text.h"
#include "dialogs/find_dialog.h"
#include "document/wave_name.h"
#include "platform/wide.h"
#include "strings/string_ids.h"
#include "ui/clipboard_text.h"
#include "ui/splitter.h"
#include "views/core/grid_copy.h"
#include "views/core/grid_wave_visibility.h"
#include "views/graph_view.h"
#include "win/handle.h"

namespace views {

TVarnelGridView::TVarnelGridView() : grid_(*this) { AddCommands(); }

void TVarnelGridView::AddCommands() {
  const auto has_selection = [this](ui::CommandState& s) {
    s.enabled = grid_.GetSelectedCount() > 0;
  };
  const auto disabled = [](ui::CommandState& s) { s.enabled = false; };
  Commands().Add(
      ID_EDIT_COPY, [this](UINT) { CopySelection(); }, has_selection);
  Commands().Add(
      ID_EDIT_FIND, [this](UINT) { OpenFindDialog(); },
      [this](ui::CommandState& s) { s.enabled = IsWindowEnabled(Hwnd()) != FALSE; });
  Commands().Add(
      ID_EDIT_CUT, [](UINT) {}, disabled);
  Commands().Add(
      ID_EDIT_PASTE, [](UINT) {}, disabled);
  Commands().Add(
      ID_EDIT_UNDO, [](UINT) {}, disabled);
  Commands().Add(
      ID_GRID_SHOW_WAVES, [this](UINT) { SetSelectedWavesHidden(false); },
      [this](ui::CommandState& s) {
        s.enabled = Document() && AnySelectedWave(Document()->Doc(), Selection(), true);
      });
  Commands().Add(
      ID_GRID_HIDE_WAVES, [this](UINT) { SetSelectedWavesHidden(true); },
      [this](ui::CommandState& s) {
        s.enabled = Document() && AnySelectedWave(Document()->Doc(), Selection(), false);
      });
}

bool TVarnelGridView::Create(HWND parent, UINT id) {
  ui::RegisterWindowClass({.name = kClassName, .style = CS_DBLCLKS});
  return Window::Create({.class_name = kClassName,
                         .style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                         .ex_style = WS_EX_CLIENTEDGE,
                         .x = 0,
                         .y = 0,
                         .width = 0,
                         .height = 0,
                         .parent = parent,
                         .menu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))});
}

bool TVarnelGridView::OnCreate(const CREATESTRUCTW&) {
  RECT client;
  GetClientRect(Hwnd(), &client);
  if (!grid_.Create(Hwnd(), kGridId, client)) return false;
  grid_.SetCellSource(this);
  return true;
}

void TVarnelGridView::OnSize(UINT, int cx, int cy) {
  if (grid_.Hwnd()) MoveWindow(grid_.Hwnd(), 0, 0, cx, cy, TRUE);
}

bool TVarnelGridView::OnSetFocus(HWND) {
  // The keyboard belongs to the grid; the grid tells the view when it has it.
  if (grid_.Hwnd()) SetFocus(grid_.Hwnd());
  return true;
}

void TVarnelGridView::GridFocused() { ui::View::OnSetFocus(nullptr); }

void TVarnelGridView::OnUpdate(ui::View*, LPARAM) { Rebuild(); }

void TVarnelGridView::Rebuild() {
  VarnelDocument* document = Document();
  // The user's place in the table survives the rebuild of every refresh.
  const ui::GridCellRange selection = grid_.GetSelectedCellRange();
  const POINT scroll = grid_.GetScrollPosition();
  grid_.SetRedraw(false);
  if (document) {
    table_.Build(document->Doc(), Config().ViewMilliseconds, Config().Language);
  } else {
    table_.Clear();
  }
  grid_.DeleteAllItems();
  grid_.SetBkColor(kGridOutsideColour);
  grid_.SetFixedRowCount(kGridHeadingRows);
  grid_.SetRowCount(table_.RowCount());
  for (int column = 0; column < table_.ColumnCount(); ++column) {
    grid_.InsertColumn({}, column == 0 ? kGridFirstColumnWidth : kGridColumnWidth);
  }
  grid_.SetSelectedRange(selection);
  grid_.SetScrollPosition(scroll);
  grid_.SetRedraw(true);
}

TableRange TVarnelGridView::Selection() const {
  const ui::GridCellRange range = grid_.GetSelectedCellRange();
  if (!range.IsValid()) return {};
  return {range.min_row, range.min_column, range.max_row, range.max_column};
}

void TVarnelGridView::CopySelection() {
  const TableRange selection = Selection();
  if (selection.IsEmpty()) return;
  const std::u16string text = GridCopyText(table_, selection);
  ui::PutClipboardText(Hwnd(), platform::W(text));
}

void TVarnelGridView::SetSelectedWavesHidden(bool hide) {
  VarnelDocument* document = Document();
  if (!document) return;
  if (!views::SetSelectedWavesHidden(document->Doc(), Selection(), hide)) return;
  if (TVarnelGraphView* graph = GraphView()) graph->ApplyDocumentPlotVisibility();
}

void TVarnelGridView::OpenFindDialog() {
  // The text and options are kept for a search through the cells; none is made yet.
  dialogs::AskFindText(Hwnd(), find_state_);
}

TVarnelGraphView* TVarnelGridView::GraphView() const {
  HWND splitter = GetParent(Hwnd());
  HWND first_pane = splitter ? GetDlgItem(splitter, ui::kFirstPaneId) : nullptr;
  return dynamic_cast<TVarnelGraphView*>(Window::FromHandle(first_pane));
}

void TVarnelGridView::GridDoubleClicked(ui::GridCell cell) {
  VarnelDocument* document = Document();
  if (!document || cell.row < kGridHeadingRows || cell.column < 1) return;
  const int wave = table_.WaveOfColumn(cell.column);
  const std::vector<TWave>& waves = document->Doc().Waves;
  if (wave < 0 || static_cast<std::size_t>(wave) >= waves.size()) return;
  if (TVarnelGraphView* graph = GraphView()) {
    graph->MarkPoint(WaveFullName(waves[static_cast<std::size_t>(wave)]),
                     static_cast<std::size_t>(cell.row - kGridHeadingRows));
  }
}

void TVarnelGridView::GridRightButtonReleased(ui::GridCell, POINT screen_point) {
  if (grid_.GetSelectedCount() == 0) return;
  ShowContextMenu(screen_point);
}

void TVarnelGridView::ShowContextMenu(POINT screen_point) {
  win::UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  for (const auto& [id, text] : {std::pair{ID_GRID_SHOW_WAVES, IDS_SHOW_WAVES},
                                 std::pair{ID_GRID_HIDE_WAVES, IDS_HIDE_WAVES}}) {
    ui::CommandState state{static_cast<UINT>(id)};
    if (const ui::CommandTable::Entry* entry = Commands().Find(state.id); entry && entry->updater) {
      entry->updater(state);
    }
    AppendMenuW(menu.Get(), MF_STRING | (state.enabled ? MF_ENABLED : MF_GRAYED), state.id,
                platform::W(RString(text)));
  }
  const UINT chosen =
      static_cast<UINT>(TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen_point.x,
                                       screen_point.y, 0, Hwnd(), nullptr));
  if (chosen) ui::CommandChain{this}.Execute(chosen);
}

std::wstring_view TVarnelGridView::GridCellText(int row, int column) {
  return platform::W(table_.CellText(row, column, scratch_));
}

COLORREF TVarnelGridView::GridCellBackground(int row, int column) {
  const graph::TColor colour = table_.CellColour(row, column);
  return colour == kGridNoColour ? ui::kGridDefaultColour : static_cast<COLORREF>(colour);
}

}  // namespace views
