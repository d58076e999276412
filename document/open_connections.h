// What a document needs of the main frame's open server connections: which servers they are,
// and reading one wave through one of them. The HDA layer implements it over its connection list;
// tests implement it with made-up histories.
#pragma once

#include <cstddef>
#include <optional>

#include "document/connection_info.h"
#include "document/wave.h"

class IOpenConnections {
 public:
  virtual ~IOpenConnections() = default;

  virtual std::size_t OpenCount() const = 0;
  // The server of the open connection at index (0 <= index < OpenCount()).
  virtual const HdaServerDef& OpenServer(std::size_t index) const = 0;
  // Replaces the wave's T and Y or S with the raw history of its ItemName read through the open
  // connection at index for the period from start to stop. Returns true when the item could not be
  // read at all (unknown to the server, connection without a session); the wave then keeps what
  // it held. A read that returns nothing empties the wave and is not a failure.
  virtual bool ReadWave(std::size_t index, TWave& wave, double start, double stop) = 0;
};

// The first open connection to the same server (exact machine and server names), if any.
inline std::optional<std::size_t> FindOpenConnection(const IOpenConnections& connections,
                                                     const HdaServerDef& server) {
  for (std::size_t i = 0; i < connections.OpenCount(); ++i) {
    if (connections.OpenServer(i).SameServer(server)) return i;
  }
  return std::nullopt;
}
