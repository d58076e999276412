#include "views/graph_sheet.h"

#include "app_context/main_frame_text.h"
#include "dialogs/question.h"
#include "platform/wide.h"
#include "strings/string_ids.h"
#include "views/graph_sheet_ids.h"
#include "views/graph_view_messages.h"

namespace views {

TVarnelConfigSheet::TVarnelConfigSheet(graph::TGraphSettings& graph_settings, HWND graph_window,
                                       TString caption)
    : graph_settings_(graph_settings),
      working_(graph_settings),
      applied_(graph_settings),
      graph_window_(graph_window),
      caption_(std::move(caption)) {
  general_.SetPtrs(this, &working_);
  waves_.SetPtrs(this, &working_);
  axis_.SetPtrs(this, &working_);
}

INT_PTR TVarnelConfigSheet::Run() { return RunOn(0); }

INT_PTR TVarnelConfigSheet::RunOnAxis(std::int32_t axis_id) {
  axis_.SetCurrentAxis(axis_id);
  return RunOn(2);
}

INT_PTR TVarnelConfigSheet::RunOnWave(const TString& wave_name) {
  waves_.SetCurrentWave(wave_name);
  return RunOn(1);
}

INT_PTR TVarnelConfigSheet::RunOn(UINT start_page) {
  HWND owner = graph_window_ ? GetAncestor(graph_window_, GA_ROOT) : nullptr;
  return RunModal({.owner = owner,
                   .caption = platform::W(caption_.Str()),
                   .pages = {&general_, &waves_, &axis_},
                   .start_page = start_page,
                   .apply_button = true});
}

void TVarnelConfigSheet::OnInitialized() { page_commands_.AttachTo(Hwnd(), graph_window_); }

bool TVarnelConfigSheet::PageCommands::OnCommand(UINT id, UINT code, HWND control) {
  if (control || id < ID_GRAPH_PAGE_GENERAL || id > ID_GRAPH_PAGE_AXIS) {
    return TSheetFileMenu::OnCommand(id, code, control);
  }
  SendMessageW(Hwnd(), PSM_SETCURSEL, id - ID_GRAPH_PAGE_GENERAL, 0);
  return true;
}

void TVarnelConfigSheet::ApplyWorkingCopy() {
  // Nothing changed since the sheet opened or was last applied: the graph and its document stay
  // as they are (the document is not marked modified).
  if (working_ == applied_) return;
  if (!(working_ == graph_settings_)) graph_settings_ = working_;
  applied_ = working_;
  if (graph_window_) SendMessageW(graph_window_, kStoreGraphSettingsMessage, 1, 0);
}

bool TVarnelConfigSheet::MayCancel() {
  if (working_ == applied_) return true;
  dialogs::TQuestion question(
      {.owner = Hwnd(),
       .caption = RString(IDS_DISCARD_CHANGES),
       .heading = RString(IDS_WARNING_TITLE),
       .text = RString(IDS_CHANGES_DETECTED),
       .buttons = {TString(RString(IDS_YES)), TString(RString(IDS_NO)), TString()},
       .answers = {1, 2, 3}});
  return question.Ask() == 1;
}

}  // namespace views
