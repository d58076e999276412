// Private messages between the graph window and its view.
#pragma once

#include <windows.h>

namespace views {

// w = 1: copy the graph's settings into the document and mark it modified.
inline constexpr UINT kStoreGraphSettingsMessage = WM_USER + 19;
// The graph window drew its graph anew: the view checks whether long waves need their extremes
// read for the columns of that drawing.
inline constexpr UINT kGraphDrawnMessage = WM_USER + 40;
// w: the generation of the request; reads the next long wave whose columns changed.
inline constexpr UINT kReadExtremesMessage = WM_USER + 41;

}  // namespace views
