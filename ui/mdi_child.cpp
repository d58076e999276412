#include "ui/mdi_child.h"

#include <utility>

#include "ui/doc_manager.h"
#include "ui/mdi_child_messages.h"

namespace ui {

bool MdiChild::CreateIn(MdiChildHost& frame, Document& document, HICON icon) {
  frame_ = &frame;
  document_ = &document;
  RegisterWindowClass({.name = kClassName,
                       .style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                       .icon = icon,
                       .small_icon = icon,
                       .background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)});
  BOOL maximized = FALSE;
  SendMessageW(frame.MdiClient(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
  MDICREATESTRUCTW mdi{};
  mdi.szClass = kClassName;
  mdi.szTitle = document.Title().c_str();
  mdi.hOwner = GetModuleHandleW(nullptr);
  mdi.x = mdi.y = mdi.cx = mdi.cy = CW_USEDEFAULT;
  mdi.style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS |
              (maximized ? WS_MAXIMIZE : 0);
  mdi.lParam = reinterpret_cast<LPARAM>(static_cast<Window*>(this));
  const auto created = reinterpret_cast<HWND>(
      SendMessageW(frame.MdiClient(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mdi)));
  return created != nullptr && created == Hwnd();
}

void MdiChild::Activate() {
  if (!Hwnd() || !frame_) return;
  if (IsIconic(Hwnd()))
    SendMessageW(frame_->MdiClient(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(Hwnd()), 0);
  SendMessageW(frame_->MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Hwnd()), 0);
}

LRESULT MdiChild::DefaultProc(UINT message, WPARAM wparam, LPARAM lparam) {
  return DefMDIChildProcW(Hwnd(), message, wparam, lparam);
}

bool MdiChild::OnCreate(const CREATESTRUCTW& create) { return OnCreateViews(create); }

LRESULT MdiChild::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_MDIACTIVATE:
      // Keep the keyboard in the active view of the child that comes to the top.
      if (reinterpret_cast<HWND>(lparam) == Hwnd() && active_view_ && active_view_->Hwnd()) {
        SetFocus(active_view_->Hwnd());
      }
      if (frame_) frame_->OnChildActivated();
      break;
    case kViewActivatedMessage:
      SetActiveView(reinterpret_cast<View*>(lparam));
      return TRUE;
    case WM_SETFOCUS:
      if (active_view_ && active_view_->Hwnd()) {
        SetFocus(active_view_->Hwnd());
        return 0;
      }
      break;
    default:
      break;
  }
  return Window::HandleMessage(message, wparam, lparam);
}

bool MdiChild::OnClose() {
  // The document goes with its window: ask to save it first.
  if (frame_ && document_ && !frame_->Documents().CanCloseDocument(*document_)) return true;
  return false;  // DefMDIChildProc destroys the window
}

void MdiChild::OnFinalMessage() {
  Document* document = std::exchange(document_, nullptr);
  active_view_ = nullptr;
  if (frame_ && document) frame_->Documents().OnFrameDestroyed(*document);
  delete this;
}

}  // namespace ui
