// A channel for the GUI tests, open only when the environment variable VARNEL_TEST_CHANNEL is 1:
// a test program sends WM_COPYDATA (kind kTestChannelKind, a UTF-16 question) to the main window
// with its own window as WPARAM and gets the answer back the same way. It answers what another
// process cannot read itself under every system (menus) and what only the program knows.
//   "menu"       every item of the menu bar: depth, identifier, state letters (g greyed,
//                c checked, p pop-up) and text, one line each
//   "status"     the texts of the status bar's panes, one line each
//   "documents"  per document: title, path, modified (0/1), waves, items
//   "printing"   every text the printing dialogs showed ("document: ", "printer: ", "port: ",
//                "page: " lines)
//   "draw-ms"    milliseconds of the active graph's last screen drawing
//   "connections"  the last connection's position, then per connection: display name, session,
//                items with a server handle
//   "resources"  the process's private bytes, GDI objects and USER objects (where Wine gives no
//                totals: the live entries of its GDI handle table, and its windows), and the
//                entries the log keeps in memory
//   "reconnecting"  per lost server tried again: display name, tries so far, milliseconds to
//                the next try
//   "periods"    per document: title, period kind, start and stop (ms), Live, Locked (0/1), and
//                the number of points of all its waves
//   "item-browser"  while the item browser is open: milliseconds of its browse and of its last
//                list fill; "none" otherwise
//   "grid"       the active document's grid: rows, columns, fixed rows, fixed columns and the
//                selected range (first row, first column, last row, last column; -1 for none)
//   "grid-cell <row> <column>"  the cell's rectangle in the grid's client area
//   "grid-find"  the grid's find state: text, the earlier texts (each followed by ";"), and the
//                whole-word, match-case and direction values ("|" between the three parts)
//   "plots"      per plot of the active graph: name, Hide in the graph and in the document (0/1,
//                "-" when the document has no settings for it)
//   "open-timed <path>"  opens the document and paints it at once: milliseconds, and the
//                process's private bytes before and after
//   "settled"    whether the active document's long waves are all read and drawn: "busy", or the
//                milliseconds from the start of the last "open-timed" or "command-timed" to the
//                end of the graph window's last paint, and the process's private bytes
#pragma once

#include <windows.h>

namespace app {

class TMainFrame;

inline constexpr ULONG_PTR kTestChannelKind = 0x56544348;  // "VTCH"

// True when the message was a test question (answered into result).
bool TestChannel(TMainFrame& frame, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

}  // namespace app
