// A window drawn with GDI: proves that Windows programs reach the display under the test X server.
// It paints a known picture at a known place, announces that it has painted by creating
// "gui_smoke.ready" in the working directory, and exits when "gui_smoke.quit" appears (or after
// 30 seconds, so a lost driver never leaves it running).
#include <windows.h>

namespace {

constexpr int kLeft = 100, kTop = 100, kWidth = 320, kHeight = 240;
constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kBlock = RGB(220, 20, 60);
constexpr COLORREF kLine = RGB(0, 0, 255);
constexpr UINT_PTR kPollTimer = 1;
constexpr int kMaxPolls = 300;

int g_polls = 0;
bool g_announced = false;

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  HBRUSH background = CreateSolidBrush(kBackground);
  FillRect(dc, &client, background);
  DeleteObject(background);

  HBRUSH block = CreateSolidBrush(kBlock);
  RECT blockRect{40, 40, 140, 120};
  FillRect(dc, &blockRect, block);
  DeleteObject(block);

  HPEN pen = CreatePen(PS_SOLID, 3, kLine);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  MoveToEx(dc, 160, 200, nullptr);
  LineTo(dc, 300, 200);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  EndPaint(window, &ps);
}

void Announce() {
  if (g_announced) return;
  HANDLE f = CreateFileW(L"gui_smoke.ready", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
  g_announced = true;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_TIMER:
      // Announce only once painting has been flushed to the display.
      GdiFlush();
      Announce();
      if (GetFileAttributesW(L"gui_smoke.quit") != INVALID_FILE_ATTRIBUTES || ++g_polls > kMaxPolls)
        DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = L"VarnelGuiSmoke";
  if (!RegisterClassW(&wc)) return 2;
  HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"Varnel GUI smoke test",
                                WS_POPUP | WS_VISIBLE, kLeft, kTop, kWidth, kHeight, nullptr,
                                nullptr, instance, nullptr);
  if (!window) return 3;
  UpdateWindow(window);
  SetTimer(window, kPollTimer, 100, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
