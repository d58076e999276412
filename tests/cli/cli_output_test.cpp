#include <gtest/gtest.h>

#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "text/time_base.h"
#include "tools/cli/core/cut_warning.h"
#include "tools/cli/core/utf8.h"
#include "tools/cli/core/wave_table.h"

namespace cli {
namespace {

TEST(CliUtf8, RoundTripsAndReplacesInvalidBytes) {
  const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z";
  const TString wide = FromUtf8(text);
  EXPECT_EQ(wide.Length(), 6u);  // a, e acute, euro, a surrogate pair, z
  EXPECT_EQ(ToUtf8(wide), text);
  EXPECT_EQ(ToUtf8(FromUtf8("\xC3")), "\xEF\xBF\xBD");
  EXPECT_EQ(ToUtf8(FromUtf8("\xC0\xAF")), "\xEF\xBF\xBD\xEF\xBF\xBD");  // overlong
  const char16_t lone[] = {u'x', 0xD800, 0};
  EXPECT_EQ(ToUtf8(lone), "x\xEF\xBF\xBD");
}

TEST(CliTable, CellsQuotedAsRfc4180) {
  struct Case {
    const char* text;
    const char* csv;
    const char* tabs;
  };
  const Case cases[] = {
      {"plain", "plain", "plain"},
      {"a,b", "\"a,b\"", "a,b"},
      {"say \"hi\"", "\"say \"\"hi\"\"\"", "say \"hi\""},
      {"two\r\nlines", "\"two\r\nlines\"", "two  lines"},
      {"tab\there", "tab\there", "tab here"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TableCell(c.text, TTableFormat::Csv), c.csv);
    EXPECT_EQ(TableCell(c.text, TTableFormat::Tabs), c.tabs);
  }
}

TEST(CliTable, RowKHoldsTheKthSampleOfEveryWave) {
  const double previous = SetLocalOffsetForTesting(0.0);
  std::vector<TWave> waves(2);
  waves[0].ItemName = u"Flow, inlet";
  waves[0].T = {0.0, 1000.0, 2000.0};
  waves[0].Y = {1.5, NAN, -2e20};
  waves[1].ItemName = u"States";
  waves[1].T = {500.0};
  waves[1].S = {u"Running"};
  EXPECT_EQ(FormatWaveTable(waves, TTableFormat::Csv),
            "Time,\"Flow, inlet\",Time,States\r\n"
            "01/01/1970 00:00:00.000,1.5,01/01/1970 00:00:00.500,Running\r\n"
            "01/01/1970 00:00:01.000,1.#QNAN,,\r\n"
            "01/01/1970 00:00:02.000,-2E+20,,\r\n");
  EXPECT_EQ(FormatWaveTable(waves, TTableFormat::Tabs).substr(0, 33),
            "Time\tFlow, inlet\tTime\tStates\n01/0");
  EXPECT_EQ(FormatWaveTable({}, TTableFormat::Tabs), "\n");
  SetLocalOffsetForTesting(previous);
}

// The rows of a wave's pieces, one after another under the header, are the table of the whole
// wave: what read --all writes is what read writes.
TEST(CliTable, PiecesOneAfterAnotherMakeTheWholeTable) {
  const double previous = SetLocalOffsetForTesting(60 * 60000.0);
  TWave numbers;
  numbers.ItemName = u"Flow, \"inlet\"";
  TWave texts;
  texts.ItemName = u"States";
  for (int i = 0; i < 12; ++i) {
    numbers.T.push_back(1609459200000.0 + i * 1500.5);
    numbers.Y.push_back(i == 3 ? NAN : (i - 5) * 1e17 / 7);
    texts.T.push_back(1609459200000.0 + i * 1000.0);
    const char16_t* const kinds[] = {u"Running", u"", u"two\r\nlines", u"tab\there, comma",
                                     u"\"quoted\""};
    texts.S.push_back(kinds[i % 5]);
  }
  // Cut points: none, every value alone, one long piece and a short one, uneven pieces.
  const std::vector<std::vector<std::size_t>> cuttings = {
      {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {11}, {5, 7}};
  for (const TWave* wave : {&numbers, &texts}) {
    for (TTableFormat format : {TTableFormat::Csv, TTableFormat::Tabs}) {
      const std::string whole = FormatWaveTable(std::span(wave, 1), format);
      for (const std::vector<std::size_t>& cuts : cuttings) {
        std::string streamed = WaveTableHeader(std::span(wave, 1), format);
        std::size_t from = 0;
        std::vector<std::size_t> ends = cuts;
        ends.push_back(wave->T.size());
        for (std::size_t to : ends) {
          TWave piece;
          piece.T.assign(wave->T.begin() + from, wave->T.begin() + to);
          if (!wave->Y.empty()) piece.Y.assign(wave->Y.begin() + from, wave->Y.begin() + to);
          if (!wave->S.empty()) piece.S.assign(wave->S.begin() + from, wave->S.begin() + to);
          AppendWaveRows(streamed, piece, format);
          from = to;
        }
        EXPECT_EQ(streamed, whole) << cuts.size();
      }
    }
  }
  // The header of several waves is the first row of their table.
  const std::vector<TWave> both = {numbers, texts};
  const std::string table = FormatWaveTable(both, TTableFormat::Csv);
  EXPECT_EQ(WaveTableHeader(both, TTableFormat::Csv), table.substr(0, table.find("\r\n") + 2));
  EXPECT_EQ(WaveTableHeader(both, TTableFormat::Csv),
            "Time,\"Flow, \"\"inlet\"\"\",Time,States\r\n");
  std::string nothing;
  AppendWaveRows(nothing, TWave{}, TTableFormat::Csv);
  EXPECT_EQ(nothing, "");
  SetLocalOffsetForTesting(previous);
}

TEST(CliCutWarning, OneLinePerWaveCutAtTheLimit) {
  const double previous = SetLocalOffsetForTesting(0.0);
  const auto wave = [](const char16_t* item, std::size_t values, bool cut) {
    TWave w;
    w.ItemName = item;
    for (std::size_t i = 0; i < values; ++i) w.T.push_back(1609718400000.0 + i * 1000.0);
    w.Y.assign(values, 1.0);
    w.Cut = cut;
    return w;
  };
  struct Case {
    std::vector<TWave> waves;
    const char* hint;
    std::string lines;
  };
  const Case cases[] = {
      {{wave(u"Waves/Ramp 1s", 32000, true)},
       "--all",
       "varnel-cli: warning: Waves/Ramp 1s: only the first 32000 values were read, up to "
       "04/01/2021 08:53:19.000; use --all for the whole period\n"},
      {{wave(u"A", 32000, false), wave(u"Température, 2", 3, true), wave(u"C", 0, true),
        wave(u"D", 2, true)},
       "read --all",
       "varnel-cli: warning: Temp\xC3\xA9rature, 2: only the first 3 values were read, up to "
       "04/01/2021 00:00:02.000; use read --all for the whole period\n"
       "varnel-cli: warning: D: only the first 2 values were read, up to 04/01/2021 00:00:01.000; "
       "use read --all for the whole period\n"},
      {{wave(u"A", 32000, false)}, "--all", ""},
      {{}, "--all", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CutWaveWarnings(c.waves, c.hint), c.lines);
  SetLocalOffsetForTesting(previous);
}

}  // namespace
}  // namespace cli
