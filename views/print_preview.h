// The print preview: a window over the main window that shows a view's pages one at a time, as
// the current printer would print them, drawn by the same page code as the paper. It pages
// forwards and backwards, zooms between the whole page and twice that (with scroll bars), and
// its Print button closes it and prints the view.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "ui/gdi_select.h"
#include "ui/window.h"
#include "views/printable.h"
#include "win/handle.h"

namespace views {

using win::UniqueEnhMetaFile;

// One page of a view recorded with the printer's metrics, ready to be played at any size.
win::UniqueEnhMetaFile RecordPage(Printable& view, HDC printer_dc, int page_number);

class PrintPreview : public ui::Window {
 public:
  static constexpr wchar_t kClassName[] = L"VarnelPrintPreview";
  static constexpr int kPrintButton = 101, kNextButton = 102, kPreviousButton = 103,
                       kZoomButton = 104, kCloseButton = 105, kPageText = 106;

  // Opens the preview of the view over the main window, which is disabled until it closes. The
  // preview owns itself; `print` runs after it closed when the user pressed Print. False (nothing
  // shown) without a printer DC.
  static bool Show(HWND main_window, std::unique_ptr<Printable> view, const std::wstring& document,
                   std::function<void()> print);

  int Page() const { return page_; }
  int PageCount() const { return page_count_; }

 protected:
  bool OnCreate(const CREATESTRUCTW& create) override;
  void OnDestroy() override;
  bool OnPaint() override;
  bool OnEraseBackground(HDC) override { return true; }
  void OnSize(UINT type, int cx, int cy) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool OnClose() override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnFinalMessage() override { delete this; }

 private:
  PrintPreview(HWND main_window, std::unique_ptr<Printable> view, HDC printer_dc,
               std::function<void()> print);
  void GoTo(int page);
  void UpdateControls();
  void UpdateScrollBars();
  void Scroll(int bar, WPARAM request);
  // The paper's rectangle in the client area at the current zoom and scroll position.
  RECT PaperRect() const;
  int BarHeight() const;

  HWND main_window_;
  std::unique_ptr<Printable> pages_;
  Printable& view_;
  win::UniqueDc printer_dc_;
  std::function<void()> print_;
  bool print_requested_ = false;
  int page_ = 1;
  int page_count_ = 1;
  int zoom_ = 1;
  POINT scroll_{0, 0};
  win::UniqueEnhMetaFile page_picture_;
  std::wstring page_format_;
};

}  // namespace views
