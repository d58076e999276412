#include "dialogs/core/dialog_placement.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr TScreenSize kWide{2000, 1200};
constexpr TScreenSize kScreen{1280, 1024};

TEST(DialogPlacement, Centring) {
  struct Case {
    const char* name;
    TScreenSize screen;
    int width, height;
    TRect expected;
  } const cases[] = {
      // Wide desktops centre in their left half: (1000 - 400) / 2.
      {"2000 pixels wide", kWide, 400, 300, {300, 150, 700, 450}},
      {"1700 pixels wide", {1700, 1200}, 400, 300, {225, 150, 625, 450}},
      {"1699 pixels wide", {1699, 1200}, 400, 300, {649, 150, 1049, 450}},
      {"ordinary", kScreen, 300, 200, {490, 156, 790, 356}},
      // H / 4 - h / 2 = 100 - 150 is raised to 32.
      {"tall dialog", {1280, 400}, 300, 300, {490, 32, 790, 332}},
      {"odd sizes", {1281, 1023}, 301, 201, {490, 155, 791, 356}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CenterDialog(c.width, c.height, c.screen, nullptr), c.expected) << c.name;
  }
}

TEST(DialogPlacement, CentringFollowsTheOwner) {
  struct Case {
    const char* name;
    TRect owner;
    TRect expected;
  } const cases[] = {
      // The main window starts further right than the centred dialog would.
      {"owner to the right", {500, 0, 1900, 1100}, {516, 150, 916, 450}},
      {"owner lower down", {0, 200, 1900, 1100}, {300, 216, 700, 516}},
      {"owner right and lower", {500, 200, 1900, 1100}, {516, 216, 916, 516}},
      // Never beyond the screen's right or bottom edge.
      {"owner near the far edges", {1800, 1000, 1990, 1190}, {1600, 900, 2000, 1200}},
      {"owner left of the dialog", {100, 100, 1000, 800}, {300, 150, 700, 450}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CenterDialog(400, 300, kWide, &c.owner), c.expected) << c.name;
  }
}

TEST(DialogPlacement, RememberedRectangles) {
  struct Case {
    const char* name;
    TRect remembered;
    bool resizable;
    TRect expected;
  } const cases[] = {
      {"inside", {100, 100, 500, 400}, true, {100, 100, 500, 400}},
      {"beyond the right edge", {1000, 100, 1400, 400}, true, {880, 100, 1280, 400}},
      {"left of the screen", {-50, 10, 350, 210}, true, {0, 10, 400, 210}},
      {"below the bottom", {10, 900, 210, 1100}, true, {10, 824, 210, 1024}},
      {"above the top", {10, -30, 210, 170}, true, {10, 0, 210, 200}},
      {"reversed", {400, 300, 100, 100}, true, {100, 100, 400, 300}},
      // Wider than the screen: its left edge stays visible.
      {"wider than the screen", {-100, 0, 1500, 100}, true, {0, 0, 1600, 100}},
      // A fixed-size dialog takes its own size at the remembered corner.
      {"fixed, larger remembered", {100, 100, 900, 700}, false, {100, 100, 400, 300}},
      {"fixed, smaller remembered", {100, 100, 150, 120}, false, {100, 100, 400, 300}},
      {"fixed, near the far edges", {1100, 900, 1150, 950}, false, {980, 824, 1280, 1024}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlaceDialog(&c.remembered, c.resizable, 300, 200, kScreen, nullptr), c.expected)
        << c.name;
  }
}

TEST(DialogPlacement, NothingRememberedIsCentred) {
  const TRect centred = CenterDialog(400, 300, kWide, nullptr);
  const TRect owner{500, 0, 1900, 1100};
  for (bool resizable : {true, false}) {
    EXPECT_EQ(PlaceDialog(nullptr, resizable, 400, 300, kWide, nullptr), centred);
    for (const TRect empty : {TRect{}, TRect{700, 100, 700, 500}, TRect{-5, 0, -5, 0}}) {
      EXPECT_EQ(PlaceDialog(&empty, resizable, 400, 300, kWide, nullptr), centred);
      EXPECT_EQ(PlaceDialog(&empty, resizable, 400, 300, kWide, &owner),
                CenterDialog(400, 300, kWide, &owner));
    }
  }
}

TEST(DialogPlacement, QuestionTimeouts) {
  struct Case {
    std::int32_t given, used;
  } const cases[] = {{-1, 0},           {INT_MIN, 0},       {0, 0},
                     {5000, 5000},      {3600000, 3600000}, {3600001, 3600000},
                     {INT_MAX, 3600000}};
  for (const Case& c : cases) EXPECT_EQ(ClampQuestionTimeout(c.given), c.used) << c.given;
}

}  // namespace
