#include "views/print_preview.h"

#include <algorithm>

#include "platform/wide.h"
#include "app_context/main_frame_text.h"
#include "strings/string_ids.h"
#include "ui/dpi.h"
#include "ui/gdi_select.h"
#include "ui/memory_bitmap.h"
#include "ui/scroll_request.h"
#include "ui/text_args.h"
#include "views/print_job.h"

namespace views {

namespace {

constexpr int kBarHeight = 30;
constexpr int kPaperGap = 12;
constexpr int kShadow = 4;

struct ButtonSpec {
  int id;
  int text;  // resource text
  int width;
};
constexpr ButtonSpec kButtons[] = {
    {PrintPreview::kPrintButton, IDS_PREVIEW_PRINT, 70},
    {PrintPreview::kNextButton, IDS_PREVIEW_NEXT_PAGE, 80},
    {PrintPreview::kPreviousButton, IDS_PREVIEW_PREVIOUS_PAGE, 80},
    {PrintPreview::kZoomButton, IDS_PREVIEW_ZOOM_IN, 70},
    {PrintPreview::kCloseButton, IDS_PREVIEW_CLOSE, 60},
};

// Paper size and the printable area's offset and size on it, in device pixels.
struct PaperMetrics {
  int paper_width, paper_height, offset_x, offset_y, area_width, area_height;
};

PaperMetrics MetricsOf(HDC dc) {
  PaperMetrics m{};
  m.area_width = std::max(1, GetDeviceCaps(dc, HORZRES));
  m.area_height = std::max(1, GetDeviceCaps(dc, VERTRES));
  m.paper_width = std::max(m.area_width, GetDeviceCaps(dc, PHYSICALWIDTH));
  m.paper_height = std::max(m.area_height, GetDeviceCaps(dc, PHYSICALHEIGHT));
  m.offset_x = std::max(0, GetDeviceCaps(dc, PHYSICALOFFSETX));
  m.offset_y = std::max(0, GetDeviceCaps(dc, PHYSICALOFFSETY));
  return m;
}

}  // namespace

win::UniqueEnhMetaFile RecordPage(Printable& view, HDC printer_dc, int page_number) {
  const RECT area = PrintableArea(printer_dc);
  const int dpi_x = std::max(1, GetDeviceCaps(printer_dc, LOGPIXELSX));
  const int dpi_y = std::max(1, GetDeviceCaps(printer_dc, LOGPIXELSY));
  // The frame in hundredths of a millimetre.
  const RECT frame{0, 0, MulDiv(GetDeviceCaps(printer_dc, HORZRES), 2540, dpi_x),
                   MulDiv(GetDeviceCaps(printer_dc, VERTRES), 2540, dpi_y)};
  HDC recorder = CreateEnhMetaFileW(printer_dc, nullptr, &frame, nullptr);
  if (!recorder) return win::UniqueEnhMetaFile();
  view.PrintPage(recorder, area, page_number);
  return win::UniqueEnhMetaFile(CloseEnhMetaFile(recorder));
}

PrintPreview::PrintPreview(HWND main_window, std::unique_ptr<Printable> view, HDC printer_dc,
                           std::function<void()> print)
    : main_window_(main_window),
      pages_(std::move(view)),
      view_(*pages_),
      printer_dc_(printer_dc),
      print_(std::move(print)) {}

bool PrintPreview::Show(HWND main_window, std::unique_ptr<Printable> view,
                        const std::wstring& document, std::function<void()> print) {
  if (!view) return false;
  PrintInfo info;
  info.direct = true;  // a preview starts from the current printer, as a direct job
  info.owner = main_window;
  if (!DoPreparePrinting(info)) {
    if (info.failed) {
      MessageBoxW(main_window, platform::W(RString(IDS_PRINT_JOB_FAILED)), kPrintJobFailedCaption,
                  MB_OK | MB_ICONEXCLAMATION);
    }
    return false;
  }
  ui::RegisterWindowClass({.name = kClassName, .style = CS_HREDRAW | CS_VREDRAW});
  RECT place{};
  GetWindowRect(main_window, &place);
  auto* preview =
      new PrintPreview(main_window, std::move(view), info.dc.Release(), std::move(print));
  preview->page_format_ = info.page_format;
  const std::wstring title =
      ui::ReplaceArgument(platform::W(RString(IDS_PREVIEW_CAPTION)), L"%1", document);
  if (!preview->Create({.class_name = kClassName,
                        .title = title.c_str(),
                        .style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL,
                        .x = place.left,
                        .y = place.top,
                        .width = place.right - place.left,
                        .height = place.bottom - place.top,
                        .parent = main_window})) {
    delete preview;
    return false;
  }
  EnableWindow(main_window, FALSE);
  ShowWindow(preview->Hwnd(), SW_SHOWMAXIMIZED);
  UpdateWindow(preview->Hwnd());
  return true;
}

bool PrintPreview::OnCreate(const CREATESTRUCTW&) {
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  int x = ui::ScaleForWindow(Hwnd(), 4);
  const int y = ui::ScaleForWindow(Hwnd(), 4);
  const int height = ui::ScaleForWindow(Hwnd(), kBarHeight - 8);
  // A button is as wide as its text needs in the interface language, at least its usual width;
  // the zoom button holds either of its two texts.
  ui::WindowDc screen(Hwnd());
  ui::SelectGuard measure_font(screen.Get(), font);
  auto text_width = [&](int text_id) {
    SIZE extent{};
    const wchar_t* text = platform::W(RString(text_id));
    GetTextExtentPoint32W(screen.Get(), text, lstrlenW(text), &extent);
    return static_cast<int>(extent.cx) + ui::ScaleForWindow(Hwnd(), 16);
  };
  for (const ButtonSpec& b : kButtons) {
    int width = std::max(ui::ScaleForWindow(Hwnd(), b.width), text_width(b.text));
    if (b.id == kZoomButton) width = std::max(width, text_width(IDS_PREVIEW_ZOOM_OUT));
    HWND button = CreateWindowExW(0, L"BUTTON", platform::W(RString(b.text)),
                                  WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, y, width, height,
                                  Hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)),
                                  GetModuleHandleW(nullptr), nullptr);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    x += width + ui::ScaleForWindow(Hwnd(), 4);
  }
  HWND label = CreateWindowExW(
      0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE,
      x + ui::ScaleForWindow(Hwnd(), 8), y, ui::ScaleForWindow(Hwnd(), 160), height, Hwnd(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPageText)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

  view_.SetPrinting(true);
  page_count_ =
      std::max(1, view_.BeginPrinting(printer_dc_.Get(), PrintableArea(printer_dc_.Get())));
  GoTo(1);
  return true;
}

