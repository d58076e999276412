#include "dialogs/core/dialog_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/assert_report.h"

namespace {

constexpr int kLeft = 0, kTop = 1, kRight = 2, kBottom = 3;

// The client area grows from 400 x 300 to 600 x 500. Entry 1 is a panel whose left and right
// edges keep their distance to the right of the client area (it moves 200 to the right), whose
// top stays and whose bottom follows the client's bottom.
std::vector<TLayoutEntry> TwoEntries() {
  TLayoutEntry client;
  client.recorded = {0, 0, 400, 300};
  client.current = client.recorded;
  TLayoutEntry panel;
  panel.recorded = {100, 50, 300, 250};
  panel.current = panel.recorded;
  panel.codes[kLeft] = LayoutCode(kLayoutKeepFar, 0);
  panel.codes[kTop] = LayoutCode(kLayoutKeepNear, 0);
  panel.codes[kRight] = LayoutCode(kLayoutKeepFar, 0);
  panel.codes[kBottom] = LayoutCode(kLayoutKeepFar, 0);
  return {client, panel};
}
constexpr TRect kNewClient{0, 0, 600, 500};
constexpr TRect kPanelAfter{300, 50, 500, 450};

std::int32_t Edge(const TRect& r, int edge) {
  const std::int32_t edges[] = {r.left, r.top, r.right, r.bottom};
  return edges[edge];
}

TEST(DialogLayout, CodesCombineModeAndReferences) {
  EXPECT_EQ(LayoutCode(2), 2);
  EXPECT_EQ(LayoutCode(4, 1, 2), 1002004);
  EXPECT_EQ(LayoutCode(6, 0, 1), 1006);
}

// One edge of a third entry at a time; the expectations are worked out by hand.
TEST(DialogLayout, EveryEdgeMode) {
  struct Case {
    const char* name;
    int edge;
    std::int32_t code;
    std::int32_t recorded;
    std::int32_t expected;
  } const cases[] = {
      {"0 near of the client", kLeft, LayoutCode(0, 0), 120, 120},
      {"0 near of the panel", kLeft, LayoutCode(0, 1), 120, 320},
      {"1 is 0", kLeft, LayoutCode(1, 1), 120, 320},
      {"other value is 0", kLeft, LayoutCode(7, 1), 120, 320},
      {"999 is 0", kRight, LayoutCode(999, 1), 120, 320},
      {"negative mode is 0", kLeft, -3, 120, 120},
      {"0 near, vertically", kBottom, LayoutCode(0, 1), 70, 70},
      {"2 far of the client", kLeft, LayoutCode(2, 0), 50, 250},
      {"2 far of the panel", kBottom, LayoutCode(2, 1), 260, 460},
      {"2 far, vertically", kTop, LayoutCode(2, 0), 280, 480},
      // a = 0, b = 100: half way; new 0 .. 300.
      {"3 near-near", kLeft, LayoutCode(3, 0, 1), 50, 150},
      // a = 0, b = 300: half way; new 0 .. 500.
      {"4 near-far", kRight, LayoutCode(4, 0, 1), 150, 250},
      // a = 300, b = 0: a third of the way; new 500 .. 0 gives 333.3.
      {"5 far-near", kLeft, LayoutCode(5, 1, 0), 200, 333},
      // a = 400, b = 300: half way; new 600 .. 500.
      {"6 far-far", kRight, LayoutCode(6, 0, 1), 350, 550},
      // a = 250 (the panel's bottom), b = 0 (the client's top): half way; new 450 .. 0.
      {"5 vertically", kTop, LayoutCode(5, 1, 0), 125, 225},
      // a = b: r = 0, the edge goes to A's new reference edge.
      {"equal references", kLeft, LayoutCode(3, 0, 0), 77, 0},
      {"equal references far", kTop, LayoutCode(6, 0, 0), 77, 500},
      // Outside the references: r = -1/250; 0 + r x 450 = -1.8 is rounded down to -2.
      {"proportional floor below zero", kTop, LayoutCode(4, 0, 1), -1, -2},
      // Before a: r = -1/300; 500 + (-1/300)(0 - 500) = 501.67 is rounded down to 501.
      {"proportional floor above", kLeft, LayoutCode(5, 1, 0), 301, 501},
  };
  for (const Case& c : cases) {
    std::vector<TLayoutEntry> entries = TwoEntries();
    TLayoutEntry control;
    control.recorded = {120, 60, 130, 70};
    std::int32_t* edges[] = {&control.recorded.left, &control.recorded.top, &control.recorded.right,
                             &control.recorded.bottom};
    *edges[c.edge] = c.recorded;
    control.codes[c.edge] = c.code;
    entries.push_back(control);
    ComputeLayout(entries, kNewClient);
    EXPECT_EQ(entries[0].current, kNewClient) << c.name;
    EXPECT_EQ(entries[1].current, kPanelAfter) << c.name;
    EXPECT_EQ(Edge(entries[2].current, c.edge), c.expected) << c.name;
  }
}

// The status line stretches along the bottom, the progress bar stays in the bottom right corner.
TEST(DialogLayout, StatusLineAndProgressBar) {
  std::vector<TLayoutEntry> entries(3);
  entries[0].recorded = {0, 0, 400, 300};
  entries[1].recorded = {0, 283, 300, 300};
  for (int edge = 0; edge < 4; ++edge) entries[1].codes[edge] = edge == kLeft ? 1 : 2;
  entries[2].recorded = {302, 283, 398, 298};
  for (int edge = 0; edge < 4; ++edge) entries[2].codes[edge] = 2;
  ComputeLayout(entries, {0, 0, 640, 200});
  EXPECT_EQ(entries[1].current, (TRect{0, 183, 540, 200}));
  EXPECT_EQ(entries[2].current, (TRect{542, 183, 638, 198}));
  // Back to the recorded size: back to the recorded places.
  ComputeLayout(entries, {0, 0, 400, 300});
  EXPECT_EQ(entries[1].current, entries[1].recorded);
  EXPECT_EQ(entries[2].current, entries[2].recorded);
}

TEST(DialogLayout, NothingMovesWhileTheRecordedClientIsEmpty) {
  for (const TRect client : {TRect{0, 0, 0, 300}, TRect{0, 0, 400, 0}, TRect{10, 0, 5, 300}}) {
    std::vector<TLayoutEntry> entries = TwoEntries();
    entries[0].recorded = client;
    ComputeLayout(entries, kNewClient);
    EXPECT_EQ(entries[0].current, (TRect{0, 0, 400, 300}));
    EXPECT_EQ(entries[1].current, entries[1].recorded);
  }
  std::vector<TLayoutEntry> none;
  ComputeLayout(none, kNewClient);
  EXPECT_TRUE(none.empty());
}

class AssertCollector {
 public:
  AssertCollector() : previous_(SetAssertSink(&Collect)) { Lines().clear(); }
  ~AssertCollector() { SetAssertSink(previous_); }
  AssertCollector(const AssertCollector&) = delete;
  AssertCollector& operator=(const AssertCollector&) = delete;
  static std::vector<std::u16string>& Lines() {
    static std::vector<std::u16string> lines;
    return lines;
  }

