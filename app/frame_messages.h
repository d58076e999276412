// The main frame's private messages, which document windows and documents send it.
#pragma once

#include <windows.h>

namespace app {

inline constexpr UINT kRebuildMenusMessage = WM_USER + 26;     // 1050: menus, then the title
inline constexpr UINT kStartupMessage = WM_USER + 90;          // 1114: reconnect, start the timer
inline constexpr UINT kNewDocumentMessage = WM_USER + 144;     // 1168: a new document's views
inline constexpr UINT kOpenedDocumentMessage = WM_USER + 145;  // 1169: an opened document's views

}  // namespace app
