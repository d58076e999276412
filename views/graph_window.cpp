#include "views/graph_window.h"

#include "ui/gdi_canvas.h"
#include "ui/gdi_select.h"
#include "views/graph_view_messages.h"

namespace views {

GraphWindow::GraphWindow() { graph_.SetObserver(this); }

bool GraphWindow::Create(HWND parent, const RECT& rect) {
  ui::RegisterWindowClass({.name = kClassName, .style = CS_DBLCLKS});
  return Window::Create({.class_name = kClassName, .style = WS_CHILD | WS_VISIBLE,
                         .x = rect.left, .y = rect.top, .width = rect.right - rect.left,
                         .height = rect.bottom - rect.top, .parent = parent});
}

void GraphWindow::DrawInto(HDC dc, const RECT& rect, bool printer) {
  ui::GdiCanvas canvas(dc, printer);
  graph_.Draw(canvas, {rect.left, rect.top, rect.right, rect.bottom});
}

bool GraphWindow::OnPaint() {
  ui::PaintDc paint(Hwnd());
  RECT client;
  GetClientRect(Hwnd(), &client);
  if (client.right <= 0 || client.bottom <= 0) return true;
  if (!buffer_ || buffer_->Width() != client.right || buffer_->Height() != client.bottom) {
    buffer_ = std::make_unique<ui::MemoryBitmap>(client.right, client.bottom);
  }
  if (!buffer_->Valid()) return true;
  LARGE_INTEGER frequency, start, stop;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  DrawInto(buffer_->Dc(), client, false);
  BitBlt(paint.Get(), 0, 0, client.right, client.bottom, buffer_->Dc(), 0, 0, SRCCOPY);
  QueryPerformanceCounter(&stop);
  last_draw_ms_ = 1000.0 * static_cast<double>(stop.QuadPart - start.QuadPart) /
                  static_cast<double>(frequency.QuadPart);
  return true;
}

void GraphWindow::OnSize(UINT, int, int) { InvalidateRect(Hwnd(), nullptr, FALSE); }

void GraphWindow::GraphRebuilt(std::int32_t w) {
  InvalidateRect(Hwnd(), nullptr, FALSE);
  // The view copies the user's changes into the document.
  if (w == 1) SendMessageW(GetParent(Hwnd()), kStoreGraphSettingsMessage, 1, 0);
}

void GraphWindow::GraphRescaled() { InvalidateRect(Hwnd(), nullptr, FALSE); }

LRESULT GraphWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kGraphRepaintMessage) {
    InvalidateRect(Hwnd(), nullptr, FALSE);
    UpdateWindow(Hwnd());
    return 0;
  }
  return Window::HandleMessage(message, wparam, lparam);
}

}  // namespace views
