#include "dialogs/sheet_file_menu.h"

#include <commctrl.h>
#include <prsht.h>

#include "dialogs/dialog_file_menu.h"

namespace dialogs {

namespace {
// The sheet whose keys the hook of this thread watches (sheets are modal: the newest is in front).
thread_local TSheetFileMenu* g_watched_sheet = nullptr;
}  // namespace

TSheetFileMenu::~TSheetFileMenu() { StopKeys(); }

void TSheetFileMenu::AttachTo(HWND sheet, HWND owner, HACCEL accelerators) {
  owner_ = owner;
  accelerators_ = accelerators;
  Attach(sheet);
  AttachDialogMenu(sheet);
  outer_ = g_watched_sheet;
  g_watched_sheet = this;
  hook_.Reset(SetWindowsHookExW(WH_GETMESSAGE, &KeyHook, nullptr, GetCurrentThreadId()));
}

void TSheetFileMenu::StopKeys() {
  if (!hook_) return;
  hook_.Reset();
  if (g_watched_sheet == this) g_watched_sheet = outer_;
}

void TSheetFileMenu::OnDestroy() { StopKeys(); }

bool TSheetFileMenu::OnCommand(UINT id, UINT, HWND control) {
  if (control) return false;
  return RunDialogFileCommand(id, Hwnd(), owner_,
                              [this] { SendMessageW(Hwnd(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0); });
}

LRESULT CALLBACK TSheetFileMenu::KeyHook(int code, WPARAM wparam, LPARAM lparam) {
  TSheetFileMenu* sheet = g_watched_sheet;
  auto* msg = reinterpret_cast<MSG*>(lparam);
  if (code == HC_ACTION && wparam == PM_REMOVE && sheet && sheet->Hwnd() &&
      (msg->hwnd == sheet->Hwnd() || IsChild(sheet->Hwnd(), msg->hwnd))) {
    if (msg->message == WM_KEYDOWN && sheet->accelerators_ &&
        TranslateAcceleratorW(sheet->Hwnd(), sheet->accelerators_, msg)) {
      msg->message = WM_NULL;
    } else if (const UINT command = DialogFileKeyCommand(*msg)) {
      PostMessageW(sheet->Hwnd(), WM_COMMAND, command, 0);
      msg->message = WM_NULL;
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace dialogs
