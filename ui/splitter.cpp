#include "ui/splitter.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/dpi.h"
#include "ui/gdi_select.h"

namespace ui {

bool Splitter::Create(HWND parent, double first_share) {
  share_ = std::clamp(first_share, 0.0, 1.0);
  RegisterWindowClass({.name = kClassName,
                       .cursor = LoadCursorW(nullptr, IDC_SIZENS),
                       .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)});
  RECT r;
  GetClientRect(parent, &r);
  return Window::Create({.class_name = kClassName,
                         .style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                         .x = 0,
                         .y = 0,
                         .width = r.right,
                         .height = r.bottom,
                         .parent = parent,
                         .menu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kSplitterId))});
}

void Splitter::SetPanes(HWND first, HWND second) {
  first_ = first;
  second_ = second;
  Layout();
}

int Splitter::BarHeight() const { return ScaleForWindow(Hwnd(), 5); }

int Splitter::FirstHeight(int total) const {
  const int usable = std::max(0, total - BarHeight());
  return static_cast<int>(usable * share_);
}

void Splitter::Layout() {
  if (!Hwnd()) return;
  RECT r;
  GetClientRect(Hwnd(), &r);
  const int first = FirstHeight(r.bottom);
  const int second_top = first + BarHeight();
  if (first_) MoveWindow(first_, 0, 0, r.right, first, TRUE);
  if (second_)
    MoveWindow(second_, 0, second_top, r.right,
               std::max(0, static_cast<int>(r.bottom) - second_top), TRUE);
}

void Splitter::OnSize(UINT, int, int) { Layout(); }

bool Splitter::OnPaint() {
  PaintDc dc(Hwnd());
  RECT r;
  GetClientRect(Hwnd(), &r);
  RECT bar{0, FirstHeight(r.bottom), r.right, FirstHeight(r.bottom) + BarHeight()};
  FillRect(dc.Get(), &bar, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc.Get(), &bar, EDGE_RAISED, BF_TOP | BF_BOTTOM);
  return true;
}

LRESULT Splitter::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      dragging_ = true;
      SetCapture(Hwnd());
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) {
        RECT r;
        GetClientRect(Hwnd(), &r);
        const int usable = std::max(1, static_cast<int>(r.bottom) - BarHeight());
        share_ = std::clamp(static_cast<double>(GET_Y_LPARAM(lparam)) / usable, 0.05, 0.95);
        Layout();
        InvalidateRect(Hwnd(), nullptr, TRUE);
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (dragging_) {
        dragging_ = false;
        if (message == WM_LBUTTONUP) ReleaseCapture();
      }
      return 0;
    default:
      break;
  }
  return Window::HandleMessage(message, wparam, lparam);
}

}  // namespace ui
