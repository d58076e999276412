#include "views/core/grid_print.h"

#include <algorithm>

#include "text/integer_text.h"
#include "text/time_format.h"

namespace views {

namespace {

constexpr std::uint32_t kColumnGap = 3;
constexpr int kLinesKeptFree = 10;

// The integer right-aligned in at least `width` characters, as printf's "%<width>d".
void AppendPadded(TString& text, int value, std::uint32_t width) {
  const TString digits = IntegerText(value);
  for (std::uint32_t n = digits.Length(); n < width; ++n) text.Append(u' ');
  text.Append(digits);
}

}  // namespace

std::vector<TString> GridPrintLines(const GridTable& table) {
  std::vector<TString> lines(static_cast<std::size_t>(table.RowCount()));
  CellScratch scratch;
  for (int column = 0; column < table.ColumnCount(); ++column) {
    std::uint32_t longest = 0;
    for (std::size_t row = 0; row < lines.size(); ++row) {
      const std::u16string_view text = table.CellText(static_cast<int>(row), column, scratch);
      lines[row].Append(static_cast<std::uint32_t>(text.size()), text.data());
      longest = std::max(longest, lines[row].Length());
    }
    for (TString& line : lines) line.SetLength(longest + kColumnGap);
  }
  return lines;
}

GridPrintLayout ComputeGridPrintLayout(const PrintMetrics& m) {
  GridPrintLayout layout;
  layout.charactersPerLine = std::max(1, m.printableWidth / std::max(1, m.averageCharWidth + 1));
  layout.lineHeight = std::max(1, m.charHeight + m.externalLeading);
  layout.linesPerPage = std::max(1, m.printableHeight / layout.lineHeight - kLinesKeptFree);
  return layout;
}

std::vector<TString> GridPageLines(const std::vector<TString>& lines, int charactersPerLine) {
  const auto width = static_cast<std::uint32_t>(std::max(1, charactersPerLine));
  std::vector<TString> pieces;
  pieces.reserve(lines.size());
  for (const TString& line : lines) {
    if (line.Length() <= width) {
      pieces.push_back(line);
      continue;
    }
    for (std::uint32_t at = 0; at < line.Length(); at += width) {
      TString piece;
      piece.Assign(std::min(width, line.Length() - at), line.Str() + at);
      pieces.push_back(std::move(piece));
    }
  }
  return pieces;
}

int GridPageCount(std::size_t lineCount, int linesPerPage) {
  const auto perPage = static_cast<std::size_t>(std::max(1, linesPerPage));
  return std::max(1, static_cast<int>((lineCount + perPage - 1) / perPage));
}

LineSpan GridPageLineSpan(int page, int linesPerPage, std::size_t lineCount) {
  if (page < 1) return {};
  const auto perPage = static_cast<std::size_t>(std::max(1, linesPerPage));
  const std::size_t first = std::min(lineCount, static_cast<std::size_t>(page - 1) * perPage);
  return {first, std::min(lineCount, first + perPage)};
}

TString GridPageHeader(const char16_t* version, double now) {
  TTimeFields fields;
  TimeToFields(now, fields);
  return TString(u"Varnel", u" Version ", version, u"   Printing time : ",
                 FormatDateTime(fields, false));
}

TString GridPageFooter(int page, int pageCount) {
  TString footer;
  AppendPadded(footer, page, 2);
  footer.Append(u" / ");
  AppendPadded(footer, pageCount, 2);
  return footer;
}

}  // namespace views
