// Shared by the grid table tests: documents with waves made to measure, the local offset held at
// 0 so time stamps read as UTC, and texts as std::u16string for readable comparisons.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/varnel_doc.h"
#include "text/time_base.h"
#include "text/tstring.h"
#include "views/core/grid_table.h"

namespace grid_test {

// 25/12/2024 13:45:10.250 UTC.
constexpr double kChristmas = 1735134310250.0;

inline std::u16string Text(const TString& text) {
  return std::u16string(text.Str(), text.Length());
}

struct WaveSpec {
  const char16_t* machine = u"";
  const char16_t* server = u"Sim";
  const char16_t* item = u"Item";
  std::vector<double> t = {};
  std::vector<double> y = {};
  std::vector<const char16_t*> s = {};
};

inline TWave MakeWave(const WaveSpec& spec) {
  TWave wave;
  wave.MachineName = spec.machine;
  wave.ServerName = spec.server;
  wave.ItemName = spec.item;
  wave.T = spec.t;
  wave.Y = spec.y;
  for (const char16_t* text : spec.s) wave.S.emplace_back(text);
  return wave;
}

inline std::vector<double> Seconds(std::size_t count, double from = kChristmas) {
  std::vector<double> t = {};
  for (std::size_t i = 0; i < count; ++i) t.push_back(from + 1000.0 * static_cast<double>(i));
  return t;
}

class GridTest : public ::testing::Test {
 protected:
  void SetUp() override { savedOffset_ = SetLocalOffsetForTesting(0); }
  void TearDown() override { SetLocalOffsetForTesting(savedOffset_); }

  void AddWave(const WaveSpec& spec) { doc_.Waves.push_back(MakeWave(spec)); }
  void Build(bool withMilliseconds = true, int language = 1) {
    table_.Build(doc_, withMilliseconds, language);
  }
  std::u16string Cell(int row, int column) {
    return std::u16string(table_.CellText(row, column, scratch_));
  }

  TVarnelDoc doc_;
  views::GridTable table_;
  views::CellScratch scratch_;

 private:
  double savedOffset_ = 0;
};

}  // namespace grid_test
