#include "hda/raw_continuation.h"

#include <algorithm>

#include "hda/wave_conversion.h"

namespace hda {

TRawContinuation::TRawContinuation(std::uint64_t start, std::uint64_t stop, std::uint64_t limit)
    : stop_(stop), limit_(limit), from_(start) {}

std::uint32_t TRawContinuation::Ask(std::uint32_t capacity) const {
  // atLastTime_ <= count_ <= limit_: no overflow, also with the largest limit.
  const std::uint64_t wanted = limit_ - count_ + atLastTime_;
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(wanted, capacity));
}

TRawAnswerUse TRawContinuation::Take(const FILETIME* times, std::uint32_t count, bool more) {
  TRawAnswerUse use;
  while (use.skip < count && use.skip < atLastTime_ && TicksOf(times[use.skip]) == lastTime_) {
    ++use.skip;
  }
  const std::uint32_t rest = count - use.skip;
  // A server that answers from before the time asked for would have the read go round in circles.
  if (rest > 0 && count_ > 0 && TicksOf(times[use.skip]) < lastTime_) {
    use.end = TRawReadEnd::NoProgress;
    return use;
  }
  use.fresh = static_cast<std::uint32_t>(std::min<std::uint64_t>(rest, limit_ - count_));
  if (use.fresh > 0) {
    const FILETIME* fresh = times + use.skip;
    const std::uint64_t last = TicksOf(fresh[use.fresh - 1]);
    std::uint64_t trailing = 0;
    while (trailing < use.fresh && TicksOf(fresh[use.fresh - 1 - trailing]) == last) ++trailing;
    atLastTime_ = trailing == use.fresh && last == lastTime_ ? atLastTime_ + trailing : trailing;
    lastTime_ = last;
    count_ += use.fresh;
  }

  if (use.fresh < rest) {
    // This very answer holds values beyond the limit, whatever the server says of more.
    use.end = TRawReadEnd::Limit;
  } else if (!more || count == 0) {
    use.end = TRawReadEnd::Complete;
  } else if (count_ >= limit_) {
    use.end = TRawReadEnd::Limit;
  } else if (use.fresh == 0) {
    use.end = TRawReadEnd::NoProgress;
  } else {
    from_ = lastTime_;
    if (from_ >= stop_) use.end = TRawReadEnd::Complete;
  }
  return use;
}

}  // namespace hda
