// TReconnectSchedule: the servers whose connection was lost (they stopped answering or shut down,
// not disconnected by the user) and when each is tried again: 5 s after the loss, then 10 s,
// 30 s, and once a minute from then on. Each server is listed once, however often it is lost.
#pragma once

#include <cstdint>
#include <vector>

#include "document/connection_info.h"

class TReconnectSchedule {
 public:
  struct Entry {
    HdaServerDef server;
    double nextTry = 0;  // ms
    int tries = 0;
    // What the last try met (an HRESULT, 0 before the first): a try is logged only when it
    // meets something else.
    std::int32_t lastResult = 0;
  };

  // The wait before try number `tries` + 1: 5 s, 10 s, 30 s, then 60 s.
  static double WaitBefore(int tries);

  // The server went at `now`: its first try comes after the first wait. A server listed already
  // keeps its place and its count.
  void Lost(const HdaServerDef& server, double now);
  // The server needs no more tries: the user connected or disconnected it, or it answered.
  void Forget(const HdaServerDef& server);
  void Clear() { entries_.clear(); }

  // The servers whose wait has run out at `now`, in the order they were lost.
  std::vector<HdaServerDef> Due(double now) const;
  // A try at `now` met `result`: the next one waits longer. True when the result differs from
  // the last try's (the log says so); false for a server not listed.
  bool Failed(const HdaServerDef& server, double now, std::int32_t result);

  bool Empty() const { return entries_.empty(); }
  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  Entry* Find(const HdaServerDef& server);

  std::vector<Entry> entries_;
};
