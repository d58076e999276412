#include "views/grid_view_print.h"

#include "app_context/about_text.h"
#include "platform/wide.h"
#include "text/time_base.h"
#include "ui/gdi_select.h"

namespace views {

namespace {

using platform::W;

void DrawCentred(HDC dc, const TString& text, int y) {
  SIZE extent{};
  GetTextExtentPoint32W(dc, W(text), static_cast<int>(text.Length()), &extent);
  const int x = (GetDeviceCaps(dc, HORZRES) - extent.cx) / 2;
  TextOutW(dc, x, y, W(text), static_cast<int>(text.Length()));
}

}  // namespace

int GridPrintJob::Begin(HDC dc, const GridTable& table) {
  End();
  LOGFONTW font{};
  font.lfHeight = -MulDiv(kFontTenthsOfPoint, GetDeviceCaps(dc, LOGPIXELSY), 720);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynW(font.lfFaceName, L"Courier New", LF_FACESIZE);
  font_.Reset(CreateFontIndirectW(&font));

  TEXTMETRICW metrics{};
  {
    ui::SelectGuard select(dc, font_ ? font_.Get() : GetStockObject(ANSI_FIXED_FONT));
    GetTextMetricsW(dc, &metrics);
  }
  PrintMetrics page;
  page.printableWidth = GetDeviceCaps(dc, HORZRES);
  page.printableHeight = GetDeviceCaps(dc, VERTRES);
  page.averageCharWidth = metrics.tmAveCharWidth;
  page.charHeight = metrics.tmHeight;
  page.externalLeading = metrics.tmExternalLeading;
  layout_ = ComputeGridPrintLayout(page);
  // The whole lines are not needed once they are cut to the page: only the pieces are kept.
  page_lines_ = GridPageLines(GridPrintLines(table), layout_.charactersPerLine);
  page_count_ = GridPageCount(page_lines_.size(), layout_.linesPerPage);
  return page_count_;
}

void GridPrintJob::DrawPage(HDC dc, int page) const {
  if (page < 1 || page > page_count_) return;
  ui::SelectGuard select(dc, font_ ? font_.Get() : GetStockObject(ANSI_FIXED_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  DrawCentred(dc, GridPageHeader(kVersionNumberText, Now()), kGridPageHeaderY);
  const LineSpan span = GridPageLineSpan(page, layout_.linesPerPage, page_lines_.size());
  for (std::size_t i = span.first; i < span.last; ++i) {
    const TString& line = page_lines_[i];
    TextOutW(dc, kGridPageLineX, GridPageLineY(layout_, i - span.first), W(line),
             static_cast<int>(line.Length()));
  }
  DrawCentred(dc, GridPageFooter(page, page_count_), GridPageFooterY(layout_));
}

void GridPrintJob::End() {
  page_lines_ = {};
  font_.Reset();
  page_count_ = 0;
}

}  // namespace views
