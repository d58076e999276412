// The settings sheet's "General" page: the graph's background on the screen and on paper.
#pragma once

#include "ui/colour_button.h"
#include "views/graph_page.h"

namespace views {

class TGraphConfigPage : public TGraphPage {
 public:
  TGraphConfigPage();

 protected:
  void InitControls() override;
  void Load() override;
  void Store() override;
  void Reset() override;

 private:
  ui::ColourButton screen_;
  ui::ColourButton print_;
};

}  // namespace views
