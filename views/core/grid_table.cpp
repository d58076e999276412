#include "views/core/grid_table.h"

#include <algorithm>

#include "strings/resource_text.h"
#include "strings/string_ids.h"
#include "text/time_format.h"

namespace views {

namespace {

constexpr std::uint32_t kLongestUnsplitHeading = 19;
constexpr std::uint32_t kFirstSplitPoint = 16;
constexpr std::uint32_t kLastSplitPoint = 21;

std::u16string_view View(const char16_t* text) { return std::u16string_view(text); }

std::u16string_view View(const char16_t* text, std::uint32_t length) {
  return std::u16string_view(text, length);
}

// Rows and columns of the data, counted from the first row under the headings.
struct DataCell {
  std::size_t index;  // sample number
  bool isTime;        // the wave's time column, else its value column
};

DataCell ToDataCell(int row, int column) {
  return {static_cast<std::size_t>(row - kGridHeadingRows), (column - 1) % 2 == 0};
}

bool EvenSample(std::size_t index) { return index % 2 == 0; }

}  // namespace

SplitHeadingText SplitHeading(const TString& heading) {
  const std::uint32_t length = heading.Length();
  if (length <= kLongestUnsplitHeading) return {heading, TString()};
  const char16_t* text = heading.Str();
  for (std::uint32_t i = kFirstSplitPoint; i <= kLastSplitPoint && i < length; ++i) {
    if (text[i] == u'.') {
      SplitHeadingText split;
      split.top.Assign(i + 1, text);
      split.bottom.Assign(length - i - 1, text + i + 1);
      return split;
    }
  }
  const std::uint32_t half = length / 2;
  SplitHeadingText split;
  split.top.Assign(half, text);
  split.top.Append(u'-');
  split.bottom.Assign(length - half, text + half);
  return split;
}

std::vector<TString> GridHeadings(const std::vector<TWave>& waves) {
  std::vector<TString> headings;
  headings.reserve(1 + 2 * waves.size());
  headings.emplace_back(u"#");
  for (const TWave& wave : waves) {
    headings.emplace_back(u"Time");
    headings.push_back(wave.ItemName);
  }
  return headings;
}

void GridTable::Build(const TVarnelDoc& doc, bool withMilliseconds, int language) {
  waves_ = &doc.Waves;
  withMilliseconds_ = withMilliseconds;
  headings_ = GridHeadings(doc.Waves);
  split_.clear();
  split_.reserve(headings_.size());
  for (const TString& heading : headings_) split_.push_back(SplitHeading(heading));
  // "Time" fits the top row, so the row under it is free for the note.
  for (std::size_t i = 0; i < doc.Waves.size(); ++i) {
    if (doc.Waves[i].Cut) split_[1 + 2 * i].bottom = RString(IDS_GRID_FIRST_VALUES, language);
  }
  longest_ = 0;
  for (const TWave& wave : doc.Waves) longest_ = std::max(longest_, wave.T.size());
}

void GridTable::Clear() {
  waves_ = nullptr;
  headings_.clear();
  split_.clear();
  longest_ = 0;
}

int GridTable::WaveOfColumn(int column) const {
  if (column < 1 || column >= ColumnCount()) return -1;
  return (column - 1) / 2;
}

const TWave* GridTable::WaveAt(int column) const {
  const int wave = WaveOfColumn(column);
  if (wave < 0 || !waves_ || static_cast<std::size_t>(wave) >= waves_->size()) return nullptr;
  return &(*waves_)[static_cast<std::size_t>(wave)];
}

std::u16string_view GridTable::CellText(int row, int column, CellScratch& scratch) const {
  if (row < 0 || column < 0 || row >= RowCount() || column >= ColumnCount()) return {};
  if (row < kGridHeadingRows) {
    const SplitHeadingText& split = split_[static_cast<std::size_t>(column)];
    const TString& text = row == 0 ? split.top : split.bottom;
    return View(text.Str(), text.Length());
  }
  const std::size_t index = static_cast<std::size_t>(row - kGridHeadingRows);
  if (column == 0) {
    if (index >= longest_) return {};
    const std::uint32_t length = FormatNumber(static_cast<double>(index), 0, scratch.number);
    return View(scratch.number, length);
  }
  const TWave* wave = WaveAt(column);
  if (!wave) return {};
  const DataCell cell = ToDataCell(row, column);
  if (cell.isTime) {
    if (index >= wave->T.size()) return {};
    TimeToFields(wave->T[index], scratch.time);
    return View(FormatDateTime(scratch.time, withMilliseconds_));
  }
  if (index < wave->S.size()) return View(wave->S[index].Str(), wave->S[index].Length());
  if (index >= wave->Y.size()) return {};
  const std::uint32_t length = FormatNumber(wave->Y[index], 3, scratch.number);
  return View(scratch.number, length);
}

graph::TColor GridTable::CellColour(int row, int column) const {
  if (row < kGridHeadingRows || column < 0 || row >= RowCount() || column >= ColumnCount()) {
    return kGridNoColour;
  }
  const std::size_t index = static_cast<std::size_t>(row - kGridHeadingRows);
  const graph::TColor valueShade = EvenSample(index) ? kGridPlainShade : kGridValueShade;
  if (column == 0) return index < longest_ ? valueShade : kGridNoColour;
  const TWave* wave = WaveAt(column);
  if (!wave) return kGridNoColour;
  const DataCell cell = ToDataCell(row, column);
  if (cell.isTime) return index < wave->T.size() ? valueShade : kGridNoColour;
  if (index < wave->S.size()) return EvenSample(index) ? kGridPlainShade : kGridTextShade;
  return index < wave->Y.size() ? valueShade : kGridNoColour;
}

}  // namespace views
