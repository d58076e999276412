// Resource text in the main frame's language, for the windows and messages that follow it.
#pragma once

#include "strings/resource_text.h"

inline constexpr char16_t kNoMainFrameText[] = u" pMainFrame = 0 in RString() ";

// The text of entry id in the main frame's language, or kNoMainFrameText while there is no main
// frame.
const char16_t* RString(int id);
