#include "ui/colour_button.h"

#include <commdlg.h>

#include "ui/dpi.h"
#include "ui/gdi_select.h"

namespace ui {

namespace {
// The chooser's sixteen custom colours, kept for the program's lifetime as the system expects.
COLORREF g_custom_colours[16] = {};
}  // namespace

void ColourButton::Attach(HWND button, std::function<void()> changed) {
  Window::Attach(button);
  changed_ = std::move(changed);
  UpdateSwatch();
}

void ColourButton::SetColour(COLORREF colour) {
  colour_ = colour;
  UpdateSwatch();
}

bool ColourButton::OnReflectedCommand(UINT code) {
  if (code != BN_CLICKED) return false;
  CHOOSECOLORW choose{};
  choose.lStructSize = sizeof(choose);
  choose.hwndOwner = GetParent(Hwnd());
  choose.rgbResult = colour_;
  choose.lpCustColors = g_custom_colours;
  choose.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (ChooseColorW(&choose)) {
    SetColour(choose.rgbResult);
    if (changed_) changed_();
  }
  return true;
}

void ColourButton::UpdateSwatch() {
  if (!Hwnd()) return;
  const int width = ScaleForWindow(Hwnd(), 24), height = ScaleForWindow(Hwnd(), 12);
  WindowDc screen(Hwnd());
  win::UniqueGdiObject bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
  if (!bitmap) return;
  {
    win::UniqueDc dc(CreateCompatibleDC(screen.Get()));
    SelectGuard select(dc.Get(), bitmap.Get());
    const RECT all{0, 0, width, height};
    FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    win::UniqueGdiObject brush(CreateSolidBrush(colour_));
    const RECT inside{1, 1, width - 1, height - 1};
    FillRect(dc.Get(), &inside, static_cast<HBRUSH>(brush.Get()));
  }
  SendMessageW(Hwnd(), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.Get()));
  swatch_ = std::move(bitmap);  // the button does not own its image
  InvalidateRect(Hwnd(), nullptr, TRUE);
}

}  // namespace ui
