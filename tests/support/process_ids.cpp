#include "tests/support/process_ids.h"

#include <cwchar>

#include "tests/support/process_snapshot.h"

namespace test_support {

std::vector<DWORD> ProcessIdsOf(const wchar_t* exe_name) {
  std::vector<DWORD> ids;
  ForEachProcess([&](const PROCESSENTRY32W& entry) {
    if (_wcsicmp(entry.szExeFile, exe_name) == 0) ids.push_back(entry.th32ProcessID);
  });
  return ids;
}

std::string RunningProcesses() {
  std::string list;
  ForEachProcess([&](const PROCESSENTRY32W& entry) {
    if (!list.empty()) list += ", ";
    list += ExeName(entry) + " (" + std::to_string(entry.th32ProcessID) + ")";
  });
  return list;
}

}  // namespace test_support
