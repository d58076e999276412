#include "tests/ambrel/ambrel_test_support.h"

#include <objbase.h>

namespace ambrel_test {
namespace {

void __stdcall OnError(HRESULT hr, const char* text) { Errors().push_back({hr, text ? text : ""}); }
void __stdcall OnEvent(const char* text) { Traces().push_back(text ? text : ""); }

// COM on the test thread as the main program has it: a single-threaded apartment, so shutdown
// notices arrive while the thread pumps messages. The callbacks are enabled before anything can
// report, so a test never meets a message box.
class AmbrelEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_NONE,
                         RPC_C_IMP_LEVEL_IDENTIFY, nullptr, EOAC_NONE, nullptr);
    EXPECT_EQ(EnableHDAErrorNotification(&OnError), TRUE);
    EXPECT_EQ(EnableHDAEventMsgs(&OnEvent), TRUE);
  }
  void TearDown() override { CoUninitialize(); }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new AmbrelEnvironment);

}  // namespace

std::vector<Report>& Errors() {
  static std::vector<Report> errors;
  return errors;
}

std::vector<std::string>& Traces() {
  static std::vector<std::string> traces;
  return traces;
}

void ClearReports() {
  Errors().clear();
  Traces().clear();
}

Words Split(const FILETIME& time) { return {time.dwLowDateTime, time.dwHighDateTime}; }

FILETIME FromTicks(std::uint64_t ticks) {
  FILETIME time;
  time.dwLowDateTime = static_cast<DWORD>(ticks);
  time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return time;
}

std::uint64_t Ticks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME Utc(int year, int month, int day, int hour, int minute, int second) {
  SYSTEMTIME system{};
  system.wYear = static_cast<WORD>(year);
  system.wMonth = static_cast<WORD>(month);
  system.wDay = static_cast<WORD>(day);
  system.wHour = static_cast<WORD>(hour);
  system.wMinute = static_cast<WORD>(minute);
  system.wSecond = static_cast<WORD>(second);
  FILETIME time{};
  SystemTimeToFileTime(&system, &time);
  return time;
}

}  // namespace ambrel_test
