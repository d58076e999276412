// A static splitter of two rows: two pane windows one above the other, with a bar between them
// that the user drags. The first row keeps its share of the height when the splitter is resized.
#pragma once

#include <windows.h>

#include "ui/window.h"
#include "ui/window_ids.h"

namespace ui {

class Splitter : public Window {
 public:
  static constexpr wchar_t kClassName[] = L"VarnelSplitter";

  // first_share: the first row's part of the height (0..1).
  bool Create(HWND parent, double first_share);
  // The panes are child windows of the splitter, created by the caller with Hwnd() as parent.
  void SetPanes(HWND first, HWND second);
  HWND Pane(int row) const { return row == 0 ? first_ : second_; }
  void Layout();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnSize(UINT type, int cx, int cy) override;
  bool OnPaint() override;

 private:
  int BarHeight() const;
  int FirstHeight(int total) const;

  HWND first_ = nullptr;
  HWND second_ = nullptr;
  double share_ = 2.0 / 3.0;
  bool dragging_ = false;
};

}  // namespace ui
