#include "ui/message_loop.h"

#include <algorithm>
#include <vector>

#include "ui/dialog_window.h"
#include "ui/mdi_frame.h"

namespace ui {

namespace {

std::vector<HWND>& ModelessDialogs() {
  static std::vector<HWND> dialogs;
  return dialogs;
}

bool IsModelessDialogMessage(MSG& msg) {
  for (HWND dialog : ModelessDialogs()) {
    if (IsWindow(dialog) && (dialog == msg.hwnd || IsChild(dialog, msg.hwnd))) {
      return PreTranslateDialogMessage(dialog, msg) || IsDialogMessageW(dialog, &msg) != FALSE;
    }
  }
  return false;
}

}  // namespace

void AddModelessDialog(HWND dialog) { ModelessDialogs().push_back(dialog); }

void RemoveModelessDialog(HWND dialog) { std::erase(ModelessDialogs(), dialog); }

int RunMessageLoop(MdiFrame& frame, HACCEL accelerators) {
  MSG msg{};
  bool idle_done = false;
  for (;;) {
    if (!idle_done && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (frame.Hwnd()) frame.OnIdle();
      idle_done = true;
    }
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    // Input and paint start a new idle phase, timer ticks alone do not.
    if (msg.message != WM_TIMER && msg.message != WM_PAINT) idle_done = false;
    if (IsModelessDialogMessage(msg)) continue;
    if (frame.MdiClient() && TranslateMDISysAccel(frame.MdiClient(), &msg)) continue;
    if (accelerators && frame.Hwnd() && TranslateAcceleratorW(frame.Hwnd(), accelerators, &msg)) {
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace ui
