// In a program whose cases use the simulator, a hung case leaves a simulator behind that may no
// longer serve anyone, and its classes' registrations with it: both go before the program ends,
// so that the programs after it find the prefix as the fixtures left it. A program that the test
// driver ended at its time-out had no such chance, so each program also starts by clearing away
// any simulator it finds (an earlier program's that lingers costs a restart of RpcSs, no more).
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/case_watchdog.h"
#include "tests/support/simulator_kill.h"

namespace {

class NoSimulatorAtStart : public ::testing::Environment {
 public:
  void SetUp() override {
    const int killed = test_support::ClearAwaySimulators();
    if (killed > 0) std::printf("[ PREFIX   ] %d simulator(s) left running were ended\n", killed);
  }
};

[[maybe_unused]] const bool g_registered = [] {
  test_support::SetHungCaseCleanup([] { test_support::ClearAwaySimulators(); });
  // The framework owns the environments it is given.
  ::testing::AddGlobalTestEnvironment(new NoSimulatorAtStart);
  return true;
}();

}  // namespace
