// The grid view's table: a "#" column of row numbers, then per wave a time column and a value
// column, under two heading rows. Every text and colour is made on demand from the document's
// waves, so a table of 32000 rows keeps nothing per cell; the grid on the screen, the clipboard
// copy and the printout all read their texts here.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "document/varnel_doc.h"
#include "graph/canvas.h"
#include "text/numbers.h"
#include "text/time_fields.h"
#include "text/tstring.h"

namespace views {

inline constexpr int kGridHeadingRows = 2;
inline constexpr int kGridFirstColumnWidth = 32;  // pixels
inline constexpr int kGridColumnWidth = 130;      // pixels
inline constexpr graph::TColor kGridOutsideColour = graph::Rgb(235, 235, 235);
inline constexpr graph::TColor kGridPlainShade = graph::Rgb(255, 255, 255);
inline constexpr graph::TColor kGridValueShade = graph::Rgb(255, 235, 235);
inline constexpr graph::TColor kGridTextShade = graph::Rgb(235, 235, 255);
// A cell without a colour of its own: it takes the grid's default.
inline constexpr graph::TColor kGridNoColour = 0xFFFFFFFF;

// A heading over the two heading rows.
struct SplitHeadingText {
  TString top;
  TString bottom;
};

// Headings up to 19 characters stay in the top row. Longer ones are cut after a "." at character
// 16 to 21 (the first there), else in half with "-" after the first half.
SplitHeadingText SplitHeading(const TString& heading);

// "#", then "Time" and the wave's item name for each wave.
std::vector<TString> GridHeadings(const std::vector<TWave>& waves);

// Where a cell text is written when it is not a text of the document; one per caller, reused
// from cell to cell.
struct CellScratch {
  TTimeFields time;
  NumberText number = {};
};

class GridTable {
 public:
  // Takes the headings and the size from the document's waves, which the table reads from then
  // on: the document must outlive the table's use until the next Build or Clear. A wave that
  // shrinks before the next Build only shows fewer cells. The time column of a wave cut at the
  // document's value limit says so under its heading, in `language`.
  void Build(const TVarnelDoc& doc, bool withMilliseconds, int language);
  void Clear();

  const std::vector<TString>& Headings() const { return headings_; }
  // The longest wave's number of time stamps plus the two heading rows and one empty row.
  int RowCount() const { return static_cast<int>(longest_) + kGridHeadingRows + 1; }
  int ColumnCount() const { return static_cast<int>(headings_.size()); }
  bool WithMilliseconds() const { return withMilliseconds_; }

  // The text of a cell, empty outside the table. It points into `scratch` or into the document
  // and stays valid until the next call with the same scratch or the next change of the wave.
  std::u16string_view CellText(int row, int column, CellScratch& scratch) const;
  // The cell's background, or kGridNoColour.
  graph::TColor CellColour(int row, int column) const;

  // The wave of a column, or -1 for column 0 and columns outside the table.
  int WaveOfColumn(int column) const;

 private:
  const TWave* WaveAt(int column) const;

  const std::vector<TWave>* waves_ = nullptr;
  std::vector<TString> headings_;
  std::vector<SplitHeadingText> split_;
  std::size_t longest_ = 0;
  bool withMilliseconds_ = false;
};

}  // namespace views
