// The test channel's questions about the active document window's graph (see test_channel.h):
//   "graph"                the graph window ("window|<handle>"), the plot area ("area|l|t|r|b"),
//                          each axis ("axis|id|location|automatic|MinValue|MaxValue|min|max|
//                          band l|band t|band r|band b|hidden"), the selection
//                          ("selection|active|l|t|r|b"), the readout ("readout|text"), the
//                          legend ("legend|caption" or "legend|-") and its items ("item|text")
//   "command-timed <id>"   a zoom command sent to the graph window, any other to the main window
//                          as from the menu; milliseconds until it returned (the graph repaints
//                          at once)
//   "update-timed <hint>"  the document's views updated with the hint (no read) and the
//                          document window painted at once: milliseconds, then "drawn" or
//                          "kept" for the graph window's paint
//   "paint-timed"          the graph window repainted at once with nothing changed (an
//                          exposure): milliseconds of that paint, then "kept" when it only put
//                          the kept bitmap on the screen or "drawn"
//   "trace"                the trace cursor: "trace|off", or "trace|on|time (ms)|axis id", its
//                          line ("line|l|t|r|b|colour"), each wave's label ("label|text|l|t|r|b|
//                          colour", box and colour as 0xBBGGRR), the time ("time|text|l|t|r|b|
//                          colour") and the rectangles it covers on the screen ("screen|l|t|r|b")
//   "trace-move-timed <x> <y>"  the pointer moved to (x, y) of the graph window: milliseconds
//                          the window took for the move
//   "screen-mark <l> <t> <r> <b>"  that rectangle of the graph window painted magenta on the
//                          screen only, not in its kept bitmap: "done" (a repaint takes it away)
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace app {

class TMainFrame;

// The performance counter at the start of the last timed open or command.
void MarkTimedStart();
LONGLONG TimedStart();

// The answer, or nothing when the question is not one of these.
std::optional<std::wstring> GraphTestAnswer(TMainFrame& frame, const std::wstring& question);

}  // namespace app
