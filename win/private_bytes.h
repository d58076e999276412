// The process's committed private memory, for leak checks and memory figures. Counted over the
// address space with VirtualQuery: Wine leaves GetProcessMemoryInfo's private usage at 0, and a
// counter that always reads 0 makes every "did not grow" comparison pass.
#pragma once

#include <cstdint>

namespace win {

// Bytes of committed private memory of this process. A running process always has some: 0 means
// the count failed, and is reported (win::Report) where it happens.
std::uint64_t PrivateBytes();

}  // namespace win
