// Texts between the dialogs' controls and TString: what a control holds, cut to the length the
// dialogs read, and TString and resource texts as the wide strings the controls take.
#pragma once

#include <windows.h>

#include <cstdint>

#include "text/tstring.h"

namespace dialogs {

// Every text field of the dialogs is read up to this many characters.
inline constexpr std::uint32_t kMaxFieldUnits = 256;

inline const wchar_t* W(const TString& text) { return reinterpret_cast<const wchar_t*>(text.Str()); }
inline const wchar_t* W(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

// The control's text, at most kMaxFieldUnits characters.
TString FieldText(HWND control);

}  // namespace dialogs
