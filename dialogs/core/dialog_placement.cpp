#include "dialogs/core/dialog_placement.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

std::int32_t Clamp32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

TRect Rect(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height) {
  return {Clamp32(left), Clamp32(top), Clamp32(left + width), Clamp32(top + height)};
}

// Moves [low, high) so that high is at most `limit` and then low at least 0.
void ShiftOnto(std::int64_t& low, std::int64_t& high, std::int64_t limit) {
  if (high > limit) {
    low -= high - limit;
    high = limit;
  }
  if (low < 0) {
    high -= low;
    low = 0;
  }
}

}  // namespace

TRect CenterDialog(int width, int height, TScreenSize screen, const TRect* owner) {
  const std::int64_t span = screen.width >= kWideDesktop ? screen.width / 2 : screen.width;
  std::int64_t left = (span - width) / 2;
  std::int64_t top = std::max<std::int64_t>(screen.height / 4 - height / 2, kMinCentredTop);
  if (owner != nullptr) {
    if (left < owner->left) {
      left = std::min<std::int64_t>(std::int64_t{owner->left} + kOwnerOffset,
                                    std::int64_t{screen.width} - width);
    }
    if (top < owner->top) {
      top = std::min<std::int64_t>(std::int64_t{owner->top} + kOwnerOffset,
                                   std::int64_t{screen.height} - height);
    }
  }
  return Rect(left, top, width, height);
}

TRect PlaceDialog(const TRect* remembered, bool resizable, int width, int height,
                  TScreenSize screen, const TRect* owner) {
  if (remembered == nullptr || remembered->left == remembered->right) {
    return CenterDialog(width, height, screen, owner);
  }
  std::int64_t left = remembered->left;
  std::int64_t top = remembered->top;
  std::int64_t right = resizable ? std::int64_t{remembered->right} : left + width;
  std::int64_t bottom = resizable ? std::int64_t{remembered->bottom} : top + height;
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  ShiftOnto(left, right, screen.width);
  ShiftOnto(top, bottom, screen.height);
  return {Clamp32(left), Clamp32(top), Clamp32(right), Clamp32(bottom)};
}

std::int32_t ClampQuestionTimeout(std::int32_t ms) {
  return std::clamp<std::int32_t>(ms, 0, kMaxQuestionTimeoutMs);
}
