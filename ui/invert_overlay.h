// Marks drawn over a window's picture by inverting its pixels (a selection frame and a small
// marker, as the graph window shows them), so drawing one again takes it away. The overlay
// remembers what is on the screen, so that it is taken off before the pixels under it change.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/rect.h"

namespace ui {

class InvertOverlay {
 public:
  // Inverts away whatever of the overlays is on the screen.
  void Hide(HDC screen);
  // Makes the screen show exactly this frame and marker (either may be none).
  void Show(HDC screen, const std::optional<TRect>& frame, const std::optional<TRect>& marker);
  // The window's pixels were replaced without the overlays (the window was drawn anew).
  void Forget();

  const std::optional<TRect>& FrameOnScreen() const { return frame_; }
  const std::optional<TRect>& MarkerOnScreen() const { return marker_; }

  // The one-pixel outline of the pixels from (left, top) to (right, bottom), both included; each
  // pixel is inverted once.
  static void InvertFrame(HDC dc, const TRect& rect);
  // The pixels of the rectangle, right and bottom excluded.
  static void InvertArea(HDC dc, const TRect& rect);

 private:
  std::optional<TRect> frame_;
  std::optional<TRect> marker_;
};

}  // namespace ui
