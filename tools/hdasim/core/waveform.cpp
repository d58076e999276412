#include "tools/hdasim/core/waveform.h"

#include <cmath>
#include <numbers>

namespace hdasim {

double RandomWalkValue(const Wave& wave, int sum) {
  const double mid = (wave.low + wave.high) / 2;
  const double half = (wave.high - wave.low) / 2;
  return mid + half * sum / kRandomWalkWindow;
}

double WaveValue(const Wave& wave, Ticks t, Ticks period) {
  if (wave.shape == Shape::kRandomWalk) {
    const std::int64_t k = FloorDiv(t, period);
    const std::uint64_t key = Mix64(wave.seed);
    int sum = 0;
    for (std::int64_t j = k - kRandomWalkWindow + 1; j <= k; ++j)
      sum += (Mix64(key ^ static_cast<std::uint64_t>(j)) & 1) ? 1 : -1;
    return RandomWalkValue(wave, sum);
  }
  const double mid = (wave.low + wave.high) / 2;
  const double half = (wave.high - wave.low) / 2;
  const double f =
      static_cast<double>(FloorMod(t + wave.phase, wave.cycle)) / static_cast<double>(wave.cycle);
  switch (wave.shape) {
    case Shape::kSine:
      return mid + half * std::sin(2 * std::numbers::pi * f);
    case Shape::kRamp:
      return wave.low + (wave.high - wave.low) * f;
    case Shape::kSaw:
      return wave.high - (wave.high - wave.low) * f;
    case Shape::kSquare:
      return f < 0.5 ? wave.high : wave.low;
    case Shape::kTriangle:
      return mid + half * (1 - 4 * std::fabs(f - 0.5));
    case Shape::kRandomWalk:
      break;
  }
  return mid;
}

std::wstring ClockText(Ticks t) {
  const std::int64_t seconds = FloorMod(t, kTicksPerDay) / kTicksPerSecond;
  const int h = static_cast<int>(seconds / 3600), m = static_cast<int>(seconds / 60 % 60),
            s = static_cast<int>(seconds % 60);
  const wchar_t text[] = {
      static_cast<wchar_t>(L'0' + h / 10), static_cast<wchar_t>(L'0' + h % 10), L':',
      static_cast<wchar_t>(L'0' + m / 10), static_cast<wchar_t>(L'0' + m % 10), L':',
      static_cast<wchar_t>(L'0' + s / 10), static_cast<wchar_t>(L'0' + s % 10)};
  return std::wstring(text, 8);
}

std::wstring FixedText(double value) {
  const long long milli = std::llround(value * 1000);
  const unsigned long long magnitude = milli < 0 ? 0ULL - static_cast<unsigned long long>(milli)
                                                 : static_cast<unsigned long long>(milli);
  std::wstring text = std::to_wstring(magnitude / 1000);
  const unsigned fraction = static_cast<unsigned>(magnitude % 1000);
  text += L'.';
  text += static_cast<wchar_t>(L'0' + fraction / 100);
  text += static_cast<wchar_t>(L'0' + fraction / 10 % 10);
  text += static_cast<wchar_t>(L'0' + fraction % 10);
  return milli < 0 ? L"-" + text : text;
}

}  // namespace hdasim
