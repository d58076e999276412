#include "app/page_setup.h"

#include <windows.h>
#include <commdlg.h>

#include "app/main_frame.h"
#include "app/page_setup_dialog.h"
#include "config/page_setup_units.h"
#include "platform/wide.h"
#include "views/printer_settings.h"
#include "views/varnel_document.h"
#include "views/varnel_view.h"

namespace app {

namespace {

RECT ToRect(const TRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// The system's dialog; false when it could not be shown (`failed`) or was cancelled.
bool RunSystemPageSetup(HWND owner, TConfig& config, bool& failed) {
  views::PrinterSelection& printer = views::CurrentPrinter();
  if (printer.Empty() && !views::SystemHasPrinter()) {
    failed = true;  // the system's dialog would only say that there is no printer
    return false;
  }
  printer.SetPaper(config.PaperOrientation, config.PaperFormat);
  PAGESETUPDLGW psd{};
  psd.lStructSize = sizeof(psd);
  psd.hwndOwner = owner;
  psd.hDevMode = printer.CopyDevMode();
  psd.hDevNames = printer.CopyDevNames();
  psd.Flags =
      PSD_MARGINS | (config.Units == kUnitsHundredthsMillimetre ? PSD_INHUNDREDTHSOFMILLIMETERS
                                                                : PSD_INTHOUSANDTHSOFINCHES);
  psd.rtMargin = ToRect(MarginsToDialogUnits(config.PageMargin, config.Units));
  if (!PageSetupDlgW(&psd)) {
    failed = CommDlgExtendedError() != 0;
    if (psd.hDevMode) GlobalFree(psd.hDevMode);
    if (psd.hDevNames) GlobalFree(psd.hDevNames);
    return false;
  }
  config.PageMargin = MarginsToTwips(
      {psd.rtMargin.left, psd.rtMargin.top, psd.rtMargin.right, psd.rtMargin.bottom}, config.Units);
  config.PaperWidth = PaperSizeToTwips(psd.ptPaperSize.x, config.Units);
  config.PaperHeight = PaperSizeToTwips(psd.ptPaperSize.y, config.Units);
  if (psd.hDevMode) {
    if (const auto* mode = static_cast<const DEVMODEW*>(GlobalLock(psd.hDevMode))) {
      config.PaperOrientation = mode->dmOrientation;
      config.PaperFormat = mode->dmPaperSize;
      GlobalUnlock(psd.hDevMode);
    }
  }
  printer.Adopt(psd.hDevMode, psd.hDevNames);
  config.PrinterName = TString(platform::U16(printer.DeviceName().c_str()));
  views::TVarnelView::SendToAllViews(views::PrinterChangedMessage(), 0, 0);
  return true;
}

}  // namespace

void RunPageSetup(TMainFrame& frame) {
  // The own dialog's File menu offers page set-up too: one at a time.
  static bool running = false;
  if (running) return;
  running = true;
  TConfig& config = frame.Config();
  const TRect margins = config.PageMargin;
  const std::int32_t width = config.PaperWidth;
  const std::int32_t height = config.PaperHeight;
  bool failed = false;
  if (!RunSystemPageSetup(frame.Hwnd(), config, failed) && failed) {
    TConfig copy = config;
    CPageSetupDlg dialog(frame.Hwnd(), copy);
    if (dialog.DoModal() == 1) config.PageMargin = copy.PageMargin;
  }
  running = false;
  const bool changed =
      !(config.PageMargin == margins) || config.PaperWidth != width || config.PaperHeight != height;
  if (!changed) return;
  if (views::VarnelDocument* document = frame.ActiveDocument()) {
    frame.CopyConfigToViews(*document);
    frame.UpdateViews(*document, views::kHintConfiguration);
  }
}

}  // namespace app
