// A rectangle laid out like the Windows RECT: four 32-bit signed coordinates. The core cannot
// include <windows.h>, so it names this type and the Windows layer converts field by field.
#pragma once

#include <cstdint>

struct TRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  bool operator==(const TRect&) const = default;
};

static_assert(sizeof(TRect) == 16 && alignof(TRect) == 4, "TRect must match RECT");
