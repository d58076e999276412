// varnel-cli read --all: every raw value of one item over a span, read by continuation and
// written to standard output piece by piece as it arrives, so that memory stays the same whatever
// the span holds.
#pragma once

#include <cstdint>

#include "document/user_messages.h"
#include "document/wave.h"
#include "hda/connection_list.h"
#include "hda/raw_continuation.h"
#include "tools/cli/core/wave_table.h"

namespace cli {

struct TStreamedWave {
  // False when the server gave the item no handle or the connection was gone: nothing written.
  bool itemAdded = false;
  hda::TRawReadEnd end = hda::TRawReadEnd::Complete;
  std::uint64_t count = 0;
  double lastTime = 0.0;  // of the last value written
};

// Adds the wave's item to the connection as a wave read does, then writes the table of that one
// wave (the header, then a row per value of [start, stop)) to standard output, and on standard
// error a line every 100000 values. The list's call scope is held for the whole read, so a server
// that shuts down meanwhile is removed when the read is over. The read stops (Cancelled) when
// standard output cannot be written.
TStreamedWave StreamWave(THdaConnectionList& list, ConnectionId connection, const TWave& wave,
                         double start, double stop, TTableFormat format, IUserMessages& messages);

}  // namespace cli
