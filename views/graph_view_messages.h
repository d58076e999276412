// Private messages of the graph view and of the graph window inside it, all in one place so that
// their values are chosen together. The graph window also takes the dialog base's
// dialogs::kDialogEndedMessage (WM_USER + 1) from its modeless legend.
#pragma once

#include <windows.h>

namespace views {

// To the graph window: repaint at once and refresh the legend (posted by the view after an
// update).
inline constexpr UINT kGraphRepaintMessage = WM_USER + 14;
// To the graph window: deletes the legend that reported its end (posted to itself, so that the
// legend is not deleted while it is still inside its own message).
inline constexpr UINT kDeleteLegendMessage = WM_APP + 0x3B0;

// To the graph window (from the settings sheet) and from it to the view, its parent.
// w = 1: copy the graph's settings into the document and mark it modified.
inline constexpr UINT kStoreGraphSettingsMessage = WM_USER + 19;
// To the view: the graph window drew its graph anew: the view checks whether long waves need their
// extremes read for the columns of that drawing.
inline constexpr UINT kGraphDrawnMessage = WM_USER + 40;
// The view to itself; w: the generation of the request; reads the next long wave whose columns
// changed.
inline constexpr UINT kReadExtremesMessage = WM_USER + 41;

}  // namespace views
