#include "win/private_bytes.h"

#include <windows.h>

#include "win/report.h"

namespace win {

std::uint64_t PrivateBytes() {
  std::uint64_t total = 0;
  MEMORY_BASIC_INFORMATION region;
  const char* address = nullptr;
  while (VirtualQuery(address, &region, sizeof(region)) == sizeof(region)) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= address) break;
    address = next;
  }
  if (total == 0) Report("PrivateBytes: no committed private memory found (VirtualQuery failed)");
  return total;
}

}  // namespace win
