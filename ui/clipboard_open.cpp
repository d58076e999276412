#include "ui/clipboard_open.h"

namespace ui {

namespace {

// Long enough for another program's look at a new copy, short enough not to be felt.
constexpr int kTries = 25;
constexpr DWORD kPauseMs = 20;

}  // namespace

ClipboardOpen::ClipboardOpen(HWND owner) {
  for (int tries = 0; tries < kTries; ++tries) {
    if (tries > 0) Sleep(kPauseMs);
    if (OpenClipboard(owner)) {
      open_ = true;
      return;
    }
  }
}

ClipboardOpen::~ClipboardOpen() {
  if (open_) CloseClipboard();
}

}  // namespace ui
