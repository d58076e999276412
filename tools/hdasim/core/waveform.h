// The functions behind the simulated items: every value is computed from the sample time alone.
#pragma once

#include <cstdint>
#include <string>

#include "tools/hdasim/core/ticks.h"

namespace hdasim {

enum class Shape : std::uint8_t {
  kSine,        // mid + half * sin(2 pi f)
  kRamp,        // low + (high - low) * f
  kSaw,         // high - (high - low) * f
  kSquare,      // high while f < 0.5, else low
  kTriangle,    // mid + half * (1 - 4 |f - 0.5|): low at f = 0, high at f = 0.5
  kRandomWalk,  // mid + half * (sum of the last 64 hashed steps) / 64
};

// f is the phase of the cycle: ((t + phase) mod cycle) / cycle.
struct Wave {
  Shape shape = Shape::kSine;
  Ticks cycle = kTicksPerMinute;
  double low = 0;
  double high = 1;
  Ticks phase = 0;
  std::uint64_t seed = 0;  // random walk only
};

// Value of the wave at sample time t; `period` is the item's sample period, which numbers the
// random walk's steps (step j belongs to the sample at j * period).
double WaveValue(const Wave& wave, Ticks t, Ticks period);

// The random walk's value for a window sum of `sum` (-64..64): what WaveValue gives for a sample
// whose last 64 steps add up to it.
double RandomWalkValue(const Wave& wave, int sum);

// The SplitMix64 output function; the random walk's step j is +1 when
// Mix64(Mix64(seed) ^ j) is odd, else -1.
inline std::uint64_t Mix64(std::uint64_t x) {
  std::uint64_t z = x + 0x9E3779B97F4A7C15ULL;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}
constexpr int kRandomWalkWindow = 64;

// "HH:MM:SS" of the UTC time of day, and a number with exactly three decimals ("-12.345").
std::wstring ClockText(Ticks t);
std::wstring FixedText(double value);

}  // namespace hdasim
