// Private messages of the MDI document window (ui::MdiChild).
#pragma once

#include <windows.h>

namespace ui {

// Sent by a view that gets the focus to its ancestors, LPARAM the view: the document window that
// holds it answers TRUE and routes commands through it from then on.
inline constexpr UINT kViewActivatedMessage = WM_APP + 0x3A0;

}  // namespace ui
