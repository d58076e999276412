// How the controls of a resizable dialog follow its client area. Entry 0 is the client area
// itself; every later entry is one control whose four edges (left, top, right, bottom) each
// follow one or two earlier entries by a code:
//
//   code = mode + 1000 x B + 1000000 x A      (A and B: indexes of reference entries)
//
// For a left or right edge "near" is the reference's left and "far" its right; for a top or
// bottom edge, its top and bottom.
//   mode 0, 1 and any other value: keeps its distance to A's near edge
//   mode 2: keeps its distance to A's far edge
//   mode 3..6: stays at the same fraction of the way between a reference edge of A and one of B:
//              3 A near - B near, 4 A near - B far, 5 A far - B near, 6 A far - B far
#pragma once

#include <cstdint>
#include <vector>

#include "platform/rect.h"

inline constexpr int kLayoutKeepNear = 0;
inline constexpr int kLayoutKeepFar = 2;
inline constexpr int kLayoutNearNear = 3;
inline constexpr int kLayoutNearFar = 4;
inline constexpr int kLayoutFarNear = 5;
inline constexpr int kLayoutFarFar = 6;

struct TLayoutEntry {
  std::uintptr_t control = 0;  // the control's window handle; 0 for entry 0
  TRect recorded{};            // client coordinates when the entry was recorded
  TRect current{};             // computed by the last ComputeLayout
  std::int32_t codes[4] = {};  // left, top, right, bottom
};

// mode + 1000 x b + 1000000 x a.
constexpr std::int32_t LayoutCode(int mode, int a = 0, int b = 0) {
  return mode + 1000 * b + 1000000 * a;
}

// Entry 0 takes new_client; entries 1, 2, ... then compute their current rectangles in order, so
// a reference to an earlier entry sees its new position. Nothing changes while entry 0's recorded
// rectangle is empty. A reference outside the list is reported and that edge stays at its
// recorded position. Proportional positions are rounded down.
void ComputeLayout(std::vector<TLayoutEntry>& entries, const TRect& new_client);
