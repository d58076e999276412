// The main frame's command table: toolbars, options, languages, help, windows and the period
// commands (servers and items: main_frame_servers.cpp).
#include <windows.h>

#include <optional>

#include "app/about_box.h"
#include "app/child_frame.h"
#include "app/config_sheet.h"
#include "app/main_frame.h"
#include "app/manual.h"
#include "app/resource.h"
#include "dialogs/other_period_dialog.h"
#include "ui/doc_manager.h"
#include "ui/mdi_child.h"
#include "views/graph_view.h"

namespace app {

void TMainFrame::AddCommands() {
  auto& c = Commands();
  auto toggle = [this](ui::Window& bar) {
    ShowWindow(bar.Hwnd(), IsWindowVisible(bar.Hwnd()) ? SW_HIDE : SW_SHOW);
    RecalcLayout();
  };
  auto shown = [](ui::Window& bar) {
    return [&bar](ui::CommandState& s) { s.checked = bar.Hwnd() && IsWindowVisible(bar.Hwnd()); };
  };
  c.Add(
      ID_VIEW_FILE_TOOLBAR, [=, this](UINT) { toggle(file_bar_); }, shown(file_bar_));
  c.Add(
      ID_VIEW_PERIOD_TOOLBAR, [=, this](UINT) { toggle(period_bar_); }, shown(period_bar_));
  c.Add(
      ID_VIEW_STATUS_BAR, [=, this](UINT) { toggle(status_); }, shown(status_));
  c.Add(ID_APP_EXIT, [this](UINT) { PostMessageW(Hwnd(), WM_CLOSE, 0, 0); });
  c.Add(ID_OPTIONS_CONFIGURE, [this](UINT) { RunConfiguration(); });
  c.Add(
      ID_LANGUAGE_FRENCH, ID_LANGUAGE_DUTCH,
      [this](UINT id) { SwitchLanguage(static_cast<int>(id) - ID_LANGUAGE_FRENCH); },
      [this](ui::CommandState& s) {
        // The German item carries no check mark.
        s.checked = static_cast<int>(s.id) - ID_LANGUAGE_FRENCH == config_.Language &&
                    s.id != ID_LANGUAGE_GERMAN;
      });
  c.Add(ID_HELP_MANUAL, [this](UINT) { OpenManual(); });
  c.Add(ID_APP_ABOUT, [this](UINT) { ShowAbout(); });
  AddWindowCommands();
  AddPeriodCommands();
  AddServerCommands();
}

void TMainFrame::AddWindowCommands() {
  auto& c = Commands();
  auto has_active = [this](ui::CommandState& s) { s.enabled = ActiveDocument() != nullptr; };
  c.Add(
      ID_WINDOW_CASCADE, [this](UINT) { SendMessageW(MdiClient(), WM_MDICASCADE, 0, 0); },
      has_active);
  c.Add(
      ID_WINDOW_TILE_HORZ,
      [this](UINT) { SendMessageW(MdiClient(), WM_MDITILE, MDITILE_HORIZONTAL, 0); }, has_active);
  c.Add(ID_WINDOW_DOCUMENT_FIRST, ID_WINDOW_DOCUMENT_FIRST + 7,
        [this](UINT id) { BringDocumentToTop(id - ID_WINDOW_DOCUMENT_FIRST); });
  c.Add(ID_WINDOW_NEXT_DOCUMENT, [this](UINT) { NextDocument(); });
}

namespace {

// Brings the document window that holds the view to the top.
void ActivateFrameOf(const views::TVarnelView& view) {
  HWND frame = GetParent(GetParent(view.Hwnd()));
  if (auto* child = dynamic_cast<ui::MdiChild*>(ui::Window::FromHandle(frame))) child->Activate();
}

}  // namespace

void TMainFrame::BringDocumentToTop(std::size_t k) {
  const std::optional<std::size_t> view = WindowMenuTarget(ViewEntries(), window_menu_names_, k);
  if (view) ActivateFrameOf(*views::TVarnelView::AllViews()[*view]);
}

void TMainFrame::NextDocument() {
  const auto& all = views::TVarnelView::AllViews();
  ui::MdiChild* active = ActiveChild();
  ui::View* active_view = active ? active->ActiveView() : nullptr;
  std::optional<std::size_t> position;
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all[i] == active_view) position = i;
  }
  if (const std::optional<std::size_t> next = NextDocumentView(all.size(), position)) {
    ActivateFrameOf(*all[*next]);
  }
}

void TMainFrame::AddPeriodCommands() {
  auto& c = Commands();
  auto active_doc = [this]() -> TVarnelDoc* {
    views::VarnelDocument* d = ActiveDocument();
    return d ? &d->Doc() : nullptr;
  };
  auto after = [this](int hint) {
    views::VarnelDocument* d = ActiveDocument();
    if (d && hint != kHintNone) UpdateViews(*d, hint);
    RebuildMenus();
    UpdateTitle();
  };
  // A command that arrives while a read is under way (COM's wait lets messages in, a command sent
  // by another program among them) would read the documents again from inside that read.
  auto run = [=, this](UINT id) {
    if (!connections_.InCall()) after(RunPeriodCommand(active_doc(), id, connections_));
  };
  c.Add(ID_PERIOD_UNLOCK, run,
        [=, this](ui::CommandState& s) { s.enabled = UnlockEnabled(active_doc(), connections_); });
  c.Add(ID_PERIOD_LOCK, ID_PERIOD_CURRENT, run, [=, this](ui::CommandState& s) {
    TVarnelDoc* doc = active_doc();
    s.enabled = PeriodCommandsEnabled(doc, connections_);
    if (s.id == ID_PERIOD_LOCK && doc) s.checked = doc->Locked;
  });
  c.Add(ID_GRAPH_REFRESH, run,
        [=, this](ui::CommandState& s) { s.enabled = active_doc() != nullptr; });
  c.Add(
      kCommandFirstPeriodKind, kCommandLastPeriodKind,
      [=, this](UINT id) {
        if (connections_.InCall()) return;
        TChildFrame* child = ActiveChildFrame();
        const int hint =
            ChoosePeriodKind(active_doc(), static_cast<int>(id), connections_, child != nullptr,
                             [this](const char16_t* title, double& start, double& stop) {
                               return dialogs::AskOtherPeriod(Hwnd(), TString(title), start, stop);
                             });
        after(hint);
      },
      [=, this](ui::CommandState& s) {
        TVarnelDoc* doc = active_doc();
        s.enabled = PeriodCommandsEnabled(doc, connections_);
        s.checked = doc && CheckedPeriodCommand(doc->Period) == static_cast<int>(s.id);
      });
}

void TMainFrame::RunConfiguration() {
  const TConfig snapshot = config_;
  TConfigServerSheet sheet(config_, Hwnd());
  sheet.Run();
  if (config_.DiffersFully(snapshot)) {
    static_cast<void>(config_.Save());  // a failure is logged by Save; the sheet's values hold
    if (!config_.ReconnectLostServers) reconnect_.Clear();
    if (views::VarnelDocument* d = ActiveDocument()) {
      CopyConfigToViews(*d);
      UpdateViews(*d, views::kHintConfiguration);
    }
  }
}

void TMainFrame::ShowAbout() { TAboutBox(Hwnd()).DoModal(); }

void TMainFrame::OpenManual() { OpenUserManual(Hwnd(), config_.Language); }

}  // namespace app
