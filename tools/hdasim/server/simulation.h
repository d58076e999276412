// State shared by every server object of the process: the clock, what clients wrote, and the
// list of live server objects that a shutdown must reach.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "tools/hdasim/core/catalog.h"
#include "tools/hdasim/core/overlay.h"

namespace hdasim {

class HdaServer;

// Server limit on values per item and call (0 would mean no limit).
constexpr std::uint32_t kMaxReturnValues = 100000;

class Simulation {
 public:
  static Simulation& Instance();

  // The system clock shifted by HDASIM_CLOCK_OFFSET_MS (read once, at start).
  Ticks Now() const;
  Ticks StartTime() const { return start_time_; }
  std::int64_t ClockOffsetMs() const { return offset_ms_; }
  const std::wstring& NodeName() const { return node_name_; }

  // Null when nothing was ever written to the item.
  Overlay* FindOverlay(int item);
  Overlay& OverlayFor(int item) { return overlays_[item]; }
  void ResetOverlays() { overlays_.clear(); }

  void AddServer(HdaServer* server) { servers_.push_back(server); }
  void RemoveServer(HdaServer* server);
  const std::vector<HdaServer*>& Servers() const { return servers_; }

  // A client wrote the shutdown control; the host acts on it once the call has returned.
  void RequestShutdown();
  void SetShutdownHandler(void (*handler)()) { shutdown_handler_ = handler; }

 private:
  Simulation();

  std::int64_t offset_ms_ = 0;
  Ticks start_time_ = 0;
  std::wstring node_name_;
  std::unordered_map<int, Overlay> overlays_;
  std::vector<HdaServer*> servers_;
  void (*shutdown_handler_)() = nullptr;
};

// Parses a signed decimal number of milliseconds; nothing for anything else.
bool ParseOffsetMs(const wchar_t* text, std::int64_t* ms);

}  // namespace hdasim
