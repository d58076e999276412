#include "ui/message_loop.h"

#include <algorithm>
#include <vector>

#include "ui/mdi_frame.h"

namespace ui {

namespace {

struct ModelessDialog {
  HWND hwnd;
  std::function<bool(MSG&)> pretranslate;
};

std::vector<ModelessDialog>& ModelessDialogs() {
  static std::vector<ModelessDialog> dialogs;
  return dialogs;
}

bool IsModelessDialogMessage(MSG& msg) {
  for (const ModelessDialog& dialog : ModelessDialogs()) {
    if (IsWindow(dialog.hwnd) && (dialog.hwnd == msg.hwnd || IsChild(dialog.hwnd, msg.hwnd))) {
      return (dialog.pretranslate && dialog.pretranslate(msg)) ||
             IsDialogMessageW(dialog.hwnd, &msg) != FALSE;
    }
  }
  return false;
}

}  // namespace

void AddModelessDialog(HWND dialog, std::function<bool(MSG&)> pretranslate) {
  ModelessDialogs().push_back({dialog, std::move(pretranslate)});
}

void RemoveModelessDialog(HWND dialog) {
  std::erase_if(ModelessDialogs(), [dialog](const ModelessDialog& d) { return d.hwnd == dialog; });
}

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
    // The frame's keys first: its Ctrl+Tab brings the next document in list order, where the
    // MDI client's would take the next window in stacking order. Ctrl+F4, Ctrl+F6 and
    // Ctrl+Shift+Tab, which the frame has no keys for, stay with the MDI client.
    if (accelerators && frame.Hwnd() && TranslateAcceleratorW(frame.Hwnd(), accelerators, &msg)) {
      continue;
    }
    if (frame.MdiClient() && TranslateMDISysAccel(frame.MdiClient(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace ui
