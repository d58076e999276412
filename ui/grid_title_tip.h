// The title tip of a grid: a small popup over a cell whose text is cut, showing the text whole.
// It takes no activation and no clicks (they fall through to the grid beneath); the grid hides
// it when the mouse leaves the cell or anything else happens.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "ui/window.h"

namespace ui {

class GridTitleTip : public Window {
 public:
  static constexpr wchar_t kClassName[] = L"VarnelGridTitleTip";

  // Shows the text at the cell (screen coordinates) in the grid's font: as high as the cell and
  // as wide as the text, kept on the monitor. `text_left` and `text_top` are where the text
  // starts inside the cell, so it does not move when the tip appears.
  void Show(HWND owner, const RECT& cell_on_screen, std::wstring_view text, HFONT font,
            int text_left, int text_top);
  void Hide();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool OnPaint() override;

 private:
  std::wstring text_;
  HFONT font_ = nullptr;
  int text_left_ = 0;
  int text_top_ = 0;
};

}  // namespace ui
