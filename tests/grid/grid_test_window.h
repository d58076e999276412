// A visible top-level window for the grid tests, which records the notifications its children
// send, and input helpers that press keys and click where a cell shows.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

#include "ui/grid_types.h"

namespace grid_test {

class HostWindow {
 public:
  HostWindow(int width, int height);
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND Hwnd() const { return hwnd_; }
  RECT Client() const;
  // The notifications (code and cell) received from children since the last call.
  struct Received {
    UINT code;
    ui::GridCell cell;
  };
  std::vector<Received> TakeNotifications();

 private:
  HWND hwnd_ = nullptr;
};

// Runs the thread's messages for a while (timers, paints).
void PumpMessages(DWORD milliseconds);

// The keys are held down (as GetKeyState sees them) while the object lives.
class HeldKeys {
 public:
  explicit HeldKeys(std::initializer_list<int> keys);
  ~HeldKeys();
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

 private:
  BYTE saved_[256] = {};
};

POINT Centre(const RECT& r);
LPARAM PointParam(POINT p);

}  // namespace grid_test