void PrintPreview::OnDestroy() {
  page_picture_.Reset();
  view_.EndPrinting();
  view_.SetPrinting(false);
  EnableWindow(main_window_, TRUE);
  SetActiveWindow(main_window_);
  if (print_requested_ && print_) {
    // After the window is gone, from the main window's own loop.
    auto print = std::move(print_);
    print();
  }
}

int PrintPreview::BarHeight() const { return ui::ScaleForWindow(Hwnd(), kBarHeight); }

void PrintPreview::GoTo(int page) {
  page_ = std::clamp(page, 1, page_count_);
  page_picture_ = RecordPage(view_, printer_dc_.Get(), page_);
  UpdateControls();
  InvalidateRect(Hwnd(), nullptr, FALSE);
}

void PrintPreview::UpdateControls() {
  std::wstring text = page_format_.substr(0, page_format_.find(L'\n'));
  if (const std::size_t at = text.find(L"%u"); at != std::wstring::npos) {
    text.replace(at, 2, std::to_wstring(page_));
  }
  text += L" / " + std::to_wstring(page_count_);
  SetDlgItemTextW(Hwnd(), kPageText, text.c_str());
  EnableWindow(GetDlgItem(Hwnd(), kNextButton), page_ < page_count_);
  EnableWindow(GetDlgItem(Hwnd(), kPreviousButton), page_ > 1);
  SetDlgItemTextW(Hwnd(), kZoomButton,
                  platform::W(RString(zoom_ == 1 ? IDS_PREVIEW_ZOOM_IN : IDS_PREVIEW_ZOOM_OUT)));
  UpdateScrollBars();
}

RECT PrintPreview::PaperRect() const {
  RECT client;
  GetClientRect(Hwnd(), &client);
  const PaperMetrics m = MetricsOf(printer_dc_.Get());
  const int gap = ui::ScaleForWindow(Hwnd(), kPaperGap);
  const int room_width = std::max(1, static_cast<int>(client.right) - 2 * gap);
  const int room_height = std::max(1, static_cast<int>(client.bottom) - BarHeight() - 2 * gap);
  // The whole page fits at zoom 1; zoom 2 doubles that.
  const double fit = std::min(static_cast<double>(room_width) / m.paper_width,
                              static_cast<double>(room_height) / m.paper_height);
  const int width = static_cast<int>(fit * zoom_ * m.paper_width);
  const int height = static_cast<int>(fit * zoom_ * m.paper_height);
  const int left = width <= room_width ? (client.right - width) / 2 : gap - scroll_.x;
  const int top = BarHeight() + (height <= room_height ? (client.bottom - BarHeight() - height) / 2
                                                       : gap - scroll_.y);
  return {left, top, left + width, top + height};
}

