// Every running process of the prefix (or Windows session), one entry at a time, from a snapshot.
#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include <string>

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

// A process's executable name for messages: ASCII, "?" for the rest.
inline std::string ExeName(const PROCESSENTRY32W& entry) {
  std::string name;
  for (const wchar_t* c = entry.szExeFile; *c; ++c) name += *c < 128 ? static_cast<char>(*c) : '?';
  return name;
}

}  // namespace test_support
