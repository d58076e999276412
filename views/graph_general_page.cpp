#include "views/graph_general_page.h"

#include "strings/string_ids.h"
#include "views/graph_sheet_ids.h"

namespace views {

TGraphConfigPage::TGraphConfigPage()
    : TGraphPage(IDD_GRAPH_GENERAL_PAGE, IDS_GRAPH_PAGE_GENERAL, IDI_GRAPH_GENERAL_TAB) {}

void TGraphConfigPage::InitControls() {
  SetTexts({{IDC_GRAPH_BACKGROUND, IDS_GRAPH_BACKGROUND},
            {IDC_GRAPH_SCREEN_COLOR, IDS_SCREEN_COLOR},
            {IDC_GRAPH_PRINT_COLOR, IDS_PRINTING_COLOR}});
  screen_.Attach(Item(IDC_GRAPH_SCREEN_COLOR), [this] { MarkChanged(); });
  print_.Attach(Item(IDC_GRAPH_PRINT_COLOR), [this] { MarkChanged(); });
}

void TGraphConfigPage::Load() {
  screen_.SetColour(working_->Background);
  print_.SetColour(working_->PrintBackground);
}

void TGraphConfigPage::Store() {
  working_->Background = screen_.Colour();
  working_->PrintBackground = print_.Colour();
}

void TGraphConfigPage::Reset() { working_->Reset(); }

}  // namespace views
