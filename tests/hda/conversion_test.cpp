#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <string>

#include <cmath>
#include <cstring>
#include <limits>

#include "hda/hda_item.h"
#include "hda/wave_conversion.h"
#include "tests/hda/hda_test_support.h"

namespace hda_test {
namespace {

FILETIME Split(std::uint64_t units) {
  return FILETIME{static_cast<DWORD>(units), static_cast<DWORD>(units >> 32)};
}

TEST(FileTimeConversion, StampsOfFileTimes) {
  struct Case {
    std::uint64_t units;
    double stamp;
  };
  const Case cases[] = {
      {116444736000000000ull, 0.0},         // 1 January 1970
      {116444736000000000ull + 9999, 0.0},  // below a millisecond: floored
      {116444736000000000ull - 1, -1.0},    // just before 1970
      {116444736000000000ull + 10000, 1.0},
      {132670944000000000ull, 1622620800000.0},  // 2 June 2021
      {0, -11644473600000.0},
  };
  for (const Case& c : cases) EXPECT_EQ(hda::StampOfFileTime(Split(c.units)), c.stamp) << c.units;
}

TEST(FileTimeConversion, FileTimesOfStamps) {
  struct Case {
    double stamp;
    std::uint64_t units;
  };
  const Case cases[] = {
      {0.0, 116444736000000000ull},
      {0.9, 116444736000000000ull},  // truncated
      {1622620800000.0, 132670944000000000ull},
      {-11644473600000.0, 0},
      {-2e13, 0},  // before 1601
      {std::numeric_limits<double>::quiet_NaN(), 0},
      {INFINITY, 9223372036854770000ull},
      {-INFINITY, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(hda::FileTimeOfStamp(c.stamp), c.units) << c.stamp;
  // Round trip of whole milliseconds.
  for (double t : {0.0, 1.0, 1622505600123.0, 4102444799999.0}) {
    EXPECT_EQ(hda::StampOfFileTime(Split(hda::FileTimeOfStamp(t))), t);
  }
}

VARIANT Of(VARTYPE type, std::uint64_t bits) {
  VARIANT v;
  VariantInit(&v);
  v.vt = type;
  std::memcpy(&v.llVal, &bits, sizeof bits);
  return v;
}

TEST(VariantConversion, NumbersByType) {
  struct Case {
    VARTYPE type;
    std::uint64_t bits;
    double expected;
  };
  float r4 = 1.5f;
  std::uint32_t r4bits;
  std::memcpy(&r4bits, &r4, 4);
  double r8 = -2.25;
  std::uint64_t r8bits;
  std::memcpy(&r8bits, &r8, 8);
  const Case cases[] = {
      {VT_I2, 0xFFFF, -1},
      {VT_BOOL, 0xFFFF, -1},
      {VT_BOOL, 0, 0},
      {VT_I4, 0xFFFFFFFE, -2},
      {VT_INT, 0x80000000, -2147483648.0},
      {VT_R4, r4bits, 1.5},
      {VT_R8, r8bits, -2.25},
      {VT_I1, 0xFB, -5},
      {VT_UI1, 0xFB, 251},
      {VT_UI2, 0xFFFF, 65535},
      {VT_UI4, 0xFFFFFFFF, 4294967295.0},
      {VT_UINT, 0xC0000000, 3221225472.0},
  };
  for (const Case& c : cases) {
    VARIANT v = Of(c.type, c.bits);
    EXPECT_EQ(hda::NumberOfVariant(v), c.expected) << c.type;
  }
  for (VARTYPE type : std::initializer_list<VARTYPE>{
           VT_EMPTY, VT_NULL, VT_CY, VT_DATE, VT_BSTR, VT_ERROR, VT_DECIMAL, VT_I8, VT_UI8,
           static_cast<VARTYPE>(VT_ARRAY | VT_R8), static_cast<VARTYPE>(VT_BYREF | VT_R8)}) {
    const double y = hda::NumberOfVariant(Of(type, 0));
    std::uint64_t bits;
    std::memcpy(&bits, &y, 8);
    EXPECT_EQ(bits, 0x7FF8000000000000ull) << type;
  }
}

TEST(VariantConversion, Texts) {
  VARIANT text = Of(VT_BSTR, 0);
  text.bstrVal = SysAllocStringLen(L"ab\0cd", 5);
  EXPECT_EQ(hda::TextOfVariant(text), TString(u"ab"));
  VariantClear(&text);
  EXPECT_TRUE(hda::TextOfVariant(Of(VT_BSTR, 0)).IsEmpty());  // a null string
  EXPECT_TRUE(hda::TextOfVariant(Of(VT_R8, 0)).IsEmpty());
}

TEST(WaveLabel, MachineOnlyWhenServerIsNamed) {
  TWave wave;
  wave.ItemName = u"i";
  wave.ServerName = u"s";
  EXPECT_EQ(hda::WaveLabel(wave), TString(u":s:i"));
  wave.MachineName = u"m";
  EXPECT_EQ(hda::WaveLabel(wave), TString(u"m:s:i"));
  wave.ServerName = u"";
  EXPECT_EQ(hda::WaveLabel(wave), TString(u"m:i"));
}

TEST(HdaItem, SetAttributeGrowsReportsAndCopiesDeep) {
  ClearLog();
  THdaItem item(u"m", u"s", u"i");
  VARIANT text = Of(VT_BSTR, 0);
  text.bstrVal = SysAllocString(L"units");
  item.SetAttribute(3, text);
  EXPECT_EQ(text.vt, VT_EMPTY);  // taken over
  ASSERT_EQ(item.Attributes().Size(), 4u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(item.Attributes()[i].vt, VT_EMPTY);
  EXPECT_TRUE(LogTexts().empty());

  VARIANT number = Of(VT_I4, 7);
  item.SetAttribute(32, number);
  ASSERT_EQ(item.Attributes().Size(), 33u);
  EXPECT_EQ(item.Attributes()[32].lVal, 7);
  const auto texts = LogTexts();
  ASSERT_EQ(texts.size(), 1u);
  // The line is the one of the check in hda_item.cpp, whatever it is.
  const std::u16string report(texts[0].Str());
  EXPECT_TRUE(report.starts_with(u"Assert in HdaClient line ")) << texts[0].Length();
  EXPECT_TRUE(report.ends_with(u": idx too big in THdaItem::SetAttribute()"));

  VARIANT smaller = Of(VT_I4, 1);
  item.SetAttribute(0, smaller);
  EXPECT_EQ(item.Attributes().Size(), 33u);  // never shrinks

  THdaItem copy(item);
  EXPECT_EQ(copy.ItemName, TString(u"i"));
  ASSERT_EQ(copy.Attributes().Size(), 33u);
  EXPECT_NE(copy.Attributes()[3].bstrVal, item.Attributes()[3].bstrVal);
  EXPECT_EQ(std::wstring(copy.Attributes()[3].bstrVal), L"units");
  item = copy;
  EXPECT_EQ(std::wstring(item.Attributes()[3].bstrVal), L"units");
}

}  // namespace
}  // namespace hda_test
