// The marker drop list of the "Waves" page: an owner-drawn combo with the twelve marker shapes,
// each item drawing its shape in the current wave's look.
#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "graph/plot_settings.h"

namespace views {

class TMarkerDropList {
 public:
  static constexpr int kShapes = 12;

  // Fills the combo with the shapes' names; each item's data is its shape.
  void Attach(HWND combo);
  // Every item takes a copy of the look with its own shape; the look's shape is selected.
  void SetLook(const graph::TPlotSettings& look);
  // The shape of the selected item's record, or `none`.
  std::int32_t SelectedShape(std::int32_t none) const;
  void DrawItem(const DRAWITEMSTRUCT& item) const;
  HWND Hwnd() const { return combo_; }

 private:
  HWND combo_ = nullptr;
  std::array<std::optional<graph::TPlotSettings>, kShapes> records_;
};

}  // namespace views
