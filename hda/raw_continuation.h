// The bookkeeping of a raw read by continuation, without the server: how many values the next
// call asks for and from when, which values of an answer repeat ones already handed on, and when
// the read is over. A server answers a continuation from the time of the last value it returned,
// so the answer begins with the values at that time already handed on; several values may share
// one time stamp.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

namespace hda {

enum class TRawReadEnd {
  Complete,    // every value of the span was read
  Limit,       // the limit was reached and the server holds more
  NoProgress,  // the server kept answering values already read (many at one time stamp)
  Cancelled,   // the piece handler asked to stop
  ServerLost,  // the server stopped answering; the connection is lost
};

// What to do with one answer: hand on `fresh` values after the first `skip`, and make no further
// call when `end` is set.
struct TRawAnswerUse {
  std::uint32_t skip = 0;
  std::uint32_t fresh = 0;
  std::optional<TRawReadEnd> end;
};

// Times in FILETIME units; [start, stop) is the span read.
class TRawContinuation {
 public:
  TRawContinuation(std::uint64_t start, std::uint64_t stop, std::uint64_t limit);

  // The start time of the next call.
  std::uint64_t From() const { return from_; }
  // The number of values the next call asks for: what the limit leaves, plus the values the
  // server will repeat, at most `capacity`.
  std::uint32_t Ask(std::uint32_t capacity) const;
  // Takes the answer to a call made with From() and Ask(): the times of its `count` values, in
  // order, and whether the server said it holds more. The fresh values count as handed on.
  TRawAnswerUse Take(const FILETIME* times, std::uint32_t count, bool more);

  // Values handed on so far.
  std::uint64_t Count() const { return count_; }
  // The time of the last value handed on (0 before the first).
  std::uint64_t LastTime() const { return lastTime_; }

 private:
  std::uint64_t stop_;
  std::uint64_t limit_;
  std::uint64_t from_;
  std::uint64_t count_ = 0;
  std::uint64_t lastTime_ = 0;
  // The values handed on at lastTime_: the ones the next answer repeats.
  std::uint64_t atLastTime_ = 0;
};

}  // namespace hda
