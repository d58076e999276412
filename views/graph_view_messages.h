// Private messages between the graph window and its view.
#pragma once

#include <windows.h>

namespace views {

// w = 1: copy the graph's settings into the document and mark it modified.
inline constexpr UINT kStoreGraphSettingsMessage = WM_USER + 19;

}  // namespace views
