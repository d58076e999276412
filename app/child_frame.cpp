#include "app/child_frame.h"

#include "app/frame_messages.h"
#include "strings/command_ids.h"
#include "document/log_entry.h"
#include "document/log_message.h"

namespace app {

TChildFrame::TChildFrame() {
  Commands().Add(
      ID_GRAPH_TRACE_CURSOR, [this](UINT) { graph_view_.GraphPane().ToggleTraceCursor(); },
      [this](ui::CommandState& s) { s.checked = graph_view_.GraphPane().TraceCursorOn(); });
}

bool TChildFrame::OnCreateViews(const CREATESTRUCTW&) {
  if (!splitter_.Create(Hwnd(), 2.0 / 3.0)) {
    LogMessage(kTypeOther, kLevelError, u"Failed to CreateStaticSplitter\n");
    return false;
  }
  graph_view_.SetDocument(GetDocument());
  if (!graph_view_.Create(splitter_.Hwnd(), ui::kFirstPaneId)) {
    LogMessage(kTypeOther, kLevelError, u"Failed to create first pane\n");
    return false;
  }
  grid_view_.SetDocument(GetDocument());
  if (!grid_view_.Create(splitter_.Hwnd(), ui::kSecondPaneId)) {
    LogMessage(kTypeOther, kLevelError, u"Failed to create second pane\n");
    return false;
  }
  splitter_.SetPanes(graph_view_.Hwnd(), grid_view_.Hwnd());
  SetActiveView(&graph_view_);
  return true;
}

void TChildFrame::OnSize(UINT type, int cx, int cy) {
  if (splitter_.Hwnd()) MoveWindow(splitter_.Hwnd(), 0, 0, cx, cy, TRUE);
  // Maximised, minimised or restored: the menu bar changes, and the MDI client writes the main
  // window's title itself (the title shows the caption only beside a restored window).
  if (type == SIZE_MAXIMIZED || type == SIZE_MINIMIZED || type != size_type_) {
    PostMessageW(GetAncestor(Hwnd(), GA_ROOT), kRebuildMenusMessage, 0, 0);
  }
  size_type_ = type;
}

bool TChildFrame::OnGetMinMaxInfo(MINMAXINFO& info) {
  info.ptMinTrackSize = {360, 240};
  return false;  // DefMDIChildProc fills the rest
}

LRESULT TChildFrame::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SIZE) {
    // DefMDIChildProc must see it too (it updates the frame's maximised state).
    OnSize(static_cast<UINT>(wparam), LOWORD(lparam), HIWORD(lparam));
    return DefaultProc(message, wparam, lparam);
  }
  if (message == WM_GETMINMAXINFO) {
    const LRESULT result = DefaultProc(message, wparam, lparam);
    OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lparam));
    return result;
  }
  return MdiChild::HandleMessage(message, wparam, lparam);
}

}  // namespace app
