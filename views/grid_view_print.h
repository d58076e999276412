// The grid view's printout on a printer's device context: the table as fixed-width lines in
// Courier New 6.5 pt, cut to the page width, with a header and a footer on every page. The
// printing engine calls Begin, then DrawPage for each page, then End.
#pragma once

#include <windows.h>

#include <vector>

#include "text/tstring.h"
#include "views/core/grid_print.h"
#include "views/core/grid_table.h"
#include "win/handle.h"

namespace views {

class GridPrintJob {
 public:
  static constexpr int kFontTenthsOfPoint = 65;

  // Makes the print lines of the table and the font for the DC, and lays out the pages. Returns
  // the page count (at least 1), the last page of the job.
  int Begin(HDC dc, const GridTable& table);
  // Draws page `page` (from 1): the header, its lines and the footer.
  void DrawPage(HDC dc, int page) const;
  // Lets go of the lines and the font.
  void End();

  bool IsActive() const { return static_cast<bool>(font_); }
  int PageCount() const { return page_count_; }
  const GridPrintLayout& Layout() const { return layout_; }
  const std::vector<TString>& PageLines() const { return page_lines_; }

 private:
  std::vector<TString> page_lines_;
  win::UniqueGdiObject font_;
  GridPrintLayout layout_;
  int page_count_ = 0;
};

}  // namespace views
