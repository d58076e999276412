// Runs a program of the test's Wine prefix (or Windows session) to its end and keeps what it wrote.
#pragma once

#include <windows.h>

#include <string>

namespace test_support {

struct ProgramRun {
  bool started = false;
  // False when the program still ran after the timeout (it is ended then).
  bool finished = false;
  DWORD exit_code = 0;
  // Standard output and standard error, one after the other, as bytes.
  std::string output;
};

// `command_line` as CreateProcess takes it (the program's path quoted when it has spaces); the
// program starts in `start_dir`, or in the test's current directory when that is empty.
ProgramRun RunProgram(const std::wstring& command_line, const std::wstring& start_dir = L"",
                      DWORD timeout_ms = 120000);

}  // namespace test_support
