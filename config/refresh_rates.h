// The refresh rates the configuration page offers, in the order it lists them.
#pragma once

#include <array>
#include <cstdint>

struct RefreshRateChoice {
  const char16_t* text;
  std::int32_t value;  // seconds; 0 switches the automatic refresh off
};

inline constexpr std::array<RefreshRateChoice, 6> kRefreshRateChoices = {{
    {u"10 s", 10},
    {u"30 s", 30},
    {u"1 min", 60},
    {u"10 min", 600},
    {u"60 min", 3600},
    {u"\u221E", 0},
}};

// The index of the first choice with that value; 0 (the first choice) when none has it.
int RefreshRateIndex(std::int32_t rate);
