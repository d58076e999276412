// The version text of the about box.
#pragma once

#include "text/tstring.h"

inline constexpr char16_t kVersionNumberText[] = u"1.3.6.1";
inline constexpr char16_t kVersionDateText[] = u"Nov  8 2007";

// "1.3.6.1  from Nov  8 2007".
inline TString AboutVersionText() {
  return TString(kVersionNumberText, u"  from ", kVersionDateText);
}
