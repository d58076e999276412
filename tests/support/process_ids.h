// The processes of one program that the test's Wine prefix (or Windows session) runs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace test_support {

// Process ids of every running process whose executable file is named `exe_name` (no path;
// compared without regard to case).
std::vector<DWORD> ProcessIdsOf(const wchar_t* exe_name);

// Every running process as "name (id)", comma-separated: what a failure that may be the prefix's
// says about where the prefix stood.
std::string RunningProcesses();

}  // namespace test_support
