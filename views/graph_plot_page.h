// The settings sheet's "Waves" page: the list of the graph's waves and the look and axes of the
// current one.
#pragma once

#include "text/tstring.h"
#include "ui/colour_button.h"
#include "views/graph_marker_list.h"
#include "views/graph_page.h"

namespace views {

class TPlotConfigPage : public TGraphPage {
 public:
  TPlotConfigPage();
  // The wave the page shows first.
  void SetCurrentWave(const TString& name) { current_ = name; }
  const TString& CurrentWave() const { return current_; }

 protected:
  void InitControls() override;
  void Load() override;
  void Store() override;
  void Reset() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  graph::TPlotSettings* CurrentRecord();
  void FillAxisCombo(int control, bool vertical);
  void LoadWave();
  void RefreshMarkerList();
  void EnableWaveControls(bool enable);

  TString current_;
  TMarkerDropList markers_;
  ui::ColourButton line_colour_;
  ui::ColourButton fill_colour_;
  ui::ColourButton marker_colour_;
};

}  // namespace views
