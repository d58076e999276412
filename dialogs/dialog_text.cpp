#include "dialogs/dialog_text.h"

namespace dialogs {

TString FieldText(HWND control) {
  wchar_t text[kMaxFieldUnits + 1] = {};
  if (control) GetWindowTextW(control, text, kMaxFieldUnits + 1);
  return TString(reinterpret_cast<const char16_t*>(text));
}

}  // namespace dialogs
