#include "app/print_commands.h"

#include "app/main_frame.h"
#include "app/page_setup.h"
#include "strings/command_ids.h"
#include "config/config.h"
#include "platform/wide.h"
#include "ui/mdi_child.h"
#include "views/print_job.h"
#include "views/print_preview.h"
#include "views/printer_settings.h"
#include "views/varnel_view.h"
#include "views/view_printing.h"

namespace app {

namespace {

constexpr UINT kWindowPrintCode = 2;

views::TVarnelView* ActiveView(const TMainFrame& frame) {
  ui::MdiChild* child = frame.ActiveChild();
  return child ? dynamic_cast<views::TVarnelView*>(child->ActiveView()) : nullptr;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  if (window) GetWindowTextW(window, text, 512);
  return text;
}

void AfterPrinting() { views::TVarnelView::SendToAllViews(views::PrinterChangedMessage(), 0, 0); }

void PrintActiveView(TMainFrame& frame, bool direct) {
  views::TVarnelView* view = ActiveView(frame);
  if (!view) return;
  std::unique_ptr<views::Printable> pages = views::ViewPages(*view);
  if (!pages) return;
  views::ViewPrinter printer(*pages);
  views::PrintJob(printer, frame.ActiveChild()->Hwnd(), direct, frame.Hwnd());
  AfterPrinting();
}

void PreviewActiveView(TMainFrame& frame) {
  views::TVarnelView* view = ActiveView(frame);
  if (!view) return;
  HWND main = frame.Hwnd();
  views::PrintPreview::Show(main, views::ViewPages(*view), TextOf(frame.ActiveChild()->Hwnd()),
                            [main] { PostMessageW(main, WM_COMMAND, ID_FILE_PRINT, 0); });
}

}  // namespace

void AddPrintCommands(TMainFrame& frame) {
  auto& c = frame.Commands();
  auto printable = [&frame](ui::CommandState& s) {
    views::TVarnelView* view = ActiveView(frame);
    std::unique_ptr<views::Printable> pages = view ? views::ViewPages(*view) : nullptr;
    s.enabled = frame.ActiveDocument() != nullptr && pages && pages->CanPrint() &&
                !views::PrintJobRunning();
  };
  c.Add(
      ID_FILE_PRINT, [&frame](UINT) { PrintActiveView(frame, false); }, printable);
  c.Add(
      ID_FILE_PRINT_DIRECT, [&frame](UINT) { PrintActiveView(frame, true); }, printable);
  c.Add(
      ID_FILE_PRINT_PREVIEW, [&frame](UINT) { PreviewActiveView(frame); }, printable);
  c.Add(ID_FILE_PAGE_SETUP, [&frame](UINT) { RunPageSetup(frame); });
}

bool HandleWindowPrint(TMainFrame& frame, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_COMMAND || LOWORD(wparam) != ID_FILE_PRINT ||
      HIWORD(wparam) != kWindowPrintCode || !lparam) {
    return false;
  }
  HWND window = reinterpret_cast<HWND>(lparam);
  if (!IsWindow(window)) return true;
  views::TPrinter printer;
  views::PrintJob(printer, window, false, frame.Hwnd());
  AfterPrinting();
  return true;
}

void SelectConfiguredPrinter(const TConfig& config) {
  views::CurrentPrinter().SelectByName(platform::W(config.PrinterName.Str()));
}

}  // namespace app
