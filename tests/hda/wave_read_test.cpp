#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>

#include "document/log_entry.h"
#include "hda/connection_list.h"
#include "hda/wave_conversion.h"
#include "tests/hda/hda_test_support.h"
#include "text/integer_text.h"

namespace hda_test {
namespace {

class WaveRead : public ::testing::Test {
 protected:
  void SetUp() override {
    HdaServerDef server;
    server.ServerName = kServer1;
    ASSERT_TRUE(list_.Add(server));
    ClearLog();
  }

  TWave Read(const char16_t* item, double start, double stop) {
    TWave wave;
    wave.ServerName = kServer1;
    wave.ItemName = item;
    EXPECT_FALSE(list_.ReadWave(list_.Id(0), wave, start, stop));
    return wave;
  }

  static bool Logged(const TString& text, int level) {
    for (const TLogEntry& entry : LogEntries()) {
      if (entry.Text == text && entry.Level == level && entry.Type == kTypeOpc) return true;
    }
    return false;
  }
  static bool LoggedStart(const char16_t* start) {
    for (const TString& text : LogTexts()) {
      if (text.Find(start) == 0) return true;
    }
    return false;
  }

  TRecordingMessages messages_;
  THdaConnectionList list_{messages_};
};

TEST_F(WaveRead, EmptyPeriodEmptiesTheWaveAndSaysSo) {
  TWave wave;
  wave.ServerName = kServer1;
  wave.ItemName = u"Gaps/From 2020 1s";
  wave.T = {1, 2};
  wave.Y = {3, 4};
  // History of this item starts in 2020.
  const double june2019 = kJune2021 - 2 * 365 * 86400 * kSecond;
  EXPECT_FALSE(list_.ReadWave(list_.Id(0), wave, june2019, june2019 + 60 * kSecond));
  EXPECT_TRUE(wave.T.empty());
  EXPECT_TRUE(wave.Y.empty());
  EXPECT_TRUE(Logged(u"0 points received", kLevelDebug));
  EXPECT_TRUE(
      LoggedStart(u"Reading HDA Items from server :Varnel.HdaSim.1:Gaps/From 2020 1s from "));
  EXPECT_FALSE(LoggedStart(u"Receiving Wave from HDA server "));
}

TEST_F(WaveRead, LogsTheReadAndTheReceivedWave) {
  // The end of the period is not part of it.
  TWave wave = Read(u"Waves/Ramp 1s", kJune2021, kJune2021 + 5 * kSecond);
  ASSERT_EQ(wave.T.size(), 5u);
  EXPECT_EQ(wave.T.front(), kJune2021);
  EXPECT_EQ(wave.T.back(), kJune2021 + 4 * kSecond);
  EXPECT_EQ(wave.Y[1] - wave.Y[0], 1.0);
  const TString label(u":Varnel.HdaSim.1:Waves/Ramp 1s");
  const TString from = hda::StampText(kJune2021);
  const TString to = hda::StampText(kJune2021 + 5 * kSecond);
  const TString last = hda::StampText(kJune2021 + 4 * kSecond);
  EXPECT_TRUE(Logged(TString(u"Reading HDA Items from server ", label.Str(), u" from ", from.Str(),
                             u" to ", to.Str()),
                     kLevelDebug));
  EXPECT_TRUE(Logged(u"5 points received", kLevelDebug));
  EXPECT_TRUE(Logged(TString(u"Receiving Wave from HDA server ", label.Str(), u" from ", from.Str(),
                             u" to ", last.Str()),
                     kLevelDebug));
}

TEST_F(WaveRead, BooleanTrueIsMinusOne) {
  TWave wave = Read(u"Types/BOOL", kJune2021, kJune2021 + 20 * kSecond);
  ASSERT_EQ(wave.Y.size(), 20u);
  EXPECT_TRUE(wave.S.empty());
  EXPECT_TRUE(
      std::all_of(wave.Y.begin(), wave.Y.end(), [](double y) { return y == -1 || y == 0; }));
  EXPECT_EQ(std::count(wave.Y.begin(), wave.Y.end(), -1.0), 10);
}

TEST_F(WaveRead, TextWaveTurnsLaterNonStringsIntoEmptyTexts) {
  // Every third sample of this item (second number mod 3 == 2) is not a string; the period
  // starts on one that is.
  double start = kJune2021;
  while (static_cast<long long>(start / kSecond) % 3 != 0) start += kSecond;
  TWave wave = Read(u"Text/Mixed 1s", start, start + 9 * kSecond);
  ASSERT_EQ(wave.S.size(), 9u);
  EXPECT_TRUE(wave.Y.empty());
  EXPECT_EQ(wave.T.size(), 9u);
  for (std::size_t i = 0; i < wave.S.size(); ++i) EXPECT_EQ(wave.S[i].IsEmpty(), i % 3 == 2) << i;
  EXPECT_EQ(wave.S[0], TString(u"00:00:00"));
}

struct TypeCase {
  const char16_t* item;
  bool numbers;  // false: NaN at every point
};

class WaveReadTypes : public WaveRead, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(WaveReadTypes, ConvertByTheValuesOwnType) {
  TWave wave = Read(GetParam().item, kJune2021, kJune2021 + 30 * kSecond);
  ASSERT_EQ(wave.Y.size(), 30u);
  EXPECT_TRUE(wave.S.empty());
  for (double y : wave.Y) EXPECT_EQ(std::isfinite(y), GetParam().numbers) << y;
  if (GetParam().numbers) {
    EXPECT_NE(*std::min_element(wave.Y.begin(), wave.Y.end()),
              *std::max_element(wave.Y.begin(), wave.Y.end()));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Types, WaveReadTypes,
    ::testing::Values(TypeCase{u"Types/I1", true}, TypeCase{u"Types/UI1", true},
                      TypeCase{u"Types/I2", true}, TypeCase{u"Types/UI2", true},
                      TypeCase{u"Types/I4", true}, TypeCase{u"Types/UI4", true},
                      TypeCase{u"Types/INT", true}, TypeCase{u"Types/UINT", true},
                      TypeCase{u"Types/R4", true}, TypeCase{u"Types/R8", true},
                      TypeCase{u"Types/EMPTY", false}, TypeCase{u"Types/NULL", false},
                      TypeCase{u"Types/CY", false}, TypeCase{u"Types/DATE", false},
                      TypeCase{u"Types/I8", false}, TypeCase{u"Types/UI8", false},
                      TypeCase{u"Types/R8 array", false}));

TEST_F(WaveRead, UnsignedTypesKeepTheirHighValues) {
  TWave wave = Read(u"Types/UI4", kJune2021, kJune2021 + 59 * kSecond);
  ASSERT_FALSE(wave.Y.empty());
  EXPECT_GT(*std::max_element(wave.Y.begin(), wave.Y.end()), 3e9);
  EXPECT_GE(*std::min_element(wave.Y.begin(), wave.Y.end()), 0.0);
}

TEST_F(WaveRead, MoreThan32000ValuesAreCutAndWarnedAbout) {
  // 200 seconds of a 5 ms item hold 40000 values.
  TWave wave = Read(u"Dense/Sine 5ms", kJune2021, kJune2021 + 200 * kSecond);
  EXPECT_EQ(wave.T.size(), 32000u);
  EXPECT_EQ(wave.Y.size(), 32000u);
  EXPECT_EQ(wave.T[1] - wave.T[0], 5.0);
  EXPECT_TRUE(wave.Cut);
  const auto entries = LogEntries();
  auto warning = std::find_if(entries.begin(), entries.end(), [](const TLogEntry& e) {
    return e.Text ==
           TString(u"More than32000 points available. Please reduce the graphic duration");
  });
  ASSERT_NE(warning, entries.end());
  EXPECT_EQ(warning->Level, kLevelInfo);
  EXPECT_EQ(warning->Type, kTypeOpc);
  ASSERT_NE(warning + 1, entries.end());
  EXPECT_EQ((warning + 1)->Text, TString(u"32000 points received"));
}

TEST_F(WaveRead, FailingReadEmptiesTheWave) {
  TWave wave;
  wave.ServerName = kServer1;
  wave.ItemName = u"Faults/Read fails";
  wave.T = {1};
  wave.Y = {1};
  EXPECT_FALSE(list_.ReadWave(list_.Id(0), wave, kJune2021, kJune2021 + 10 * kSecond));
  EXPECT_TRUE(wave.T.empty());
  EXPECT_TRUE(Logged(u"0 points received", kLevelDebug));
}

TEST_F(WaveRead, UnknownItemKeepsTheWave) {
  TWave wave;
  wave.ServerName = kServer1;
  wave.ItemName = u"No/Such item";
  wave.T = {1};
  wave.S = {u"kept"};
  EXPECT_TRUE(list_.ReadWave(list_.Id(0), wave, kJune2021, kJune2021 + 10 * kSecond));
  EXPECT_EQ(wave.S.size(), 1u);
  EXPECT_FALSE(LoggedStart(u"Reading HDA Items"));
  ASSERT_EQ(messages_.texts.size(), 1u);
}

TEST_F(WaveRead, UnsetStopTimeIsAValidRequest) {
  // +infinity has no FILETIME; it is sent as the largest one rather than as garbage.
  TWave wave = Read(u"Waves/Ramp 1s", kJune2021, INFINITY);
  EXPECT_TRUE(LoggedStart(u"Reading HDA Items from server :Varnel.HdaSim.1:Waves/Ramp 1s from "));
  bool toInf = false;
  for (const TString& text : LogTexts()) toInf = toInf || text.Find(u" to INF") > 0;
  EXPECT_TRUE(toInf);
  EXPECT_EQ(wave.T.size(), wave.Y.size());
}

// A server that gives at most 1000 values a call, beside one that gives what is asked: a read goes
// on from the last value returned until the period or the 32000 values are read.
struct TContinuedCase {
  const char16_t* server;
  int seconds;  // of "Waves/Ramp 1s" from 00:00 UTC on: value i is i, at second i
  std::size_t values;
  bool cut;
};

void PrintTo(const TContinuedCase& c, std::ostream* out) {
  *out << (c.server == kServer1 ? "class 1, " : "class 16, ") << c.seconds << " s";
}

class WaveReadContinued : public ::testing::TestWithParam<TContinuedCase> {
 protected:
  void SetUp() override {
    HdaServerDef server;
    server.ServerName = GetParam().server;
    ASSERT_TRUE(list_.Add(server));
    ASSERT_NE(list_.At(0).Session(), AMBREL_NO_SESSION);
    ClearLog();
  }

