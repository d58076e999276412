// The value functions as tools/hdasim/README.md documents them, written again for the tests.
#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>

#include "tests/hdasim/hda_client.h"

namespace expected {

using hdatest::Ticks;

inline double Phase(Ticks t, Ticks cycle, Ticks shift = 0) {
  Ticks m = (t + shift) % cycle;
  if (m < 0) m += cycle;
  return static_cast<double>(m) / static_cast<double>(cycle);
}
inline double Sine(Ticks t, Ticks cycle, double low, double high, Ticks shift = 0) {
  return (low + high) / 2 +
         (high - low) / 2 * std::sin(2 * std::numbers::pi * Phase(t, cycle, shift));
}
inline double Ramp(Ticks t, Ticks cycle, double low, double high) {
  return low + (high - low) * Phase(t, cycle);
}
inline double Saw(Ticks t, Ticks cycle, double low, double high) {
  return high - (high - low) * Phase(t, cycle);
}
inline double Square(Ticks t, Ticks cycle, double low, double high) {
  return Phase(t, cycle) < 0.5 ? high : low;
}
inline double Triangle(Ticks t, Ticks cycle, double low, double high) {
  return (low + high) / 2 + (high - low) / 2 * (1 - 4 * std::fabs(Phase(t, cycle) - 0.5));
}

inline std::uint64_t Mix64(std::uint64_t x) {
  std::uint64_t z = x + 0x9E3779B97F4A7C15ULL;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

inline double RandomWalk(Ticks t, Ticks period, std::uint64_t seed, double low, double high) {
  const Ticks k = t / period;
  int sum = 0;
  for (Ticks j = k - 63; j <= k; ++j)
    sum += (Mix64(Mix64(seed) ^ static_cast<std::uint64_t>(j)) & 1) ? 1 : -1;
  return (low + high) / 2 + (high - low) / 2 * sum / 64;
}

inline std::wstring Clock(Ticks t) {
  const long long s = (t / hdatest::kSecond) % 86400;
  wchar_t text[16];
  std::swprintf(text, 16, L"%02lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  return text;
}

}  // namespace expected
