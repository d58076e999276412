// The inverted overlays over real GDI pixels: whatever is shown, moved and hidden, in any order
// and overlapping, the picture underneath comes back exactly.
#include "ui/invert_overlay.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui/memory_bitmap.h"

namespace {

std::vector<std::uint32_t> Pixels(const ui::MemoryBitmap& bitmap) {
  GdiFlush();
  return {bitmap.Pixels(), bitmap.Pixels() + bitmap.Width() * bitmap.Height()};
}

// A picture that is not uniform, so that an inversion anywhere shows.
void Paint(ui::MemoryBitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) SetPixel(bitmap.Dc(), x, y, RGB(x * 3, y * 5, 77));
  }
}

int Changed(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
  int n = 0;
  for (std::size_t i = 0; i < a.size(); ++i) n += (a[i] & 0xFFFFFF) != (b[i] & 0xFFFFFF);
  return n;
}

TEST(InvertOverlay, FrameInvertsEachOutlinePixelOnceAndMarkerItsArea) {
  ui::MemoryBitmap bitmap(60, 50);
  Paint(bitmap);
  const auto before = Pixels(bitmap);
  struct Case {
    TRect frame;
    int outline;  // pixels of the outline
  };
  const Case cases[] = {{{10, 10, 20, 15}, 2 * 11 + 2 * 4},
                        {{30, 30, 30, 30}, 1},
                        {{5, 40, 25, 40}, 21},
                        {{40, 5, 41, 6}, 4},
                        {{20, 15, 10, 10}, 2 * 11 + 2 * 4}};  // corners given the other way round
  for (const Case& c : cases) {
    ui::InvertOverlay::InvertFrame(bitmap.Dc(), c.frame);
    EXPECT_EQ(Changed(before, Pixels(bitmap)), c.outline) << c.frame.left << "," << c.frame.top;
    ui::InvertOverlay::InvertFrame(bitmap.Dc(), c.frame);
    EXPECT_EQ(Changed(before, Pixels(bitmap)), 0);
  }
  ui::InvertOverlay::InvertArea(bitmap.Dc(), {20, 20, 27, 27});
  EXPECT_EQ(Changed(before, Pixels(bitmap)), 49) << "a marker is 7 x 7 pixels";
}

TEST(InvertOverlay, ShowMoveAndHideLeaveThePictureAsItWas) {
  ui::MemoryBitmap bitmap(80, 60);
  Paint(bitmap);
  const auto before = Pixels(bitmap);
  ui::InvertOverlay overlay;
  overlay.Show(bitmap.Dc(), TRect{10, 10, 40, 30}, TRect{12, 12, 19, 19});  // overlapping
  EXPECT_GT(Changed(before, Pixels(bitmap)), 0);
  overlay.Show(bitmap.Dc(), TRect{15, 12, 50, 45}, std::nullopt);  // moved, marker gone
  ASSERT_TRUE(overlay.FrameOnScreen().has_value());
  EXPECT_FALSE(overlay.MarkerOnScreen().has_value());
  overlay.Show(bitmap.Dc(), TRect{15, 12, 50, 45}, TRect{40, 40, 47, 47});
  overlay.Show(bitmap.Dc(), TRect{15, 12, 50, 45}, TRect{40, 40, 47, 47});  // again: no change
  ui::InvertOverlay::InvertFrame(bitmap.Dc(), {15, 12, 50, 45});
  ui::InvertOverlay::InvertArea(bitmap.Dc(), {40, 40, 47, 47});
  EXPECT_EQ(Changed(before, Pixels(bitmap)), 0)
      << "the overlay showed exactly one frame and marker";
  ui::InvertOverlay::InvertFrame(bitmap.Dc(), {15, 12, 50, 45});
  ui::InvertOverlay::InvertArea(bitmap.Dc(), {40, 40, 47, 47});
  overlay.Hide(bitmap.Dc());
  EXPECT_EQ(Changed(before, Pixels(bitmap)), 0);
  EXPECT_FALSE(overlay.FrameOnScreen().has_value());
  // After the pixels were replaced, nothing is inverted back.
  overlay.Show(bitmap.Dc(), TRect{1, 1, 5, 5}, std::nullopt);
  Paint(bitmap);
  overlay.Forget();
  overlay.Hide(bitmap.Dc());
  EXPECT_EQ(Changed(before, Pixels(bitmap)), 0);
}

}  // namespace
