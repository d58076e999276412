#include <gtest/gtest.h>

#include <string>

#include "config/measurement.h"
#include "platform/locale.h"

namespace {

constexpr int kEnglish = 1;
constexpr int kInchMark = 0, kCm = 1, kPt = 2, kPi = 3, kIn = 4, kInch = 5, kInches = 6;

std::u16string Shown(std::int32_t twips, int unit) {
  return FormatMeasurement(twips, unit, kEnglish).Str();
}

struct Read {
  TMeasurementRead result;
  std::int32_t twips;
};

Read ReadText(const char16_t* text, int unit) {
  std::int32_t twips = -777;
  const TMeasurementRead result = ReadMeasurement(TString(text), unit, kEnglish, twips);
  return {result, twips};
}

class Measurement : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = platform::SetDecimalPointForTesting(u'.'); }
  void TearDown() override { platform::SetDecimalPointForTesting(previous_); }
  char16_t previous_ = 0;
};

TEST_F(Measurement, ShowsTwoDecimalsAtMostWithoutTrailingZerosAndTheUnitsName) {
  const struct {
    std::int32_t twips;
    int unit;
    const char16_t* text;
  } cases[] = {
      {1134, kCm, u"2 cm"},  // 1.996... rounds up to 2.00: no decimals
      {1136, kCm, u"2 cm"},        {284, kCm, u"0.5 cm"},  // one decimal left
      {1440, kInchMark, u"1\""},                           // no space before the inch mark
      {2160, kInchMark, u"1.5\""}, {1000, kInchMark, u"0.69\""},
      {-2880, kIn, u"-2in"},       {30, kPt, u"1.5 pt"},
      {240, kPi, u"1 pi"},         {0, kCm, u"0 cm"},
      {1440, kInches, u"1inches"}, {31680, kInch, u"22inch"},
      {1437, kInchMark, u"1\""},  // 0.99791... carries into the units
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Shown(c.twips, c.unit), std::u16string(c.text)) << c.twips << " unit " << c.unit;
  }
}

TEST_F(Measurement, ShowsTheLocalesDecimalSeparator) {
  platform::SetDecimalPointForTesting(u',');
  EXPECT_EQ(Shown(284, kCm), u"0,5 cm");
  EXPECT_EQ(ReadText(u"0,5 cm", kCm).twips, 284);
}

TEST_F(Measurement, ReadsNumbersWithAnyOfTheSevenUnitsOrTheDialogsUnit) {
  const struct {
    const char16_t* text;
    int unit;
    std::int32_t twips;
  } cases[] = {
      {u"2 cm", kInchMark, 1136},  // the named unit wins over the dialog's
      {u"2", kInchMark, 2880},     // the dialog's unit (inches)
      {u"2", kCm, 1136},
      {u"2CM", kInchMark, 1136},  // names in any case
      {u"2cm", kInchMark, 1136},
      {u"  1.5 \"  ", kCm, 2160},
      {u"1 Inches", kCm, 1440},
      {u"1 inch", kCm, 1440},
      {u"1 in", kCm, 1440},
      {u"12 pt", kCm, 240},
      {u"1 pi", kCm, 240},
      {u"-0.5", kInchMark, -720},
      {u".25", kInchMark, 360},
      {u"0.1 cm", kInchMark, 57},  // 56.8: to the nearest twip
      {u"0.00035", kInchMark, 1},  // 0.504: halves away from zero
      {u"-0.00035", kInchMark, -1},
  };
  for (const auto& c : cases) {
    const Read r = ReadText(c.text, c.unit);
    EXPECT_EQ(r.result, TMeasurementRead::Valid) << std::string(c.text, c.text + 3);
    EXPECT_EQ(r.twips, c.twips) << "unit " << c.unit;
  }
}

TEST_F(Measurement, EmptyTextLeavesTheValueAndGarbageIsRefused) {
  EXPECT_EQ(ReadText(u"", kCm).result, TMeasurementRead::Empty);
  EXPECT_EQ(ReadText(u"   ", kCm).result, TMeasurementRead::Empty);
  EXPECT_EQ(ReadText(u"   ", kCm).twips, -777);
  for (const char16_t* text :
       {u"cm", u"abc", u"2 mm", u"2 cm cm", u"2 c", u"-", u".", u"2 inchess", u"1e3", u"2 2"}) {
    EXPECT_EQ(ReadText(text, kCm).result, TMeasurementRead::Invalid)
        << std::string(text, text + std::char_traits<char16_t>::length(text));
  }
}

TEST_F(Measurement, RangeIsTwentyTwoInchesEitherWay) {
  const Read thirty = ReadText(u"30 in", kCm);
  EXPECT_EQ(thirty.result, TMeasurementRead::Valid);
  EXPECT_FALSE(MeasurementInRange(thirty.twips));
  EXPECT_TRUE(MeasurementInRange(31680));
  EXPECT_TRUE(MeasurementInRange(-31680));
  EXPECT_FALSE(MeasurementInRange(31681));
  EXPECT_FALSE(MeasurementInRange(-31681));
  // Far beyond 32 bits: still read, and refused by the range.
  const Read huge = ReadText(u"99999999999999999999", kInchMark);
  EXPECT_EQ(huge.result, TMeasurementRead::Valid);
  EXPECT_FALSE(MeasurementInRange(huge.twips));
  // The limits as the range message shows them.
  EXPECT_EQ(Shown(-kMeasurementLimit, kInchMark), u"-22\"");
  EXPECT_EQ(Shown(kMeasurementLimit, kCm), u"55.77 cm");
}

// Every value the dialog shows reads back to within half a hundredth of its unit.
TEST_F(Measurement, ShownValuesReadBack) {
  for (int unit = 0; unit < 7; ++unit) {
    for (std::int32_t twips = -kMeasurementLimit; twips <= kMeasurementLimit; twips += 997) {
      const Read r = ReadText(FormatMeasurement(twips, unit, kEnglish).Str(), kInchMark);
      ASSERT_EQ(r.result, TMeasurementRead::Valid);
      EXPECT_LE(std::abs(r.twips - twips), kMeasurementUnits[unit].twipsPerUnit / 200 + 1)
          << twips << " unit " << unit;
    }
  }
}

TEST_F(Measurement, UnitIndexFollowsTheConfiguration) {
  EXPECT_EQ(MeasurementUnitIndex(0), 0);
  EXPECT_EQ(MeasurementUnitIndex(1), 1);
  EXPECT_EQ(MeasurementUnitIndex(6), 6);
  EXPECT_EQ(MeasurementUnitIndex(7), 0);
  EXPECT_EQ(MeasurementUnitIndex(-1), 0);
  EXPECT_EQ(kMeasurementUnits[1].twipsPerUnit, 568);
}

}  // namespace
