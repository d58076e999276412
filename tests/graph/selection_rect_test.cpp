#include "graph/selection_rect.h"

#include <gtest/gtest.h>

namespace graph {
namespace {

constexpr TRect kSelection{100, 100, 200, 180};

TEST(SelectionHitCode, CornersBeforeEdgesBeforeInside) {
  struct Case {
    std::int32_t x, y;
    TDragMode code;
  };
  const Case cases[] = {
      {100, 100, kDragTopLeft},
      {102, 102, kDragTopLeft},  // distance² 8
      {100, 97, kDragTopLeft},
      {203, 98, kDragTopRight},  // distance² 13
      {200, 180, kDragBottomRight},
      {100, 180, kDragBottomLeft},
      {103, 103, kDragLeft},  // distance² 18: no longer the corner, 3 from the left edge
      {101, 104, kDragLeft},
      {97, 140, kDragLeft},
      {100, 140, kDragLeft},
      {104, 101, kDragTop},
      {150, 97, kDragTop},
      {150, 103, kDragTop},
      {203, 140, kDragRight},
      {150, 183, kDragBottom},
      {150, 140, kDragMove},
      {104, 104, kDragMove},
      {196, 140, kDragMove},
      // Four pixels away is no longer near.
      {96, 140, kDragNone},
      {150, 96, kDragNone},
      {204, 140, kDragNone},
      {150, 184, kDragNone},
      {250, 140, kDragNone},
      // Edges only count between the other two edges.
      {97, 185, kDragNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SelectionHitCode(kSelection, c.x, c.y), c.code) << c.x << "," << c.y;
  }
  // On a rectangle smaller than the near distance the corners win over the inside.
  EXPECT_EQ(SelectionHitCode({100, 100, 104, 104}, 102, 102), kDragTopLeft);
}

TEST(SelectionHitCode, CursorsFollowTheHitCode) {
  EXPECT_EQ(CursorForHitCode(kDragTopLeft), TSelectionCursor::SizeNwse);
  EXPECT_EQ(CursorForHitCode(kDragBottomRight), TSelectionCursor::SizeNwse);
  EXPECT_EQ(CursorForHitCode(kDragTopRight), TSelectionCursor::SizeNesw);
  EXPECT_EQ(CursorForHitCode(kDragBottomLeft), TSelectionCursor::SizeNesw);
  EXPECT_EQ(CursorForHitCode(kDragLeft), TSelectionCursor::SizeWe);
  EXPECT_EQ(CursorForHitCode(kDragRight), TSelectionCursor::SizeWe);
  EXPECT_EQ(CursorForHitCode(kDragTop), TSelectionCursor::SizeNs);
  EXPECT_EQ(CursorForHitCode(kDragBottom), TSelectionCursor::SizeNs);
  EXPECT_EQ(CursorForHitCode(kDragMove), TSelectionCursor::Hand);
  EXPECT_EQ(CursorForHitCode(kDragNone), TSelectionCursor::Arrow);
}

TEST(SelectionDrag, EachModeReshapesTheSavedRectangle) {
  const TPoint anchor{150, 140};
  struct Case {
    TDragMode mode;
    TPoint pointer;
    TRect want;
  };
  const Case cases[] = {
      {kDragNew, {120, 90}, {120, 90, 150, 140}},
      {kDragNew, {170, 150}, {150, 140, 170, 150}},
      {kDragTopLeft, {250, 250}, {192, 172, 200, 180}},
      {kDragTopLeft, {90, 95}, {90, 95, 200, 180}},
      {kDragTopRight, {50, 300}, {100, 172, 108, 180}},
      {kDragBottomRight, {50, 50}, {100, 100, 108, 108}},
      {kDragBottomLeft, {90, 200}, {90, 100, 200, 200}},
      {kDragLeft, {80, 0}, {80, 100, 200, 180}},
      {kDragTop, {0, 80}, {100, 80, 200, 180}},
      {kDragRight, {300, 0}, {100, 100, 300, 180}},
      {kDragBottom, {0, 300}, {100, 100, 200, 300}},
      {kDragMove, {160, 130}, {110, 90, 210, 170}},
      {kDragPan, {100, 140}, {50, 100, 150, 180}},
      {kDragNone, {0, 0}, kSelection},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DraggedRect(c.mode, kSelection, anchor, c.pointer), c.want) << c.mode;
  }
}

TEST(SelectionDrag, ResizingNeverLeavesASideShorterThanEightPixels) {
  for (int mode = kDragTopLeft; mode <= kDragBottom; ++mode) {
    for (std::int32_t x = 0; x <= 300; x += 7) {
      for (std::int32_t y = 0; y <= 300; y += 7) {
        const TRect r = DraggedRect(static_cast<TDragMode>(mode), kSelection, {0, 0}, {x, y});
        ASSERT_GE(r.right - r.left, kMinResizedSide) << mode << " at " << x << "," << y;
        ASSERT_GE(r.bottom - r.top, kMinResizedSide) << mode << " at " << x << "," << y;
      }
    }
  }
}

TEST(SelectionDrag, TooSmallSelectionsAreDiscarded) {
  struct Case {
    TRect rect;
    bool discarded;
  };
  const Case cases[] = {
      {{0, 0, 0, 0}, true},  // a click
      {{0, 0, 7, 7}, true},  {{0, 0, 3, 3}, true},      {{0, 0, 2, 50}, true},
      {{0, 0, 50, 2}, true}, {{0, 0, 8, 7}, false},     {{0, 0, 7, 8}, false},
      {{0, 0, 3, 8}, false}, {{10, 20, 60, 60}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsTooSmallForSelection(c.rect), c.discarded)
        << c.rect.left << "," << c.rect.top << "," << c.rect.right << "," << c.rect.bottom;
  }
}

}  // namespace
}  // namespace graph
