// The graph's settings sheet: the "General", "Waves" and "Axis" pages over a working copy of the
// graph's settings. Apply copies the working copy into the graph's settings and tells the graph
// window (WM_USER + 19 with 1), which rebuilds the graph and hands the settings to the document;
// Cancel asks before it drops changes.
#pragma once

#include <windows.h>

#include <cstdint>

#include "graph/graph_settings.h"
#include "text/tstring.h"
#include "ui/property_sheet.h"
#include "dialogs/sheet_file_menu.h"
#include "views/graph_axis_page.h"
#include "views/graph_general_page.h"
#include "views/graph_plot_page.h"

namespace views {

class TVarnelConfigSheet : public ui::PropertySheet, private GraphSheetActions {
 public:
  // `graph_settings` are the graph's own, changed only by Apply; `graph_window` is told of it.
  TVarnelConfigSheet(graph::TGraphSettings& graph_settings, HWND graph_window, TString caption);

  // Runs the sheet modally on the general page.
  INT_PTR Run();
  // On the axis page with that axis current.
  INT_PTR RunOnAxis(std::int32_t axis_id);
  // On the waves page with that wave current.
  INT_PTR RunOnWave(const TString& wave_name);

  const graph::TGraphSettings& Working() const { return working_; }

 protected:
  void OnInitialized() override;

 private:
  // The sheet's File menu, and the commands that select the pages, arrive at the sheet's window.
  class PageCommands : public dialogs::TSheetFileMenu {
   protected:
    bool OnCommand(UINT id, UINT code, HWND control) override;
  };

  INT_PTR RunOn(UINT start_page);
  void ApplyWorkingCopy() override;
  bool MayCancel() override;

  graph::TGraphSettings& graph_settings_;
  graph::TGraphSettings working_;
  // What Cancel compares with: the settings at opening, then as last applied.
  graph::TGraphSettings applied_;
  HWND graph_window_;
  TString caption_;
  TGraphConfigPage general_;
  TPlotConfigPage waves_;
  TAxisConfigPage axis_;
  PageCommands page_commands_;
};

}  // namespace views
