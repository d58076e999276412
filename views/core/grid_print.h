// The grid view's printout: the whole table as fixed-width text, cut into lines that fit the
// page and into pages, with a header and a footer on every page.
#pragma once

#include <cstddef>
#include <vector>

#include "text/tstring.h"
#include "views/core/grid_table.h"

namespace views {

// One line per table row, heading rows included. The texts are appended column by column, and
// after each column every line is padded with spaces to 3 more than the longest line, so the
// columns line up in a fixed-width font.
std::vector<TString> GridPrintLines(const GridTable& table);

// What the printer's device context tells about the page and the print font, in device pixels.
struct PrintMetrics {
  int printableWidth = 0;
  int printableHeight = 0;
  int averageCharWidth = 0;
  int charHeight = 0;
  int externalLeading = 0;
};

struct GridPrintLayout {
  int charactersPerLine = 1;
  int lineHeight = 1;
  int linesPerPage = 1;
};

// Characters per line = width / (average character width + 1); line height = character height
// + external leading; lines per page = height / line height - 10. Each is at least 1, so a page
// too small for the rule still prints one piece of one line.
GridPrintLayout ComputeGridPrintLayout(const PrintMetrics& metrics);

// Every line longer than the characters per line replaced by consecutive pieces of at most that
// many characters; shorter lines stay as they are.
std::vector<TString> GridPageLines(const std::vector<TString>& lines, int charactersPerLine);

// ceil(lines / lines per page), at least 1.
int GridPageCount(std::size_t lineCount, int linesPerPage);

// The lines [first, last) printed on page `page` (from 1).
struct LineSpan {
  std::size_t first = 0;
  std::size_t last = 0;
};
LineSpan GridPageLineSpan(int page, int linesPerPage, std::size_t lineCount);

// "Varnel Version <version>   Printing time : dd/mm/yyyy hh:mm:ss" of the local time of `now`.
TString GridPageHeader(const char16_t* version, double now);
// "%2d / %2d" of the page and the page count.
TString GridPageFooter(int page, int pageCount);

// Where the header, line i of a page and the footer are drawn.
inline constexpr int kGridPageHeaderY = 20;
inline constexpr int kGridPageLineX = 10;
inline int GridPageLineY(const GridPrintLayout& layout, std::size_t lineOnPage) {
  return static_cast<int>(5 + lineOnPage) * layout.lineHeight;
}
inline int GridPageFooterY(const GridPrintLayout& layout) {
  return (layout.linesPerPage + 8) * layout.lineHeight;
}

}  // namespace views
