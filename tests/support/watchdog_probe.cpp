// The watchdog seen from outside (run_watchdog_test.sh): a case that starts a copy of this program
// and then hangs. The watchdog has to name the case, end the copy and end this program, so that
// whoever reads the program's output sees it close.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "win/handle.h"

namespace {

// Run only as the copy: waits for ever.
TEST(Hold, Forever) { Sleep(INFINITE); }

TEST(Watchdog, HungCaseEndsWithWhatItStarted) {
  wchar_t self[MAX_PATH] = {};
  ASSERT_NE(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_filter=Hold.Forever";
  // The copy's own watchdog must not end it first.
  SetEnvironmentVariableW(L"VARNEL_CASE_LIMIT_S", L"3600");
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &info))
      << "error " << GetLastError();
  win::UniqueKernelHandle process(info.hProcess);
  win::UniqueKernelHandle thread(info.hThread);
  std::printf("copy started: %lu\n", info.dwProcessId);
  std::fflush(stdout);
  Sleep(INFINITE);
}

}  // namespace
