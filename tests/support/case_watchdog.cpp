// Ends a test program whose case has run far longer than any case of ours takes, after naming
// that case: a call that never returns (a server that no longer serves, a wedged service of the
// prefix) would otherwise hold the program until the test driver's time-out and leave no word of
// where it hung. Linked into every Windows test program (an object library); it installs itself.
#include "tests/support/case_watchdog.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

namespace {

// The longest case of ours takes well under a minute, even under load.
constexpr ULONGLONG kCaseLimitMs = 120000;
constexpr UINT kExitHung = 124;

void (*g_cleanup)() = nullptr;

class CaseWatchdog final : public ::testing::EmptyTestEventListener {
 public:
  CaseWatchdog() {
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
      if (!running_ || ran < kCaseLimitMs) continue;
      std::fflush(stdout);
      std::fprintf(stderr, "[ WATCHDOG ] %s has run for %llu s and is ended with its program\n",
                   name_.c_str(), static_cast<unsigned long long>(ran / 1000));
      std::fflush(stderr);
      if (g_cleanup) g_cleanup();
      TerminateProcess(GetCurrentProcess(), kExitHung);
    }
  }

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

}  // namespace test_support
