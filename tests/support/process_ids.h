// The processes of one program that the test's Wine prefix (or Windows session) runs.
#pragma once

#include <windows.h>

#include <vector>

namespace test_support {

// Process ids of every running process whose executable file is named `exe_name` (no path;
// compared without regard to case).
std::vector<DWORD> ProcessIdsOf(const wchar_t* exe_name);

}  // namespace test_support
