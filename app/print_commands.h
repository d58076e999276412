// The main window's printing: print, print direct and print preview of the active view, the
// picture of a dialog that asks for it, page set-up, and the printer chosen at start-up.
#pragma once

#include <windows.h>

class TConfig;

namespace app {

class TMainFrame;

// Commands 57606 (page set-up), 57607 (print), 57608 (print direct) and 57609 (print preview).
void AddPrintCommands(TMainFrame& frame);

// The print command of a dialog or property sheet (57607 with notification code 2 and the
// window as LPARAM): prints the picture of that window. True when the message was one.
bool HandleWindowPrint(TMainFrame& frame, UINT message, WPARAM wparam, LPARAM lparam);

// The printer named in the configuration becomes the current one when the system has it.
void SelectConfiguredPrinter(const TConfig& config);

}  // namespace app
