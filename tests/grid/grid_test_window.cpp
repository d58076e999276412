#include "tests/grid/grid_test_window.h"

namespace grid_test {

namespace {

std::vector<HostWindow::Received>& Notifications() {
  static std::vector<HostWindow::Received> received;
  return received;
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NOTIFY) {
    const auto* notify = reinterpret_cast<const ui::GridNotify*>(lparam);
    Notifications().push_back({notify->header.code, notify->cell});
    return 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

HostWindow::HostWindow(int width, int height) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"GridTestHost";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassW(&wc);
  RECT frame{0, 0, width, height};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"grid test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                          20, 20, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                          nullptr, wc.hInstance, nullptr);
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
  Notifications().clear();
}

HostWindow::~HostWindow() { DestroyWindow(hwnd_); }

RECT HostWindow::Client() const {
  RECT r{};
  GetClientRect(hwnd_, &r);
  return r;
}

std::vector<HostWindow::Received> HostWindow::TakeNotifications() {
  std::vector<Received> taken;
  taken.swap(Notifications());
  return taken;
}

void PumpMessages(DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  } while (GetTickCount64() < end);
}

HeldKeys::HeldKeys(std::initializer_list<int> keys) {
  GetKeyboardState(saved_);
  BYTE state[256];
  GetKeyboardState(state);
  for (int key : keys) state[key] |= 0x80;
  SetKeyboardState(state);
}

HeldKeys::~HeldKeys() { SetKeyboardState(saved_); }

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

LPARAM PointParam(POINT p) { return MAKELPARAM(p.x, p.y); }

}  // namespace grid_test
