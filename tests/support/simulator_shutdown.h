// Ending the simulation server the orderly way, as its operator would: through its control item.
#pragma once

#include "ambrel/ambrel.h"

namespace test_support {

// Writes the simulator's shutdown control through that session: the server process revokes its
// classes, asks every advised client to disconnect, then ends. True when the write was taken.
bool WriteShutdownControl(AMBREL_SESSION session);

}  // namespace test_support
