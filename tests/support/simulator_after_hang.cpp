// In a program whose cases use the simulator, a hung case leaves a simulator behind that waits for
// a client about to end, and its classes' registrations with it: both go before the program ends,
// so that the programs after it find the prefix as the fixtures left it.
#include "tests/support/case_watchdog.h"
#include "tests/support/simulator_kill.h"

namespace {

[[maybe_unused]] const bool g_registered = [] {
  test_support::SetHungCaseCleanup([] {
    if (test_support::KillSimulator() > 0) test_support::ForgetKilledServers();
  });
  return true;
}();

}  // namespace
