// What a document needs of the main frame's open server connections: which one serves a server,
// and reading one wave through it. The HDA layer implements it over its connection list; tests
// implement it with made-up histories.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "document/connection_info.h"
#include "document/wave.h"
#include "graph/envelope_points.h"
#include "graph/time_columns.h"

// Names one open connection. A connection keeps its id while it is open and no later connection
// is given it again, so an id held across reads reaches that connection or none: never another
// server that took its place in the list.
enum class ConnectionId : std::uint32_t {};

class IOpenConnections {
 public:
  virtual ~IOpenConnections() = default;

  // The first open connection to the same server (exact machine and server names), if any.
  virtual std::optional<ConnectionId> FindOpen(const HdaServerDef& server) const = 0;
  // Replaces the wave's T and Y or S with the raw history of its ItemName read through that
  // connection for the period from start to stop. Returns true when the item could not be read at
  // all (the connection is no longer open, the item is unknown to the server, the connection has
  // no session); the wave then keeps what it held. A read that returns nothing empties the wave
  // and is not a failure.
  [[nodiscard]] virtual bool ReadWave(ConnectionId connection, TWave& wave, double start,
                                      double stop) = 0;

  // Reads the wave's item over the columns of `grid` that lie in the period [start, stop) so that
  // the graph draws what every raw value would draw (graph/envelope_points.h): all raw values
  // when the grid holds few enough, else per-column extremes. False, with `envelope` unspecified,
  // when the server cannot give them exactly (values that are not all good numbers) or the read
  // failed. `progress` is told the count of raw values read so far during a long raw read.
  [[nodiscard]] virtual bool ReadEnvelope(ConnectionId connection, const TWave& wave,
                                          const graph::TColumnGrid& grid, double start, double stop,
                                          graph::TEnvelope& envelope,
                                          const std::function<void(std::uint64_t)>& progress) {
    static_cast<void>(connection), static_cast<void>(wave), static_cast<void>(grid);
    static_cast<void>(start), static_cast<void>(stop), static_cast<void>(envelope);
    static_cast<void>(progress);
    return false;
  }

  // The lowest and highest of the wave's values in the period [start, stop) as its server gives
  // them exactly; none when it cannot (as ReadEnvelope).
  virtual std::optional<graph::TValueBounds> ReadBounds(ConnectionId connection, const TWave& wave,
                                                        double start, double stop) {
    static_cast<void>(connection), static_cast<void>(wave), static_cast<void>(start);
    static_cast<void>(stop);
    return std::nullopt;
  }
};
