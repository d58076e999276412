#include "document/reconnect_schedule.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<double, 4> kWaitsMs = {5000.0, 10000.0, 30000.0, 60000.0};

}  // namespace

double TReconnectSchedule::WaitBefore(int tries) {
  const auto step =
      static_cast<std::size_t>(std::clamp(tries, 0, static_cast<int>(kWaitsMs.size()) - 1));
  return kWaitsMs[step];
}

void TReconnectSchedule::Lost(const HdaServerDef& server, double now) {
  if (Find(server) != nullptr) return;
  Entry entry;
  entry.server = server;
  entry.nextTry = now + WaitBefore(0);
  entries_.push_back(entry);
}

void TReconnectSchedule::Forget(const HdaServerDef& server) {
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                [&](const Entry& e) { return e.server.SameServer(server); }),
                 entries_.end());
}

std::vector<HdaServerDef> TReconnectSchedule::Due(double now) const {
  std::vector<HdaServerDef> due;
  for (const Entry& e : entries_) {
    if (now >= e.nextTry) due.push_back(e.server);
  }
  return due;
}

bool TReconnectSchedule::Failed(const HdaServerDef& server, double now, std::int32_t result) {
  Entry* entry = Find(server);
  if (entry == nullptr) return false;
  ++entry->tries;
  entry->nextTry = now + WaitBefore(entry->tries);
  const bool changed = entry->tries == 1 || entry->lastResult != result;
  entry->lastResult = result;
  return changed;
}

TReconnectSchedule::Entry* TReconnectSchedule::Find(const HdaServerDef& server) {
  auto found = std::find_if(entries_.begin(), entries_.end(),
                            [&](const Entry& e) { return e.server.SameServer(server); });
  return found == entries_.end() ? nullptr : &*found;
}