 private:
  static void Collect(const char16_t* line) { Lines().emplace_back(line); }
  AssertSink previous_;
};

// A reference outside the list is reported and that edge stays where it was recorded; the other
// edges still follow their codes.
TEST(DialogLayout, ReferencesOutsideTheListAreReported) {
  struct Case {
    const char* name;
    std::int32_t code;
    bool reported;
  } const cases[] = {
      {"A past the end", LayoutCode(0, 3), true},
      {"A far past the end", LayoutCode(2, 999), true},
      {"B past the end", LayoutCode(4, 0, 3), true},
      {"negative A", -1000000, true},
      {"B not used by mode 2", LayoutCode(2, 0, 7), false},
  };
  for (const Case& c : cases) {
    AssertCollector asserts;
    std::vector<TLayoutEntry> entries = TwoEntries();
    TLayoutEntry control;
    control.recorded = {10, 20, 30, 40};
    control.codes[kLeft] = c.code;
    control.codes[kRight] = LayoutCode(2, 0);
    entries.push_back(control);
    ComputeLayout(entries, kNewClient);
    EXPECT_EQ(AssertCollector::Lines().size(), c.reported ? 1u : 0u) << c.name;
    EXPECT_EQ(entries[2].current.left, c.reported ? 10 : 210) << c.name;
    EXPECT_EQ(entries[2].current.right, 230) << c.name;
  }
}

}  // namespace
