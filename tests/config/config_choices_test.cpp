#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "config/page_setup_units.h"
#include "config/refresh_rates.h"

namespace {

TEST(ConfigRefreshRates, EachChoiceFindsItself) {
  for (std::size_t i = 0; i < kRefreshRateChoices.size(); ++i) {
    EXPECT_EQ(RefreshRateIndex(kRefreshRateChoices[i].value), static_cast<int>(i)) << i;
  }
  EXPECT_EQ(kRefreshRateChoices.back().value, 0);
  EXPECT_EQ(std::u16string(kRefreshRateChoices.back().text), u"\u221E");
}

// A rate from an edited file that is none of the choices shows the first choice.
TEST(ConfigRefreshRates, UnknownRatesShowTheFirstChoice) {
  for (std::int32_t rate : {120, -1, 1, INT_MAX, INT_MIN}) {
    EXPECT_EQ(RefreshRateIndex(rate), 0) << rate;
  }
  EXPECT_EQ(kRefreshRateChoices[RefreshRateIndex(120)].value, 10);
}

TEST(ConfigPageSetup, UnitsPerInch) {
  EXPECT_EQ(UnitsPerInch(1), 2540);
  for (std::int32_t units : {0, 2, -1, 1000}) EXPECT_EQ(UnitsPerInch(units), 1000) << units;
}

TEST(ConfigPageSetup, RoundToTenHalvesAwayFromZero) {
  struct Case {
    std::int32_t value, rounded;
  } const cases[] = {{0, 0},    {4, 0},     {5, 10},    {14, 10},     {15, 20},   {-4, 0},
                     {-5, -10}, {-15, -20}, {-16, -20}, {2000, 2000}, {787, 790}, {-6, -10}};
  for (const Case& c : cases) EXPECT_EQ(RoundToTen(c.value), c.rounded) << c.value;
}

// Margins go to the dialog rounded to the nearest unit and then to tens, and come back to the
// nearest twip.
TEST(ConfigPageSetup, MarginsBothWays) {
  struct Case {
    const char* name;
    std::int32_t units;
    TRect twips;
    TRect dialog;
    TRect back;
  } const cases[] = {
      // 1134 twips = 2000.25 hundredths of a millimetre; 2000 of them = 1133.86 twips.
      {"2 cm", 1, {1134, 1134, 1134, 1134}, {2000, 2000, 2000, 2000}, {1134, 1134, 1134, 1134}},
      // 1134 twips = 787.5 thousandths of an inch -> 788 -> 790 = 1137.6 twips.
      {"2 cm in inches",
       0,
       {1134, 1134, 1134, 1134},
       {790, 790, 790, 790},
       {1138, 1138, 1138, 1138}},
      // 1440 twips = 2540 exactly; 7 twips = 12.35 -> 12 -> 10 = 5.67 twips.
      {"mixed", 1, {1440, 0, 7, 720}, {2540, 0, 10, 1270}, {1440, 0, 6, 720}},
      // -9 twips = -6.25 thousandths -> -6 -> -10 = -14.4 twips.
      {"negative", 2, {-9, -720, 0, 1}, {-10, -500, 0, 0}, {-14, -720, 0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MarginsToDialogUnits(c.twips, c.units), c.dialog) << c.name;
    EXPECT_EQ(MarginsToTwips(c.dialog, c.units), c.back) << c.name;
  }
  // Coming back, the value is taken to tens first: 2004 -> 2000.
  EXPECT_EQ(MarginsToTwips({2004, 2005, 0, 0}, 1), (TRect{1134, 1140, 0, 0}));
}

TEST(ConfigPageSetup, PaperSizeRoundsDown) {
  struct Case {
    std::int32_t size, units, twips;
  } const cases[] = {
      {21000, 1, 11905},                 // A4 width, 11905.5
      {29700, 1, 16837},                 // A4 height, 16837.8
      {8500, 0, 12240},                  // Letter width, exact
      {11000, 0, 15840},     {1, 0, 1},  // 1.44
      {-1, 1, -1},                       // -0.57
      {INT_MAX, 0, INT_MAX},
  };
  for (const Case& c : cases) EXPECT_EQ(PaperSizeToTwips(c.size, c.units), c.twips) << c.size;
}

}  // namespace
