#include "ui/invert_overlay.h"

#include <algorithm>

namespace ui {

void InvertOverlay::InvertFrame(HDC dc, const TRect& r) {
  const int left = std::min(r.left, r.right), right = std::max(r.left, r.right);
  const int top = std::min(r.top, r.bottom), bottom = std::max(r.top, r.bottom);
  const int width = right - left + 1;
  PatBlt(dc, left, top, width, 1, DSTINVERT);
  if (bottom > top) PatBlt(dc, left, bottom, width, 1, DSTINVERT);
  if (bottom - top > 1) {
    PatBlt(dc, left, top + 1, 1, bottom - top - 1, DSTINVERT);
    if (right > left) PatBlt(dc, right, top + 1, 1, bottom - top - 1, DSTINVERT);
  }
}

void InvertOverlay::InvertArea(HDC dc, const TRect& r) {
  PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, DSTINVERT);
}

void InvertOverlay::Hide(HDC screen) {
  if (frame_) InvertFrame(screen, *frame_);
  if (marker_) InvertArea(screen, *marker_);
  Forget();
}

void InvertOverlay::Show(HDC screen, const std::optional<TRect>& frame,
                         const std::optional<TRect>& marker) {
  if (frame_ != frame) {
    if (frame_) InvertFrame(screen, *frame_);
    if (frame) InvertFrame(screen, *frame);
    frame_ = frame;
  }
  if (marker_ != marker) {
    if (marker_) InvertArea(screen, *marker_);
    if (marker) InvertArea(screen, *marker);
    marker_ = marker;
  }
}

void InvertOverlay::Forget() {
  frame_.reset();
  marker_.reset();
}

}  // namespace ui
