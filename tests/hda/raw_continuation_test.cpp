// The continuation's bookkeeping against a model server that answers as the HDA read does (values
// in [from, stop), at most the count asked and its own cap per call, more-data when it holds more)
// but may keep many values at one time stamp, which no real server here can; and single answers of
// servers that break the rules.
#include "hda/raw_continuation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace {

using hda::TRawAnswerUse;
using hda::TRawContinuation;
using hda::TRawReadEnd;
using Times = std::vector<std::uint64_t>;

constexpr std::uint64_t kNoLimit = std::numeric_limits<std::uint64_t>::max();
constexpr std::uint32_t kCapacity = 32000;

std::vector<FILETIME> FileTimes(const Times& times) {
  std::vector<FILETIME> files;
  for (std::uint64_t t : times) {
    files.push_back(FILETIME{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)});
  }
  return files;
}

// `count` values at t, t + 1, ...
Times Series(std::uint64_t t, std::size_t count, std::uint64_t step = 1) {
  Times times;
  for (std::size_t i = 0; i < count; ++i) times.push_back(t + i * step);
  return times;
}

Times Join(std::initializer_list<Times> parts) {
  Times all;
  for (const Times& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

struct TDriven {
  Times handed;
  std::optional<TRawReadEnd> end;
  int calls = 0;
};

// Reads [start, stop) of `history` (sorted) from a server that gives at most `cap` values a call.
TDriven Drive(const Times& history, std::uint32_t cap, std::uint64_t start, std::uint64_t stop,
              std::uint64_t limit) {
  TDriven driven;
  TRawContinuation continuation(start, stop, limit);
  while (driven.calls < 100000) {
    ++driven.calls;
    const std::uint32_t most = std::min(continuation.Ask(kCapacity), cap);
    Times answer;
    bool more = false;
    for (std::uint64_t t : history) {
      if (t < continuation.From() || t >= stop) continue;
      if (answer.size() == most) {
        more = true;
        break;
      }
      answer.push_back(t);
    }
    const std::vector<FILETIME> files = FileTimes(answer);
    const TRawAnswerUse use =
        continuation.Take(files.data(), static_cast<std::uint32_t>(answer.size()), more);
    driven.handed.insert(driven.handed.end(), answer.begin() + use.skip,
                         answer.begin() + use.skip + use.fresh);
    EXPECT_EQ(continuation.Count(), driven.handed.size());
    if (use.end) {
      driven.end = use.end;
      return driven;
    }
  }
  ADD_FAILURE() << "the read never ended";
  return driven;
}

struct TModelCase {
  const char* name;
  Times history;
  std::uint32_t cap;
  std::uint64_t start;
  std::uint64_t stop;
  std::uint64_t limit;
  std::size_t handed;  // the first values of the span handed on, each once and in order
  TRawReadEnd end;
  int calls;  // 0: not checked
};

TEST(RawContinuation, HandsOnEachValueOfTheSpanOnceInOrder) {
  const Times triples = [] {
    Times times;
    for (std::uint64_t t = 0; t < 100; ++t) times.insert(times.end(), 3, t * 10);
    return times;
  }();
  const TModelCase cases[] = {
      {"one call", Series(0, 500), 100000, 0, 1000, kNoLimit, 500, TRawReadEnd::Complete, 1},
      // Each continuation repeats the last value: 1000 new ones, then 999 a call.
      {"server cap", Series(0, 2998), 1000, 0, 5000, kNoLimit, 2998, TRawReadEnd::Complete, 3},
      {"cap, one more", Series(0, 2999), 1000, 0, 5000, kNoLimit, 2999, TRawReadEnd::Complete, 4},
      {"span inside history", Series(0, 100), 7, 10, 20, kNoLimit, 10, TRawReadEnd::Complete, 0},
      {"the limit", Series(0, 40000), 100000, 0, 50000, 32000, 32000, TRawReadEnd::Limit, 1},
      {"exactly the limit", Series(0, 32000), 1000, 0, 50000, 32000, 32000, TRawReadEnd::Complete,
       0},
      {"the limit and one", Series(0, 32001), 1000, 0, 50000, 32000, 32000, TRawReadEnd::Limit, 0},
      {"limit below the cap", Series(0, 50), 1000, 0, 100, 10, 10, TRawReadEnd::Limit, 1},
      // Three values a time stamp, calls that end inside a triple.
      {"shared stamps", triples, 10, 0, 1000, kNoLimit, 300, TRawReadEnd::Complete, 0},
      {"shared stamps, limit", triples, 10, 0, 1000, 31, 31, TRawReadEnd::Limit, 0},
      // One value fewer at one stamp than a call gives: the call from that stamp gets past it.
      {"a call but one at one stamp", Join({{1}, Times(9, 5), {6, 7}}), 10, 0, 100, kNoLimit, 12,
       TRawReadEnd::Complete, 3},
      // As many as a call gives: a call from that stamp never reaches the next one.
      {"a full call at one stamp", Join({{1}, Times(10, 5), {6, 7}}), 10, 0, 100, kNoLimit, 11,
       TRawReadEnd::NoProgress, 3},
      // More at one stamp than a call gives: the read cannot get past them.
      {"many at one stamp", Join({{1, 2, 3}, Times(50, 5), {6, 7}}), 10, 0, 100, kNoLimit, 13,
       TRawReadEnd::NoProgress, 3},
      {"only one stamp", Times(50, 5), 10, 0, 100, kNoLimit, 10, TRawReadEnd::NoProgress, 2},
      {"nothing", {}, 10, 0, 100, kNoLimit, 0, TRawReadEnd::Complete, 1},
  };
  for (const TModelCase& c : cases) {
    SCOPED_TRACE(c.name);
    Times span;
    for (std::uint64_t t : c.history) {
      if (t >= c.start && t < c.stop) span.push_back(t);
    }
    const TDriven driven = Drive(c.history, c.cap, c.start, c.stop, c.limit);
    ASSERT_LE(c.handed, span.size());
    EXPECT_EQ(driven.handed, Times(span.begin(), span.begin() + c.handed));
    EXPECT_EQ(driven.end, c.end);
    if (c.calls != 0) {
      EXPECT_EQ(driven.calls, c.calls);
    }
  }
}

struct TAnswer {
  Times times;
  bool more;
  std::uint32_t ask;  // what the continuation asks for before this answer
  std::uint32_t skip;
  std::uint32_t fresh;
  std::optional<TRawReadEnd> end;
};

struct TAnswersCase {
  const char* name;
  std::uint64_t limit;
  std::vector<TAnswer> answers;
};

// Servers that do not answer as the model does.
TEST(RawContinuation, AnswersOutsideTheRules) {
  const TAnswersCase cases[] = {
      {"no repeat of the last value",
       kNoLimit,
       {{{1, 2, 3}, true, kCapacity, 0, 3, std::nullopt},
        {{4, 5}, false, kCapacity, 0, 2, TRawReadEnd::Complete}}},
      {"back in time",
       kNoLimit,
       {{{10, 11, 12}, true, kCapacity, 0, 3, std::nullopt},
        {{1, 2, 3}, true, kCapacity, 0, 0, TRawReadEnd::NoProgress}}},
      // Values beyond the limit in the answer itself: the server holds more, flag or not.
      {"more values than asked, no flag",
       3,
       {{{1, 2, 3, 4, 5}, false, 3, 0, 3, TRawReadEnd::Limit}}},
      {"more data without values", kNoLimit, {{{}, true, kCapacity, 0, 0, TRawReadEnd::Complete}}},
      // The values the next answer repeats are asked for on top of what the limit leaves.
      {"repeats asked for",
       6,
       {{{1, 2, 2}, true, 6, 0, 3, std::nullopt},
        {{2, 2, 3, 4, 5}, true, 5, 2, 3, TRawReadEnd::Limit}}},
      {"fewer repeats than handed on",
       kNoLimit,
       {{{1, 2, 2}, true, kCapacity, 0, 3, std::nullopt},
        {{2, 3}, false, kCapacity, 1, 1, TRawReadEnd::Complete}}},
      {"a value at the end of the span",
       kNoLimit,
       {{{1, 100}, true, kCapacity, 0, 2, TRawReadEnd::Complete}}},
  };
  for (const TAnswersCase& c : cases) {
    SCOPED_TRACE(c.name);
    TRawContinuation continuation(0, 100, c.limit);
    for (const TAnswer& answer : c.answers) {
      EXPECT_EQ(continuation.Ask(kCapacity), answer.ask);
      const std::vector<FILETIME> files = FileTimes(answer.times);
      const TRawAnswerUse use = continuation.Take(
          files.data(), static_cast<std::uint32_t>(answer.times.size()), answer.more);
      EXPECT_EQ(use.skip, answer.skip);
      EXPECT_EQ(use.fresh, answer.fresh);
      EXPECT_EQ(use.end, answer.end);
    }
  }
}

TEST(RawContinuation, TimesUseAllSixtyFourBits) {
  // Two values apart only in the high word of the FILETIME, then a continuation from the second.
  const std::uint64_t high = std::uint64_t{0x01D7568F} << 32;
  TRawContinuation continuation(0, high + (std::uint64_t{2} << 32), kNoLimit);
  const std::vector<FILETIME> first = FileTimes({high, high + (std::uint64_t{1} << 32)});
  EXPECT_FALSE(continuation.Take(first.data(), 2, true).end);
  EXPECT_EQ(continuation.From(), high + (std::uint64_t{1} << 32));
  const std::vector<FILETIME> second = FileTimes({high + (std::uint64_t{1} << 32)});
  const TRawAnswerUse use = continuation.Take(second.data(), 1, true);
  EXPECT_EQ(use.skip, 1u);
  EXPECT_EQ(use.end, TRawReadEnd::NoProgress);
}

}  // namespace
