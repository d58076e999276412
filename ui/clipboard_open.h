// The clipboard, open while this object lives. Another program may hold it for a moment (a
// clipboard viewer, or under Wine the bridge that hands a copy to the X display): opening tries
// again for a short while before it gives up.
#pragma once

#include <windows.h>

namespace ui {

class ClipboardOpen {
 public:
  explicit ClipboardOpen(HWND owner);
  ~ClipboardOpen();
  ClipboardOpen(const ClipboardOpen&) = delete;
  ClipboardOpen& operator=(const ClipboardOpen&) = delete;

  bool IsOpen() const { return open_; }

 private:
  bool open_ = false;
};

}  // namespace ui
