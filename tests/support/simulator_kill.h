// Ending the simulation server the hard way, as a crash or a killed process would, and what the
// prefix needs afterwards.
#pragma once

#include <windows.h>

namespace test_support {

// Terminates every hdasim.exe process of the prefix and waits until each has ended. Returns how
// many there were.
int KillSimulator();

// A killed server leaves its class registrations behind in RpcSs, so that later activations of
// its classes fail with RPC_S_SERVER_UNAVAILABLE: restarting the service forgets them. True when
// both steps ran.
bool ForgetKilledServers();

// Both, where a simulator runs: no simulator and no registration of one is left, whatever state
// a hung case or an ended program left it in. Returns how many were killed.
int ClearAwaySimulators();

}  // namespace test_support
