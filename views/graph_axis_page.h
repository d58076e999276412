// The settings sheet's "Axis" page: one axis at a time, chosen by name, with its look, grid,
// scaling and ticks; axes are added and deleted here.
#pragma once

#include <cstdint>

#include "graph/settings_page_rules.h"
#include "ui/colour_button.h"
#include "views/graph_page.h"

namespace views {

class TAxisConfigPage : public TGraphPage {
 public:
  TAxisConfigPage();
  // The axis the page shows first.
  void SetCurrentAxis(std::int32_t id) { current_ = id; }
  std::int32_t CurrentAxis() const { return current_; }

 protected:
  void InitControls() override;
  void Load() override;
  void Store() override;
  void Reset() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;

 private:
  graph::TAxisSettings* CurrentRecord();
  graph::TAxisValueTexts TypedTexts() const;
  void LoadAxis();
  void EnableEdits();
  void AddAxis();
  void DeleteAxis();

  std::int32_t current_ = -1;
  // What the page showed, so that only what the user changed is read back.
  graph::TAxisValueTexts shown_;
  TString typed_name_;
  ui::ColourButton axis_screen_;
  ui::ColourButton axis_print_;
  ui::ColourButton grid_screen_;
  ui::ColourButton grid_print_;
};

}  // namespace views
