// The per-user start directory. Started with /PerUser, as the Start-menu shortcut and documents
// opened from Explorer start it, the program keeps its configuration and log in the user's own
// %APPDATA%\Varnel, made when missing, whatever folder it was started in: the install folder,
// which users cannot write to, or the document's folder. Without it the start directory is the
// folder it was started in.
#pragma once

#include <string>

namespace app {

// Makes the user's folder when missing and makes it the current directory. Empty when done;
// otherwise the folder that could not be used (or "%APPDATA%" when that has no path), and the
// current directory is left as it was.
std::wstring EnterPerUserDirectory();

}  // namespace app
