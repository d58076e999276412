// Where a dialog opens: at its remembered screen rectangle, kept on the screen, or centred.
#pragma once

#include <cstdint>

#include "platform/rect.h"

struct TScreenSize {
  int width;
  int height;
};

inline constexpr int kWideDesktop = 1700;  // from this width on, dialogs centre in the left half
inline constexpr int kMinCentredTop = 32;
inline constexpr int kOwnerOffset = 16;
inline constexpr std::int32_t kMaxQuestionTimeoutMs = 3600000;

// A dialog of that size centred on the desktop: horizontally in the whole width, or in the left
// half of a desktop kWideDesktop pixels wide or more; its top a quarter down the screen less half
// its height, at least kMinCentredTop. A dialog that would open left of (or above) the owner
// window moves to kOwnerOffset inside the owner's corner, as far as the screen allows.
TRect CenterDialog(int width, int height, TScreenSize screen, const TRect* owner);

// The rectangle a dialog opens in. Without a remembered rectangle, or with an empty one
// (left = right), the dialog is centred. A fixed-size dialog keeps the remembered top-left corner
// with its own size; a resizable one takes the remembered rectangle. Either is then ordered
// (left <= right, top <= bottom) and shifted, without changing its size, until its right and
// bottom edges are on the screen and then its left and top edges.
TRect PlaceDialog(const TRect* remembered, bool resizable, int width, int height,
                  TScreenSize screen, const TRect* owner);

// A question box timeout: negative means none (0), above an hour is cut to an hour.
std::int32_t ClampQuestionTimeout(std::int32_t ms);
