// The numbers the window toolkit gives the child windows it makes or places itself: the status
// bar, the splitter and its two panes, the document windows of the MDI client. They lie in the
// range above the program's commands and controls, so that no command or control shares one.
#pragma once

#include <windows.h>

namespace ui {

inline constexpr UINT kSplitterId = 0xE800;
inline constexpr UINT kStatusBarId = 0xE801;
inline constexpr UINT kFirstPaneId = 0xE900;   // the splitter's row 0
inline constexpr UINT kSecondPaneId = 0xE910;  // row 1
// The MDI client numbers its document windows from here up, and the Window menu lists them
// under these numbers.
inline constexpr UINT kFirstMdiChildId = 0xFF00;

}  // namespace ui
