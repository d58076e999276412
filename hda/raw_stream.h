// The raw values of one item over a span, read by continuation one call at a time: the caller
// decides when to make the next call (a read of several items in step, a window that paints
// between calls). ReadRawByContinuation runs one to its end.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "document/user_messages.h"
#include "hda/hda_connection.h"
#include "hda/raw_continuation.h"
#include "hda/wave_conversion.h"
#include "text/tstring.h"

namespace hda {

// New values of one call: the first `count` entries of the three rows.
struct TRawPiece {
  const FILETIME* times = nullptr;
  const VARIANT* values = nullptr;
  const DWORD* qualities = nullptr;
  std::uint32_t count = 0;
};

struct TRawReadRequest {
  DWORD serverHandle = 0;
  std::uint64_t start = 0;  // FILETIME units, included
  std::uint64_t stop = 0;   // FILETIME units, excluded
  std::uint64_t limit = kMaxValuesPerRead;
  // Names the item in the log.
  TString label;
};

class TRawStream {
 public:
  explicit TRawStream(const TRawReadRequest& request);
  ~TRawStream();
  TRawStream(const TRawStream&) = delete;
  TRawStream& operator=(const TRawStream&) = delete;

  // Makes the next call through `connection` and returns its new values, valid until the next
  // call; an answer of values already read gives an empty piece. Nothing once the read is over
  // (End() says why). A lost server ends the read with ServerLost, after telling `messages`; a
  // failed call ends it as if the span were complete (the server said nothing more). The log
  // gets one line when the read stops without progress.
  std::optional<TRawPiece> Next(THdaConnection& connection, IUserMessages& messages);
  // Ends the read as the caller asked (TRawReadEnd::Cancelled) or as it found it (ServerLost).
  void Stop(TRawReadEnd end) { end_ = end; }

  // Set once the read is over.
  const std::optional<TRawReadEnd>& End() const { return end_; }
  std::uint64_t Count() const { return continuation_.Count(); }
  std::uint32_t Calls() const { return calls_; }

 private:
  struct Rows;

  TRawReadRequest request_;
  TRawContinuation continuation_;
  std::unique_ptr<Rows> rows_;
  std::uint32_t filled_ = 0;  // values of the last call, cleared before the next
  std::uint32_t calls_ = 0;
  std::optional<TRawReadEnd> end_;
};

}  // namespace hda
