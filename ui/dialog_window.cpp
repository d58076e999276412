#include "ui/dialog_window.h"

#include "ui/message_loop.h"
#include "ui/window.h"
#include "win/barrier.h"

namespace ui {

namespace {
constexpr wchar_t kDialogProperty[] = L"ui.DialogWindow";
}  // namespace

DialogWindow::~DialogWindow() {
  if (hwnd_ && !modal_) DestroyWindow(hwnd_);
}

DialogWindow* DialogWindow::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<DialogWindow*>(GetPropW(hwnd, kDialogProperty)) : nullptr;
}

INT_PTR DialogWindow::RunModal(HWND owner, UINT template_id) {
  modal_ = true;
  ended_ = false;
  result_ = -1;
  HWND hwnd = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(template_id), owner,
                                 &Proc, reinterpret_cast<LPARAM>(this));
  if (!hwnd) return -1;
  const bool reenable = owner && IsWindowEnabled(owner);
  if (reenable) EnableWindow(owner, FALSE);
  if (!ended_) ShowWindow(hwnd, SW_SHOW);
  MSG msg{};
  while (!ended_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the program's loop ends after us
      break;
    }
    if (got == -1) break;
    if (PreTranslateMessage(msg)) continue;
    if (IsDialogMessageW(hwnd, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (reenable) EnableWindow(owner, TRUE);
  if (owner && GetActiveWindow() == hwnd) SetActiveWindow(owner);
  if (IsWindow(hwnd)) DestroyWindow(hwnd);
  return result_;
}

bool DialogWindow::CreateModeless(HWND owner, UINT template_id) {
  modal_ = false;
  HWND hwnd = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(template_id), owner,
                                 &Proc, reinterpret_cast<LPARAM>(this));
  if (!hwnd) return false;
  AddModelessDialog(hwnd, [this](MSG& msg) { return PreTranslateMessage(msg); });
  return true;
}

void DialogWindow::EndModal(INT_PTR result) {
  if (!hwnd_) return;
  if (modal_) {
    result_ = result;
    ended_ = true;
    PostMessageW(hwnd_, WM_NULL, 0, 0);  // wakes the loop
  } else {
    DestroyWindow(hwnd_);
  }
}

std::wstring DialogWindow::ItemText(int id) const {
  HWND item = Item(id);
  const int length = item ? GetWindowTextLengthW(item) : 0;
  std::wstring text(length + 1, L'\0');
  if (item) GetWindowTextW(item, text.data(), length + 1);
  text.resize(length);
  return text;
}

void DialogWindow::SetItemText(int id, const std::wstring& text) {
  SetDlgItemTextW(hwnd_, id, text.c_str());
}

INT_PTR DialogWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND: {
      const UINT id = LOWORD(wparam);
      const UINT code = HIWORD(wparam);
      const auto control = reinterpret_cast<HWND>(lparam);
      if (Window* child = Window::FromHandle(control); child && child->ReflectCommand(code)) {
        return TRUE;
      }
      if (OnCommand(id, code, control)) return TRUE;
      if (id == IDOK && (code == BN_CLICKED || !control)) {
        OnOk();
        return TRUE;
      }
      if (id == IDCANCEL) {
        OnCancel();
        return TRUE;
      }
      return FALSE;
    }
    case WM_NOTIFY: {
      LRESULT result = 0;
      const auto& header = *reinterpret_cast<const NMHDR*>(lparam);
      if (Window* child = Window::FromHandle(header.hwndFrom);
          child && child->ReflectNotify(header, result)) {
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
      }
      if (OnNotify(*reinterpret_cast<const NMHDR*>(lparam), result)) {
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
      }
      return FALSE;
    }
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    default:
      return FALSE;
  }
}

void DialogWindow::AttachHandle(HWND hwnd) {
  hwnd_ = hwnd;
  SetPropW(hwnd, kDialogProperty, this);
}

INT_PTR CALLBACK DialogWindow::Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  DialogWindow* self = FromHandle(hwnd);
  if (!self && message == WM_INITDIALOG) {
    self = reinterpret_cast<DialogWindow*>(lparam);
    self->AttachHandle(hwnd);
  }
  if (!self) return FALSE;
  // No exception may unwind through the dialog manager: it is reported here, and the message
  // left to the dialog manager's own handling.
  const INT_PTR result = win::Barrier<INT_PTR>(
      FALSE, [&]() -> INT_PTR { return self->HandleMessage(message, wparam, lparam); });
  if (message == WM_NCDESTROY) {
    RemovePropW(hwnd, kDialogProperty);
    if (!self->modal_) RemoveModelessDialog(hwnd);
    self->hwnd_ = nullptr;
  }
  return result;
}

}  // namespace ui