  static std::size_t CountLogged(const TString& text) {
    std::size_t count = 0;
    for (const TString& logged : LogTexts()) {
      if (logged == text) ++count;
    }
    return count;
  }

  TRecordingMessages messages_;
  THdaConnectionList list_{messages_};
};

TEST_P(WaveReadContinued, EveryValueOnceInOrderUpToTheLimit) {
  const TContinuedCase& c = GetParam();
  TWave wave;
  wave.ServerName = c.server;
  wave.ItemName = u"Waves/Ramp 1s";
  // A cut read before must not leave its mark on this one.
  wave.Cut = !c.cut;
  ASSERT_FALSE(list_.ReadWave(list_.Id(0), wave, kJune2021, kJune2021 + c.seconds * kSecond));
  ASSERT_EQ(wave.T.size(), c.values);
  ASSERT_EQ(wave.Y.size(), c.values);
  std::size_t wrong = 0;
  for (std::size_t i = 0; i < c.values; ++i) {
    // The ramp's value is worked out in doubles: a last bit may differ.
    const bool right = wave.T[i] == kJune2021 + static_cast<double>(i) * kSecond &&
                       std::abs(wave.Y[i] - static_cast<double>(i)) < 1e-9;
    if (!right && wrong++ < 5) {
      ADD_FAILURE() << "value " << i << ": " << wave.T[i] << " " << wave.Y[i];
    }
  }
  EXPECT_EQ(wrong, 0u);
  EXPECT_EQ(wave.Cut, c.cut);
  EXPECT_EQ(CountLogged(u"More than32000 points available. Please reduce the graphic duration"),
            c.cut ? 1u : 0u);
  EXPECT_EQ(CountLogged(TString(IntegerText(static_cast<std::int64_t>(c.values)).Str(),
                                u" points received")),
            1u);
  EXPECT_TRUE(messages_.texts.empty());
}

INSTANTIATE_TEST_SUITE_P(Servers, WaveReadContinued,
                         ::testing::Values(TContinuedCase{kServer1, 7200, 7200, false},
                                           TContinuedCase{kServer1000, 7200, 7200, false},
                                           TContinuedCase{kServer1, 32000, 32000, false},
                                           TContinuedCase{kServer1000, 32000, 32000, false},
                                           TContinuedCase{kServer1, 32001, 32000, true},
                                           TContinuedCase{kServer1000, 32001, 32000, true},
                                           TContinuedCase{kServer1000, 86400, 32000, true}));

}  // namespace
}  // namespace hda_test
