// Reading the raw values of one item over a span by continuation: a server that answers fewer
// values than asked and says more are there (OPC_S_MOREDATA) is asked again from the time of the
// last value it returned, until the span is read, a limit is reached or the server stops making
// progress. The values arrive in pieces, in time order, each value once.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <functional>

#include "document/user_messages.h"
#include "hda/hda_connection.h"
#include "hda/raw_continuation.h"
#include "hda/raw_stream.h"
#include "hda/wave_conversion.h"

namespace hda {

struct TRawReadResult {
  std::uint64_t count = 0;  // values handed to the piece handler
  TRawReadEnd end = TRawReadEnd::Complete;
  std::uint32_t calls = 0;
};

// Returns false to stop the read (TRawReadEnd::Cancelled).
using TRawPieceHandler = std::function<bool(const TRawPiece&)>;

// Reads [start, stop) of the item. A failed call ends the read as if the span were complete
// (the server said nothing more); a lost server ends it with ServerLost, after telling
// `messages`. The log gets one line when the read stops without progress.
TRawReadResult ReadRawByContinuation(THdaConnection& connection, const TRawReadRequest& request,
                                     const TRawPieceHandler& onPiece, IUserMessages& messages);

}  // namespace hda
