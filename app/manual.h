// Opening the user manual of the current language (or the English one) with the system's viewer.
#pragma once

#include <windows.h>

namespace app {

// Opens the first manual file found, maximised; shows "Can not open Help file : " + name when
// there is none, and + the file's path and the reason when nothing could show it (no PDF viewer).
// Returns whether one was opened.
bool OpenUserManual(HWND owner, int language);

}  // namespace app
