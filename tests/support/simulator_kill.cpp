#include "tests/support/simulator_kill.h"

#include "tests/support/process_ids.h"
#include "tests/support/program_run.h"
#include "win/handle.h"

namespace test_support {

int KillSimulator() {
  int killed = 0;
  for (DWORD id : ProcessIdsOf(L"hdasim.exe")) {
    win::UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
    if (!process || !TerminateProcess(process.Get(), 9)) continue;
    WaitForSingleObject(process.Get(), 10000);
    ++killed;
  }
  return killed;
}

bool ForgetKilledServers() {
  const ProgramRun stopped = RunProgram(L"net.exe stop RpcSs", L"", 60000);
  const ProgramRun started = RunProgram(L"net.exe start RpcSs", L"", 60000);
  return stopped.finished && started.finished && started.exit_code == 0;
}

int ClearAwaySimulators() {
  const int killed = KillSimulator();
  if (killed > 0) ForgetKilledServers();
  return killed;
}

}  // namespace test_support
