#include "tests/support/process_ids.h"

#include <tlhelp32.h>

#include <cwchar>

#include "win/handle.h"

namespace test_support {

namespace {

// Calls `visit` with each running process's entry.
template <typename Visit>
void ForEachProcess(Visit visit) {
  win::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot || snapshot.Get() == INVALID_HANDLE_VALUE) {
    snapshot.Release();
    return;
  }
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
       more = Process32NextW(snapshot.Get(), &entry))
    visit(entry);
}

}  // namespace

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
    for (const wchar_t* c = entry.szExeFile; *c; ++c)
      list += *c < 128 ? static_cast<char>(*c) : '?';
    list += " (" + std::to_string(entry.th32ProcessID) + ")";
  });
  return list;
}

}  // namespace test_support
