// The start directory: the process's current directory as it was when the program started, not
// the folder of the program file. The configuration file, the log and the manual search use it.
#pragma once

#include <cstdint>

#include "text/tstring.h"

inline constexpr std::uint32_t kMaxStartDirectoryUnits = 1024;

// The start directory. Unless SetStartDirectory ran first, the first call reads the current
// directory (ReadCurrentDirectory) and every later call returns that same text.
const TString& StartDirectory();
// Called by the application at start-up; tests point it at a directory of their own.
void SetStartDirectory(const TString& dir);

// The process's current directory now. One longer than kMaxStartDirectoryUnits, or one that
// cannot be read, gives an empty text: names formed from it are then relative, which the system
// resolves in that same current directory.
TString ReadCurrentDirectory();

// directory + separator + leaf; no separator is added after an empty directory or after one
// that already ends with a separator (a drive root such as "C:\").
TString FileInDirectory(const TString& directory, const char16_t* leaf);
// FileInDirectory(StartDirectory(), leaf).
TString FileInStartDirectory(const char16_t* leaf);
