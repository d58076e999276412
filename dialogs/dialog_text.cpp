#include "dialogs/dialog_text.h"

#include "platform/wide.h"

#include <algorithm>

namespace dialogs {

TString FieldText(HWND control) {
  wchar_t text[kMaxFieldUnits + 1] = {};
  if (control) GetWindowTextW(control, text, kMaxFieldUnits + 1);
  return TString(platform::U16(text));
}

ListExtent::ListExtent(HWND list)
    : list_(list),
      dc_(list),
      font_(dc_.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0))) {}

void ListExtent::Measure(const TString& text) {
  SIZE size{};
  GetTextExtentPoint32W(dc_.Get(), platform::W(text), static_cast<int>(text.Length()), &size);
  widest_ = std::max(widest_, size.cx);
}

void ListExtent::Apply() {
  // A few pixels for the entry's margins.
  SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest_ + 8), 0);
}

}  // namespace dialogs
