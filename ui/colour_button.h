// A push button that holds a colour: it shows a swatch of the colour beside its text and opens
// the system's colour chooser when pressed. Wraps a button of a dialog template.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/window.h"
#include "win/handle.h"

namespace ui {

class ColourButton : public Window {
 public:
  // Takes over the dialog's button; `changed` is called after the user chose a colour.
  void Attach(HWND button, std::function<void()> changed = {});
  COLORREF Colour() const { return colour_; }
  void SetColour(COLORREF colour);

 protected:
  bool OnReflectedCommand(UINT code) override;

 private:
  void UpdateSwatch();

  COLORREF colour_ = 0;
  std::function<void()> changed_;
  win::UniqueGdiObject swatch_;
};

}  // namespace ui
