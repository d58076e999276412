// The out-of-process tests run on one single-threaded apartment, as the desktop client does.
// Started with "--child-client <event>", the program is instead a client that a test kills.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "tests/hdasim/child_client.h"
#include "tests/hdasim/hda_client.h"
#include "win/apartment.h"

namespace {

// After the last test every object is released, so the server must go by itself; if it does
// not, it is stopped so that nothing outlives the test program.
class ServerExitCheck : public ::testing::Environment {
 public:
  void TearDown() override {
    if (!hdatest::WaitForNoServer(15000)) {
      ADD_FAILURE() << "hdasim.exe still runs 15 s after the last client released everything";
      hdatest::ShutDownServer();
    }
  }
};

// A crash ends the program with a message instead of waiting in a debugger.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
  std::fprintf(stderr, "hdasim_tests: unhandled exception 0x%08lX\n",
               static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode));
  std::fflush(stderr);
  // The servers this program started would otherwise outlive it, holding its output open.
  for (DWORD pid : hdatest::ServerProcessIds()) {
    if (HANDLE server = OpenProcess(PROCESS_TERMINATE, FALSE, pid)) {
      TerminateProcess(server, 3);
      CloseHandle(server);
    }
  }
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
  SetUnhandledExceptionFilter(ReportCrash);
  if (argc == 3 && std::strcmp(argv[1], "--child-client") == 0)
    return hdatest::RunChildClient(argv[2]);
  const win::Apartment apartment(COINIT_APARTMENTTHREADED);
  if (!apartment) return 1;
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new ServerExitCheck);
  return RUN_ALL_TESTS();
}
