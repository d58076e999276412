// The frame's bars: a toolbar of command buttons with tooltips, and a status bar of panes.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/commands.h"
#include "ui/window.h"

namespace ui {

struct ToolBarArgs {
  HWND parent = nullptr;
  UINT id = 0;
  UINT bitmap_resource = 0;   // a strip of 16 x 16 images, one per button, magenta transparent
  std::vector<UINT> buttons;  // command identifiers in order; 0 is a separator
  int image_size = 16;        // in pixels at 96 DPI; scaled to the window's DPI
};

class ToolBar : public Window {
 public:
  ToolBar() = default;
  ~ToolBar() override;
  bool Create(const ToolBarArgs& args);
  SIZE IdealSize() const;
  // Enables and checks each button from the commands' states.
  void UpdateButtons(const CommandChain& chain);
  bool Shown() const { return Hwnd() && IsWindowVisible(Hwnd()); }
  const std::vector<UINT>& Buttons() const { return buttons_; }

 private:
  std::vector<UINT> buttons_;
  HIMAGELIST images_ = nullptr;
};

// A pane's text and its tip, for a status bar this code did not create.
void SetStatusText(HWND bar, int pane, const std::wstring& text);

class StatusBar : public Window {
 public:
  bool Create(HWND parent, UINT id);
  // Pane widths from the right: every pane but the first has a fixed width; the first takes
  // what is left.
  void SetPaneWidths(const std::vector<int>& fixed_widths);
  void SetText(int pane, const std::wstring& text);
  std::wstring Text(int pane) const;
  // The tip shown over a pane too narrow for its text: the whole text.
  std::wstring Tip(int pane) const;
  int Height() const;
  // The width of a text in the bar's font, in pixels.
  int TextWidth(const wchar_t* text) const;
  void Relayout();

 private:
  std::vector<int> fixed_widths_;
};

}  // namespace ui
