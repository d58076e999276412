// Ends a test program whose case has run far longer than any case of ours takes, after naming
// that case: a call that never returns (a server that no longer serves, a wedged service of the
// prefix) would otherwise hold the program until the test driver's time-out and leave no word of
// where it hung. Linked into every Windows test program (an object library); it installs itself.
// The programs the hung program started go with it: under Wine they hold its standard output, and
// the test driver would wait for them to its own time-out.
#include "tests/support/case_watchdog.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/process_snapshot.h"

namespace {

// The longest case of ours takes well under a minute, even under load.
constexpr ULONGLONG kCaseLimitMs = 120000;
constexpr UINT kExitHung = 124;

void (*g_cleanup)() = nullptr;
void (*g_report)() = nullptr;

// When the process was made; 0 when it cannot be told.
ULONGLONG CreationTime(HANDLE process) {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

// Ends every process this one started, and theirs, naming each. A process whose parent's id is
// ours but that is older than we are had a parent of that id before us and is left alone.
void EndStartedProcesses() {
  std::multimap<DWORD, std::pair<DWORD, std::string>> children;
  test_support::ForEachProcess([&](const PROCESSENTRY32W& entry) {
    children.emplace(entry.th32ParentProcessID,
                     std::make_pair(entry.th32ProcessID, test_support::ExeName(entry)));
  });
  const ULONGLONG born = CreationTime(GetCurrentProcess());
  std::vector<DWORD> parents{GetCurrentProcessId()};
  while (!parents.empty()) {
    const DWORD parent = parents.back();
    parents.pop_back();
    const auto [first, last] = children.equal_range(parent);
    for (auto it = first; it != last; ++it) {
      const auto& [id, name] = it->second;
      if (id == parent) continue;
      win::UniqueKernelHandle process(OpenProcess(
          PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, id));
      if (!process || CreationTime(process.Get()) < born) continue;
      parents.push_back(id);
      const bool ended = TerminateProcess(process.Get(), kExitHung) &&
                         WaitForSingleObject(process.Get(), 10000) == WAIT_OBJECT_0;
      std::fprintf(stderr, "[ WATCHDOG ] %s (%lu), started by this program, %s\n", name.c_str(), id,
                   ended ? "ended" : "could not be ended");
    }
  }
  std::fflush(stderr);
}

class CaseWatchdog final : public ::testing::EmptyTestEventListener {
 public:
  CaseWatchdog() {
    // The watchdog's own test gives a shorter limit.
    if (const char* seconds = std::getenv("VARNEL_CASE_LIMIT_S"); seconds && *seconds)
      limit_ms_ = std::strtoull(seconds, nullptr, 10) * 1000;
    std::thread([this] { Watch(); }).detach();
  }

  void OnTestStart(const ::testing::TestInfo& info) override {
    const std::lock_guard<std::mutex> lock(mutex_);
    name_ = std::string(info.test_suite_name()) + "." + info.name();
    started_ = GetTickCount64();
    running_ = true;
  }

  void OnTestEnd(const ::testing::TestInfo&) override {
    const std::lock_guard<std::mutex> lock(mutex_);
    running_ = false;
  }

 private:
  [[noreturn]] void Watch() {
    for (;;) {
      Sleep(1000);
      const std::lock_guard<std::mutex> lock(mutex_);
      const ULONGLONG ran = GetTickCount64() - started_;
      if (!running_ || ran < limit_ms_) continue;
      std::fflush(stdout);
      std::fprintf(stderr, "[ WATCHDOG ] %s has run for %llu s and is ended with its program\n",
                   name_.c_str(), static_cast<unsigned long long>(ran / 1000));
      std::fflush(stderr);
      if (g_report) g_report();
      if (g_cleanup) g_cleanup();
      EndStartedProcesses();
      TerminateProcess(GetCurrentProcess(), kExitHung);
    }
  }

  ULONGLONG limit_ms_ = kCaseLimitMs;
  std::mutex mutex_;
  std::string name_;
  ULONGLONG started_ = 0;
  bool running_ = false;
};

// The listeners own what they are given.
[[maybe_unused]] const bool g_installed = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new CaseWatchdog);
  return true;
}();

}  // namespace

namespace test_support {

void SetHungCaseCleanup(void (*cleanup)()) { g_cleanup = cleanup; }

void SetHungCaseReport(void (*report)()) { g_report = report; }

}  // namespace test_support
