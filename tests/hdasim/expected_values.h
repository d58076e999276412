// The value functions as tools/hdasim/README.md documents them, written again for the tests.
#pragma once

#include <cmath>
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
  return (low + high) / 2 + (high - low) / 2 * std::sin(2 * std::numbers::pi * Phase(t, cycle, shift));
}
inline double Ramp(Ticks t, Ticks cycle, double low, double high) { return low + (high - low) * Phase(t, cycle); }
inline double Saw(Ticks t, Ticks cycle, double low, double high) { return high - (high - low) * Phase(t, cycle); }
inline double Square(Ticks t, Ticks cycle, double low, double high) { return Phase(t, cycle) < 0.5 ? high : low; }
inline double Triangle(Ticks t, Ticks cycle, double low, double high) {
  return (low + high) / 2 + (high - low) / 2 * (1 - 4 * std::fabs(Phase(t, cycle) - 0.5));
}

inline std::wstring Clock(Ticks t) {
  const long long s = (t / hdatest::kSecond) % 86400;
  wchar_t text[16];
  std::swprintf(text, 16, L"%02lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  return text;
}

}  // namespace expected
