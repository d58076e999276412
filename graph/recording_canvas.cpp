#include "graph/recording_canvas.h"

#include <algorithm>

namespace graph {

void TRecordingCanvas::RestoreState() {
  if (saved_.empty()) return;
  state_ = saved_.back();
  saved_.pop_back();
}

TCanvasOp& TRecordingCanvas::Record(TOpKind kind) {
  TCanvasOp& op = ops_.emplace_back();
  op.kind = kind;
  op.pen = state_.pen;
  op.brush = state_.brush;
  op.font = state_.font;
  op.hAlign = state_.hAlign;
  op.vAlign = state_.vAlign;
  op.transparent = state_.transparent;
  op.clip = state_.clip;
  return op;
}

void TRecordingCanvas::LineTo(std::int32_t x, std::int32_t y) {
  Record(TOpKind::Line).points = {position_, {x, y}};
  position_ = {x, y};
}

void TRecordingCanvas::Polyline(const TPoint* points, std::uint32_t count) {
  Record(TOpKind::Polyline).points.assign(points, points + count);
  if (count) position_ = points[count - 1];
}

void TRecordingCanvas::PolyPolyline(const TPoint* points, const std::uint32_t* counts,
                                    std::uint32_t lines) {
  for (std::uint32_t i = 0; i < lines; ++i) {
    Polyline(points, counts[i]);
    points += counts[i];
  }
}

void TRecordingCanvas::Polygon(const TPoint* points, std::uint32_t count, bool fill) {
  TCanvasOp& op = Record(TOpKind::Polygon);
  op.points.assign(points, points + count);
  op.fill = fill;
}

void TRecordingCanvas::Rectangle(const TRect& rect, bool fill) {
  TCanvasOp& op = Record(TOpKind::Rectangle);
  op.rect = rect;
  op.fill = fill;
}

void TRecordingCanvas::Ellipse(const TRect& rect, bool fill) {
  TCanvasOp& op = Record(TOpKind::Ellipse);
  op.rect = rect;
  op.fill = fill;
}

void TRecordingCanvas::FillRect(const TRect& rect, TColor color) {
  TCanvasOp& op = Record(TOpKind::FillRect);
  op.rect = rect;
  op.color = color;
}

void TRecordingCanvas::PutText(std::int32_t x, std::int32_t y, const char16_t* text,
                               std::uint32_t length) {
  TCanvasOp& op = Record(TOpKind::Text);
  op.points = {{x, y}};
  op.text.assign(text, length);
}

TSize TRecordingCanvas::TextExtent(const char16_t*, std::uint32_t length) {
  return {static_cast<std::int32_t>(length) * CharWidth(state_.font.tenths),
          FontHeight(state_.font.tenths)};
}

void TRecordingCanvas::IntersectClip(const TRect& rect) {
  if (!state_.clip) {
    state_.clip = rect;
    return;
  }
  TRect& c = *state_.clip;
  c.left = std::max(c.left, rect.left);
  c.top = std::max(c.top, rect.top);
  c.right = std::max(c.left, std::min(c.right, rect.right));
  c.bottom = std::max(c.top, std::min(c.bottom, rect.bottom));
}

}  // namespace graph
