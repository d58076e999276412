#include "dialogs/dialog_file_menu.h"

#include "app_context/main_frame_link.h"
#include "dialogs/dialog_ids.h"

namespace dialogs {

HWND MainWindowOf(HWND owner) {
  for (HWND w = owner; w; w = GetParent(w)) {
    if (!(GetWindowLongW(w, GWL_STYLE) & WS_CHILD) && !GetParent(w)) return w;
  }
  return owner;
}

HMENU AttachDialogMenu(HWND window) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_DIALOG_MENU_BASE + MainFrameLanguage()));
  if (!menu) menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_DIALOG_MENU_BASE + 1));
  if (!menu) return nullptr;
  HMENU old = GetMenu(window);
  // The menu bar takes room from the client area: keep the client size the window had.
  RECT client_before;
  GetClientRect(window, &client_before);
  SetMenu(window, menu);
  if (old) DestroyMenu(old);
  RECT outer;
  GetWindowRect(window, &outer);
  RECT client_after;
  GetClientRect(window, &client_after);
  const int grow = client_before.bottom - client_after.bottom;
  if (grow > 0) {
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + grow,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return menu;
}

bool RunDialogFileCommand(UINT command, HWND window, HWND owner,
                          const std::function<void()>& close) {
  switch (command) {
    case kDialogPageSetupCommand:
      SendMessageW(MainWindowOf(owner), WM_COMMAND, kDialogPageSetupCommand, 0);
      return true;
    case kDialogPrintCommand:
      // The picture of the window goes to the printer through the main window's printing.
      SendMessageW(MainWindowOf(owner), WM_COMMAND,
                   MAKEWPARAM(kDialogPrintCommand, kWindowPrintCode),
                   reinterpret_cast<LPARAM>(window));
      return true;
    case kDialogCloseCommand:
      close();
      return true;
    default:
      return false;
  }
}

UINT DialogFileKeyCommand(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0) return 0;
  if (msg.wParam == 'P') return kDialogPrintCommand;
  if (msg.wParam == VK_F4) return kDialogCloseCommand;
  return 0;
}

}  // namespace dialogs