void PrintPreview::UpdateScrollBars() {
  RECT client;
  GetClientRect(Hwnd(), &client);
  const int gap = ui::ScaleForWindow(Hwnd(), kPaperGap);
  const RECT paper = PaperRect();
  const int content_width = paper.right - paper.left + 2 * gap;
  const int content_height = paper.bottom - paper.top + 2 * gap;
  const int view_width = client.right;
  const int view_height = client.bottom - BarHeight();
  scroll_.x = std::clamp<int>(scroll_.x, 0, std::max(0, content_width - view_width));
  scroll_.y = std::clamp<int>(scroll_.y, 0, std::max(0, content_height - view_height));
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
  info.nMax = zoom_ > 1 ? content_width - 1 : 0;
  info.nPage = static_cast<UINT>(std::max(1, view_width));
  info.nPos = scroll_.x;
  SetScrollInfo(Hwnd(), SB_HORZ, &info, TRUE);
  info.nMax = zoom_ > 1 ? content_height - 1 : 0;
  info.nPage = static_cast<UINT>(std::max(1, view_height));
  info.nPos = scroll_.y;
  SetScrollInfo(Hwnd(), SB_VERT, &info, TRUE);
}

void PrintPreview::Scroll(int bar, WPARAM request) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  GetScrollInfo(Hwnd(), bar, &info);
  LONG& position = bar == SB_HORZ ? scroll_.x : scroll_.y;
  const std::optional<LONG> moved = ui::ScrolledPosition(Hwnd(), bar, LOWORD(request), position,
                                                         {.line = ui::ScaleForWindow(Hwnd(), 32),
                                                          .page = static_cast<LONG>(info.nPage),
                                                          .last = info.nMax});
  if (!moved) return;
  position = *moved;
  UpdateScrollBars();
  InvalidateRect(Hwnd(), nullptr, FALSE);
}

bool PrintPreview::OnPaint() {
  ui::PaintDc paint(Hwnd());
  RECT client;
  GetClientRect(Hwnd(), &client);
  if (client.right <= 0 || client.bottom <= 0) return true;
  ui::MemoryBitmap buffer(client.right, client.bottom);
  if (!buffer.Valid()) return true;
  HDC dc = buffer.Dc();
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  RECT room{0, BarHeight(), client.right, client.bottom};
  FillRect(dc, &room, GetSysColorBrush(COLOR_APPWORKSPACE));

  const RECT paper = PaperRect();
  const int shadow = ui::ScaleForWindow(Hwnd(), kShadow);
  RECT dark{paper.left + shadow, paper.top + shadow, paper.right + shadow, paper.bottom + shadow};
  FillRect(dc, &dark, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
  FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FrameRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (page_picture_) {
    // The printable area inside the paper, at the same scale.
    const PaperMetrics m = MetricsOf(printer_dc_.Get());
    const double scale = static_cast<double>(paper.right - paper.left) / m.paper_width;
    const RECT area{paper.left + static_cast<int>(m.offset_x * scale),
                    paper.top + static_cast<int>(m.offset_y * scale),
                    paper.left + static_cast<int>((m.offset_x + m.area_width) * scale),
                    paper.top + static_cast<int>((m.offset_y + m.area_height) * scale)};
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, paper.left, paper.top, paper.right, paper.bottom);
    PlayEnhMetaFile(dc, page_picture_.Get(), &area);
    RestoreDC(dc, saved);
  }
  BitBlt(paint.Get(), 0, BarHeight(), client.right, client.bottom - BarHeight(), dc, 0, BarHeight(),
         SRCCOPY);
  RECT bar{0, 0, client.right, BarHeight()};
  FillRect(paint.Get(), &bar, GetSysColorBrush(COLOR_BTNFACE));
  return true;
}

void PrintPreview::OnSize(UINT, int, int) {
  UpdateScrollBars();
  InvalidateRect(Hwnd(), nullptr, FALSE);
}

bool PrintPreview::OnCommand(UINT id, UINT, HWND) {
  switch (id) {
    case kPrintButton:
      print_requested_ = true;
      DestroyWindow(Hwnd());
      return true;
    case kNextButton:
      GoTo(page_ + 1);
      return true;
    case kPreviousButton:
      GoTo(page_ - 1);
      return true;
    case kZoomButton:
      zoom_ = zoom_ == 1 ? 2 : 1;
      scroll_ = {0, 0};
      UpdateControls();
      InvalidateRect(Hwnd(), nullptr, FALSE);
      return true;
    case kCloseButton:
    case IDCANCEL:
      DestroyWindow(Hwnd());
      return true;
    default:
      return false;
  }
}

bool PrintPreview::OnClose() {
  DestroyWindow(Hwnd());
  return true;
}

LRESULT PrintPreview::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_HSCROLL:
      Scroll(SB_HORZ, wparam);
      return 0;
    case WM_VSCROLL:
      Scroll(SB_VERT, wparam);
      return 0;
    case WM_KEYDOWN:
      if (wparam == VK_NEXT || wparam == VK_RIGHT) GoTo(page_ + 1);
      if (wparam == VK_PRIOR || wparam == VK_LEFT) GoTo(page_ - 1);
      if (wparam == VK_ESCAPE) DestroyWindow(Hwnd());
      return 0;
    default:
      return Window::HandleMessage(message, wparam, lparam);
  }
}

}  // namespace views
