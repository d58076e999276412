#include "ui/grid_title_tip.h"

#include <algorithm>

#include "ui/gdi_select.h"

namespace ui {

void GridTitleTip::Show(HWND owner, const RECT& cell, std::wstring_view text, HFONT font,
                        int text_left, int text_top) {
  if (!Hwnd()) {
    RegisterWindowClass({.name = kClassName, .style = CS_SAVEBITS});
    if (!Create({.class_name = kClassName,
                 .style = WS_POPUP | WS_BORDER,
                 .ex_style = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE,
                 .x = 0,
                 .y = 0,
                 .width = 0,
                 .height = 0,
                 .parent = owner})) {
      return;
    }
  }
  text_.assign(text);
  font_ = font;
  text_left_ = text_left;
  text_top_ = text_top;

  SIZE extent{};
  {
    WindowDc dc(Hwnd());
    SelectGuard select(dc.Get(), font);
    GetTextExtentPoint32W(dc.Get(), text_.c_str(), static_cast<int>(text_.size()), &extent);
  }
  RECT frame{0, 0, text_left + extent.cx + text_left, cell.bottom - cell.top};
  AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
  const int width = std::max<int>(frame.right - frame.left, cell.right - cell.left);
  const int height = frame.bottom - frame.top;
  // The border sits outside the cell, so the text stays where the cell shows it.
  int x = cell.left + frame.left;
  int y = cell.top + frame.top;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (GetMonitorInfoW(MonitorFromRect(&cell, MONITOR_DEFAULTTONEAREST), &monitor)) {
    x = std::max<int>(monitor.rcWork.left, std::min<int>(x, monitor.rcWork.right - width));
    y = std::max<int>(monitor.rcWork.top, std::min<int>(y, monitor.rcWork.bottom - height));
  }
  SetWindowPos(Hwnd(), HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(Hwnd(), nullptr, TRUE);
}

void GridTitleTip::Hide() {
  if (Hwnd() && IsWindowVisible(Hwnd())) ShowWindow(Hwnd(), SW_HIDE);
}

LRESULT GridTitleTip::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // the mouse belongs to the grid beneath
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    default:
      return Window::HandleMessage(message, wparam, lparam);
  }
}

bool GridTitleTip::OnPaint() {
  PaintDc paint(Hwnd());
  RECT client;
  GetClientRect(Hwnd(), &client);
  SelectGuard select(paint.Get(), font_);
  SetBkColor(paint.Get(), GetSysColor(COLOR_INFOBK));
  SetTextColor(paint.Get(), GetSysColor(COLOR_INFOTEXT));
  ExtTextOutW(paint.Get(), text_left_, text_top_, ETO_OPAQUE | ETO_CLIPPED, &client, text_.c_str(),
              static_cast<UINT>(text_.size()), nullptr);
  return true;
}

}  // namespace ui
