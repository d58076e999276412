// Ending the simulation server the orderly way, as its operator would: through its control item.
#pragma once

#include "ambrel/ambrel.h"

namespace test_support {

// Writes the simulator's shutdown control through that session: the server process revokes its
// classes, asks every advised client to disconnect, then ends. True when the write was taken.
bool WriteShutdownControl(AMBREL_SESSION session);

// The same from a process that holds no session of its own (a GUI test beside Varnel.exe): opens
// one with the class, writes the control, answers the server's requests for 3 s while it goes and
// closes the session. False when no session opened or the write was not taken.
bool ShutDownSimulator(const char* prog_id);

}  // namespace test_support
