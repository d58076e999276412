// Every running process of the prefix (or Windows session), one entry at a time, from a snapshot.
#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include "win/handle.h"

namespace test_support {

// Calls `visit` with each running process's entry; nothing when no snapshot could be taken.
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

}  // namespace test_support
