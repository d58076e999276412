#include "tools/hdasim/server/simulation.h"

#include <windows.h>

#include <algorithm>

#include "tools/hdasim/server/hda_time.h"

namespace hdasim {

bool ParseOffsetMs(const wchar_t* text, std::int64_t* ms) {
  if (!text || !*text) return false;
  bool negative = false;
  if (*text == L'-' || *text == L'+') negative = *text++ == L'-';
  if (!*text) return false;
  std::int64_t value = 0;
  for (; *text; ++text) {
    if (*text < L'0' || *text > L'9') return false;
    value = value * 10 + (*text - L'0');
    if (value > 1'000'000'000'000'000LL) return false;
  }
  *ms = negative ? -value : value;
  return true;
}

Simulation::Simulation() {
  wchar_t text[64] = {};
  const DWORD length = GetEnvironmentVariableW(L"HDASIM_CLOCK_OFFSET_MS", text, 64);
  if (length > 0 && length < 64) ParseOffsetMs(text, &offset_ms_);
  start_time_ = Now();
  wchar_t node[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  if (GetComputerNameW(node, &size)) node_name_.assign(node, size);
}

Simulation& Simulation::Instance() {
  static Simulation simulation;
  return simulation;
}

Ticks Simulation::Now() const {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  return TicksOf(ft) + offset_ms_ * kTicksPerMillisecond;
}

Overlay* Simulation::FindOverlay(int item) {
  auto found = overlays_.find(item);
  return found == overlays_.end() ? nullptr : &found->second;
}

void Simulation::RemoveServer(HdaServer* server) {
  servers_.erase(std::remove(servers_.begin(), servers_.end(), server), servers_.end());
}

void Simulation::RequestShutdown() {
  if (shutdown_handler_) shutdown_handler_();
}

}  // namespace hdasim
