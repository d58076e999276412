// Drawing one axis into its band: line, arrow, title, ticks, labels, exponent and grid.
#include <cmath>

#include "graph/axis.h"
#include "graph/time_columns.h"
#include "text/numbers.h"

namespace graph {

namespace {

constexpr char16_t kTimesTen[] = u"*10";
constexpr std::uint32_t kTimesTenLength = 3;

void TickLine(TCanvas& dc, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
  dc.MoveTo(x0, y0);
  dc.LineTo(x1, y1);
}

}  // namespace

bool TAxis::BeginDraw(TCanvas& dc, const TRect& band, bool arrow, bool horizontal) {
  if (!settings_) return false;
  const TAxisSettings& s = *settings_;
  bool printing = dc.IsPrinter();
  band_ = band;
  UpdateScale();
  dc.FillRect(band, printing ? s.PrintBackground : s.Background);

  SetPosition(band, 4);
  if (Length() <= 0) return false;
  if (horizontal && wholeMsColumns_ && s.Format == kTimeFormat) {
    SnapToWholeMsColumns(min_, max_, Length());
  }

  dc.SaveState();
  const TPenSpec& pen = AxisPen(printing);
  dc.SetPen(pen);
  dc.SetBrush(pen.color);
  dc.SetFont(LabelFont(printing));
  dc.SetTransparentBackground(true);

  if (horizontal) {
    dc.MoveTo(x0_ - 5, y0_);
    dc.LineTo(x1_ + 4, y1_);
    if (arrow) {
      dc.LineTo(x1_ + 20, y1_);
      const TPoint head[3] = {{x1_ + 20, y1_}, {x1_ + 12, y1_ - 3}, {x1_ + 12, y1_ + 3}};
      dc.Polygon(head, 3, true);
    }
  } else {
    dc.MoveTo(x0_, y0_);
    dc.LineTo(x1_, y1_ - 4);
    if (arrow) {
      dc.LineTo(x0_, y1_ - 20);
      const TPoint head[3] = {{x0_, y1_ - 20}, {x0_ + 3, y1_ - 12}, {x0_ - 3, y1_ - 12}};
      dc.Polygon(head, 3, true);
    }
  }

  // The title, in a font two points larger, turned along vertical axes.
  std::int32_t location = GetLocation();
  std::int32_t angle = location == kLeft ? 900 : location == kRight ? -900 : 0;
  TFontSpec title =
      TFontSpec::Make(s.FontName.Str(), (s.FontSize + 2) * 10, angle, LabelFont(printing).color);
  dc.SetFont(title);
  TSize extent = dc.TextExtent(s.Name.Str(), s.Name.Length());
  if (horizontal) {
    dc.SetTextAlign(THAlign::Center, TVAlign::Bottom);
    std::int32_t x = (band.left + band.right) / 2 - extent.cx;
    std::int32_t y = location == kBottom ? band.bottom - extent.cy / 2 : band.top + extent.cy;
    dc.PutText(x, y, s.Name.Str(), s.Name.Length());
  } else {
    dc.SetTextAlign(THAlign::Center, TVAlign::Top);
    std::int32_t x = location == kRight ? band.right - extent.cy / 2 : band.left + extent.cy / 2;
    std::int32_t y = (band.top + band.bottom) / 2 - extent.cy;
    dc.PutText(x, y, s.Name.Str(), s.Name.Length());
  }
  dc.SetFont(LabelFont(printing));

  if (plots_.empty()) {
    dc.RestoreState();
    return false;
  }

  if (s.Format == kTimeFormat) {
    ComputeTimeTicks(dc);
  } else if (s.Format == kDurationFormat) {
    ComputeDurationTicks(dc);
  } else {
    ComputeNumTicks(dc);
  }
  ComputeScale();
  SetLabelAlign(dc);
  return true;
}

void TAxis::DrawGrid(TCanvas& dc, const TRect& plotArea, bool horizontal) {
  const TAxisSettings& s = *settings_;
  if (s.GridType == 0) return;
  dc.SetPen(GridPen(dc.IsPrinter()));
  auto lines = [&](const std::vector<double>& ticks) {
    for (double v : ticks) {
      if (horizontal) {
        std::int32_t x = ValueToX(v);
        TickLine(dc, x, plotArea.top, x, plotArea.bottom);
      } else {
        std::int32_t y = ValueToY(v);
        TickLine(dc, plotArea.left, y, plotArea.right, y);
      }
    }
  };
  lines(major_);
  if (s.GridType == 2) lines(minor_);
}

void THorizontalAxis::Draw(TCanvas& dc, const TRect& band, const TRect& plotArea, bool arrow) {
  if (!BeginDraw(dc, band, arrow, true)) return;
  const TAxisSettings& s = *settings_;
  std::int32_t d = GetLocation() == kTop ? -1 : 1;
  std::int32_t base = y0_ + d;
  for (std::size_t i = 0; i < major_.size(); ++i) {
    std::int32_t x = ValueToX(major_[i]);
    TickLine(dc, x, base, x, base + s.MajorTickSize * d);
    if (i < labelCount_) {
      dc.PutText(x, base + (s.MajorTickSize + 2) * d, labels_[i].Str(), labels_[i].Length());
    }
  }
  for (double v : minor_) {
    std::int32_t x = ValueToX(v);
    TickLine(dc, x, base, x, base + s.MinorTickSize * d);
  }
  for (double v : micro_) {
    std::int32_t x = ValueToX(v);
    TickLine(dc, x, base, x, base + s.MicroTickSize * d);
  }
  DrawGrid(dc, plotArea, true);
  dc.RestoreState();
}

void TVerticalAxis::Draw(TCanvas& dc, const TRect& band, const TRect& plotArea, bool arrow) {
  if (!BeginDraw(dc, band, arrow, false)) return;
  const TAxisSettings& s = *settings_;
  bool printing = dc.IsPrinter();
  bool left = GetLocation() == kLeft;
  std::int32_t d = left ? 1 : -1;
  std::int32_t h8 = dc.TextExtent(u"8", 1).cy;
  std::int32_t drop = (h8 + 3) / 4;
  std::int32_t labelX = x0_ - (s.MajorTickSize + 4) * d;
  std::size_t count = std::min<std::size_t>(major_.size(), labelCount_);
  for (std::size_t i = 0; i < major_.size(); ++i) {
    std::int32_t y = ValueToY(major_[i]);
    TickLine(dc, x0_, y, x0_ - s.MajorTickSize * d, y);
    if (i + 1 < count) dc.PutText(labelX, y + drop, labels_[i].Str(), labels_[i].Length());
  }
  if (count > 0) {
    // The highest label carries the power of ten: label, "*10", then the raised exponent.
    const TString& label = labels_[count - 1];
    std::int32_t y = ValueToY(major_[count - 1]) + drop;
    TSize labelSize = dc.TextExtent(label.Str(), label.Length());
    NumberText power;
    std::uint32_t powerLength = 0;
    std::int32_t timesTenWidth = 0, powerWidth = 0;
    if (exponent_ != 0) {
      powerLength = FormatNumber(exponent_, 0, power);
      timesTenWidth = dc.TextExtent(kTimesTen, kTimesTenLength).cx;
      dc.SetFont(ExponentFont(printing));
      powerWidth = dc.TextExtent(power, powerLength).cx;
      dc.SetFont(LabelFont(printing));
    }
    std::int32_t x = labelX;
    if (left) {
      x -= labelSize.cx + timesTenWidth + powerWidth;
      if (exponent_ != 0) x -= 3;
    }
    dc.SetTextAlign(THAlign::Left, TVAlign::Baseline);
    dc.PutText(x, y, label.Str(), label.Length());
    if (exponent_ != 0) {
      dc.PutText(x + labelSize.cx, y, kTimesTen, kTimesTenLength);
      dc.SetFont(ExponentFont(printing));
      dc.PutText(x + labelSize.cx + timesTenWidth, y - (labelSize.cy - 3), power, powerLength);
      dc.SetFont(LabelFont(printing));
    }
    SetLabelAlign(dc);
  }
  for (double v : minor_) {
    std::int32_t y = ValueToY(v);
    TickLine(dc, x0_, y, x0_ - s.MinorTickSize * d, y);
  }
  for (double v : micro_) {
    std::int32_t y = ValueToY(v);
    TickLine(dc, x0_, y, x0_ - s.MicroTickSize * d, y);
  }
  DrawGrid(dc, plotArea, false);
  dc.RestoreState();
}

}  // namespace graph
