#include "ui/mdi_frame.h"

#include "ui/doc_manager.h"

namespace ui {

MdiChild* MdiFrame::ActiveChild() const {
  if (!client_) return nullptr;
  const auto active = reinterpret_cast<HWND>(SendMessageW(client_, WM_MDIGETACTIVE, 0, 0));
  return dynamic_cast<MdiChild*>(Window::FromHandle(active));
}

CommandChain MdiFrame::Chain() const {
  MdiChild* child = ActiveChild();
  View* view = child ? child->ActiveView() : nullptr;
  Document* document = child ? child->GetDocument() : nullptr;
  CommandTarget* f0 = fallbacks_.size() > 0 ? fallbacks_[0] : nullptr;
  CommandTarget* f1 = fallbacks_.size() > 1 ? fallbacks_[1] : nullptr;
  CommandTarget* f2 = fallbacks_.size() > 2 ? fallbacks_[2] : nullptr;
  return CommandChain{view, document, child, const_cast<MdiFrame*>(this), f0, f1, f2};
}

bool MdiFrame::ExecuteCommand(UINT id) { return Chain().Execute(id); }

CommandState MdiFrame::CommandStateOf(UINT id) const {
  CommandState state{id};
  Chain().Update(state);
  return state;
}

bool MdiFrame::OnCreate(const CREATESTRUCTW&) {
  CLIENTCREATESTRUCT ccs{};
  ccs.hWindowMenu = nullptr;  // the frame keeps its own window list
  ccs.idFirstChild = kFirstMdiChildId;
  client_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                            WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0,
                            0, 0, Hwnd(), nullptr, GetModuleHandleW(nullptr), &ccs);
  return client_ != nullptr;
}

LRESULT MdiFrame::DefaultProc(UINT message, WPARAM wparam, LPARAM lparam) {
  return DefFrameProcW(Hwnd(), client_, message, wparam, lparam);
}

void MdiFrame::RecalcLayout() {
  if (!client_) return;
  RECT r;
  GetClientRect(Hwnd(), &r);
  const RECT left = LayoutBars(r);
  MoveWindow(client_, left.left, left.top, left.right - left.left, left.bottom - left.top, TRUE);
}

void MdiFrame::OnSize(UINT type, int, int) {
  if (type != SIZE_MINIMIZED) RecalcLayout();
}

bool MdiFrame::OnCommand(UINT id, UINT code, HWND control) {
  // Notifications of controls that are not ours stay with DefFrameProc.
  if (control && code != BN_CLICKED) return false;
  if (id >= kFirstMdiChildId) return false;
  return Chain().Execute(id);
}

void MdiFrame::UpdateMenuItems(HMENU menu) const {
  const CommandChain chain = Chain();
  for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
    if (!GetMenuItemInfoW(menu, i, TRUE, &info)) continue;
    if (info.hSubMenu || (info.fType & MFT_SEPARATOR) || info.wID == 0 ||
        info.wID >= kFirstMdiChildId) {
      continue;
    }
    CommandState state{info.wID};
    chain.Update(state);
    EnableMenuItem(menu, i, MF_BYPOSITION | (state.enabled ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, i, MF_BYPOSITION | (state.checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

LRESULT MdiFrame::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITMENUPOPUP:
      if (!HIWORD(lparam)) {  // not the system menu
        const auto menu = reinterpret_cast<HMENU>(wparam);
        OnMenuPopup(menu);
        UpdateMenuItems(menu);
        return 0;
      }
      break;
    case WM_MENUSELECT: {
      const UINT flags = HIWORD(wparam);
      if (flags == 0xFFFF && lparam == 0) {
        ShowPrompt(0);
      } else if (!(flags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU))) {
        ShowPrompt(LOWORD(wparam));
      }
      break;
    }
    case WM_SIZE:
      // Not to DefFrameProc: it would give the MDI client the whole area, bars included.
      OnSize(static_cast<UINT>(wparam), LOWORD(lparam), HIWORD(lparam));
      return 0;
    case WM_SETTEXT:
      // The frame's title is the program's own: DefFrameProc would append the caption of a
      // maximised document window. It still gets the text, because the MDI client keeps it and
      // writes it back whenever a document window is maximised, restored or renamed: a text kept
      // from earlier would bring back an old title (an old period).
      DefaultProc(message, wparam, lparam);
      return DefWindowProcW(Hwnd(), message, wparam, lparam);
    case WM_EXITMENULOOP:
      ShowPrompt(0);
      break;
    default:
      break;
  }
  return Window::HandleMessage(message, wparam, lparam);
}

}  // namespace ui
