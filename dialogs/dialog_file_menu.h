// The File menu that every dialog and property sheet of the program carries (Page Setup, Print,
// Close, in the interface language), and what its commands and keys do: page set-up and printing
// go to the main window, which prints the picture of the window that asked.
#pragma once

#include <windows.h>

#include <functional>

namespace dialogs {

inline constexpr UINT kDialogPageSetupCommand = 57606;
inline constexpr UINT kDialogPrintCommand = 57607;
inline constexpr UINT kDialogCloseCommand = 57602;
// The notification code of the print command sent to the main window, with the window as LPARAM.
inline constexpr UINT kWindowPrintCode = 2;

// The top-level window that owns `owner` (walking up from a child window).
HWND MainWindowOf(HWND owner);

// Gives `window` the File menu of the interface language; the window grows by the menu bar's
// height so that its client area keeps its size. Returns the menu (destroyed with the window), or
// null when no menu could be loaded.
HMENU AttachDialogMenu(HWND window);

// Runs a command of the File menu for `window`: page set-up and print through the main window of
// `owner`, close through `close`. False for any other command.
bool RunDialogFileCommand(UINT command, HWND window, HWND owner,
                          const std::function<void()>& close);

// The File menu command a key press stands for (Ctrl+P: print; Ctrl+F4: close), or 0.
UINT DialogFileKeyCommand(const MSG& msg);

}  // namespace dialogs
