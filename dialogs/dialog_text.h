// Texts between the dialogs' controls and TString: what a control holds, cut to the length the
// dialogs read, TString and resource texts as the wide strings the controls take, and the width
// a list box needs for its texts.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/wide.h"
#include "text/tstring.h"
#include "ui/gdi_select.h"

namespace dialogs {

// Every text field of the dialogs is read up to this many characters.
inline constexpr std::uint32_t kMaxFieldUnits = 256;

using platform::W;

// The control's text, at most kMaxFieldUnits characters.
TString FieldText(HWND control);

// Measures texts in a list box's font, then lets the list scroll sideways to the widest.
class ListExtent {
 public:
  explicit ListExtent(HWND list);
  ListExtent(const ListExtent&) = delete;
  ListExtent& operator=(const ListExtent&) = delete;
  void Measure(const TString& text);
  void Apply();

 private:
  HWND list_;
  ui::WindowDc dc_;
  ui::SelectGuard font_;
  LONG widest_ = 0;
};

}  // namespace dialogs
