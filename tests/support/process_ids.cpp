#include "tests/support/process_ids.h"

#include <tlhelp32.h>

#include <cwchar>

#include "win/handle.h"

namespace test_support {

std::vector<DWORD> ProcessIdsOf(const wchar_t* exe_name) {
  std::vector<DWORD> ids;
  win::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot || snapshot.Get() == INVALID_HANDLE_VALUE) {
    snapshot.Release();
    return ids;
  }
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
       more = Process32NextW(snapshot.Get(), &entry))
    if (_wcsicmp(entry.szExeFile, exe_name) == 0) ids.push_back(entry.th32ProcessID);
  return ids;
}

}  // namespace test_support
