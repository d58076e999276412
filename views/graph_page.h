// The common base of the graph settings sheet's pages: each page edits the sheet's working copy
// of the graph's settings, loads its controls when it is shown, stores them when it is left,
// applies through the sheet and asks the sheet before a cancel.
#pragma once

#include <initializer_list>
#include <utility>

#include "graph/graph_settings.h"
#include "ui/property_sheet.h"

namespace views {

// The sheet as its pages see it.
class GraphSheetActions {
 public:
  virtual ~GraphSheetActions() = default;
  // The working copy goes to the graph (when it differs), which is told to rebuild.
  virtual void ApplyWorkingCopy() = 0;
  // Whether Cancel may close the sheet: nothing changed, or the user drops the changes.
  virtual bool MayCancel() = 0;
};

class TGraphPage : public ui::PropertyPage {
 public:
  TGraphPage(UINT template_id, int title_id, UINT icon_id);
  void SetPtrs(GraphSheetActions* sheet, graph::TGraphSettings* working);

 protected:
  // Working copy -> controls.
  virtual void Load() = 0;
  // Controls -> working copy.
  virtual void Store() = 0;
  // The page's defaults action on the working copy.
  virtual void Reset() = 0;
  // Once, when the page's window exists: texts and fixed items.
  virtual void InitControls() = 0;

  bool OnInitDialog() override;
  void OnSetActive() override;
  bool OnKillActive() override;
  bool OnApply() override;
  bool OnQueryCancel() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;

  // Sets each control's text from the string table: pairs of control and text number.
  void SetTexts(std::initializer_list<std::pair<int, int>> texts);
  // Loads without taking the controls' change notifications for the user's.
  void Reload();
  bool Loading() const { return loading_; }

  GraphSheetActions* sheet_ = nullptr;
  graph::TGraphSettings* working_ = nullptr;

 private:
  bool loading_ = false;
};

}  // namespace views
