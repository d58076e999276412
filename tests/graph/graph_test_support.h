// Shared pieces of the graph tests: axes over a settings map, and searching recorded drawing.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "graph/axis.h"
#include "graph/recording_canvas.h"
#include "text/time_base.h"

namespace graph::testing {

// Time stamps in UTC with the local offset held at 0 for the test's lifetime.
class UtcTime {
 public:
  UtcTime() : previous_(SetLocalOffsetForTesting(0)) {}
  ~UtcTime() { SetLocalOffsetForTesting(previous_); }

 private:
  double previous_;
};

constexpr double kDayMs = 86400000.0;

// 1 March 2024 00:00 UTC.
constexpr double kMarch2024 = 1709251200000.0;

// An axis of the given kind over its own settings record.
template <typename Axis>
struct AxisFixture {
  explicit AxisFixture(std::int32_t location, std::int32_t id = 1) {
    map.emplace(id, TAxisSettings(id, location));
    axis = std::make_unique<Axis>(map, id);
  }
  TAxisSettings& settings() { return map.begin()->second; }
  // A manual range with the line laid out in `band`.
  void Place(double min, double max, const TRect& band) {
    settings().AutoScale = false;
    settings().MinValue = min;
    settings().MaxValue = max;
    axis->UpdateScale();
    axis->SetPosition(band, 4);
    axis->SetLine(axis->X0(), axis->Y0(), axis->X1(), axis->Y1());
  }
  std::vector<std::u16string> Labels() const {
    std::vector<std::u16string> labels;
    for (std::uint32_t i = 0; i < axis->LabelCount(); ++i)
      labels.emplace_back(axis->Label(i).Str());
    return labels;
  }
  TAxisSettingsMap map;
  std::unique_ptr<Axis> axis;
};

inline std::vector<const TCanvasOp*> OpsOf(const TRecordingCanvas& dc, TOpKind kind) {
  std::vector<const TCanvasOp*> found;
  for (const TCanvasOp& op : dc.Ops()) {
    if (op.kind == kind) found.push_back(&op);
  }
  return found;
}

inline const TCanvasOp* TextOp(const TRecordingCanvas& dc, const std::u16string& text) {
  for (const TCanvasOp& op : dc.Ops()) {
    if (op.kind == TOpKind::Text && op.text == text) return &op;
  }
  return nullptr;
}

inline bool HasLine(const TRecordingCanvas& dc, TPoint from, TPoint to) {
  for (const TCanvasOp& op : dc.Ops()) {
    if (op.kind == TOpKind::Line && op.points[0] == from && op.points[1] == to) return true;
  }
  return false;
}

inline std::string Narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }

}  // namespace graph::testing
