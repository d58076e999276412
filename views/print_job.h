// Print jobs: the print information, TPrinter with its five steps, and the print loop that every
// job runs, whether it prints a view's pages or the picture of a dialog. The loop takes the
// printer from the print dialog (or the current printer for a direct job), asks for a file name
// when the dialog asked to print to a file, shows the printing dialog with the document, printer,
// port and page, runs the pages in the order of the range (backwards when asked so), and stops at
// the printing dialog's Cancel between pages.
#pragma once

#include <windows.h>

#include <string>

#include "ui/gdi_select.h"
#include "views/core/print_layout.h"
#include "views/window_picture.h"

namespace views {

class Printable;

struct PrintInfo {
  int min_page = 1;
  int max_page = kPrintNoLastPage;
  int from_page = 1;
  int to_page = kPrintNoLastPage;
  int current_page = 1;
  bool continue_printing = true;
  bool direct = false;         // no print dialog: the current printer
  bool print_to_file = false;  // the print dialog's "Print to file"
  bool failed = false;         // preparing failed for another reason than the user's cancel
  RECT page_rect{};            // the page's drawing rectangle, logical units
  std::wstring page_format;    // "Page %u\nPages %u-%u\n"
  HWND owner = nullptr;        // of the print dialog
  win::UniqueDc dc;            // the printer's
};

// Fills the print information's DC: the current printer for a direct job (the print dialog when
// there is none), else the print dialog with the range. False when the user cancelled or no DC
// could be made. The printer chosen in the dialog becomes the current printer.
bool DoPreparePrinting(PrintInfo& info);

class TPrinter {
 public:
  virtual ~TPrinter() = default;
  // The picture of a window is one page.
  virtual bool PreparePrinting(PrintInfo& info);
  virtual bool PreparePrintJob(PrintInfo&) { return true; }
  virtual void BeginPrinting(HDC, PrintInfo&) {}
  virtual void PrepareDc(HDC, PrintInfo&) {}
  virtual void EndPrinting(HDC, PrintInfo&) {}
  // Draws the page: the base prints the picture of the window, scaled onto the page.
  virtual void PrintPage(HDC dc, PrintInfo& info, HWND window);

  bool Busy() const { return busy_; }

 protected:
  // Around the picture: the printing dialog is hidden while the window is photographed.
  void TakeAndDrawPicture(HDC dc, const PrintInfo& info, HWND window);

 private:
  bool busy_ = false;
  WindowPicture picture_;
};

// Prints a view's pages through the same loop (the print commands and the preview's Print).
class ViewPrinter : public TPrinter {
 public:
  explicit ViewPrinter(Printable& view) : view_(view) {}
  bool PreparePrinting(PrintInfo& info) override;
  void BeginPrinting(HDC dc, PrintInfo& info) override;
  void EndPrinting(HDC dc, PrintInfo& info) override;
  void PrintPage(HDC dc, PrintInfo& info, HWND window) override;

 private:
  Printable& view_;
};

enum class PrintResult { Printed, Cancelled, Failed };

// The printer a shell request to print to a named printer gave on the command line: direct jobs
// print on it instead of the current printer, and fail when no DC can be made for it.
struct NamedPrinter {
  std::wstring device;
  std::wstring driver;
  std::wstring port;
};
void SetShellPrinter(const NamedPrinter& printer);

// Runs a job: `window` gives the document's name (its text, cut to 31 characters) and, for the
// base printer, the picture; `direct` prints on the current printer without the dialog; the main
// window is disabled while the job runs and left as it was found afterwards.
PrintResult PrintJob(TPrinter& printer, HWND window, bool direct, HWND main_window);

// Whether a job runs, from its print dialog to its end. A job asked for meanwhile (by a dialog
// being printed, the legend, the preview) is refused: it would run inside the first.
bool PrintJobRunning();
// Stops the running job before its next page and, once it has ended, posts WM_CLOSE to the
// window: closing under the job would destroy what it prints.
void CloseWhenPrintJobEnds(HWND window);

// The page's drawing rectangle: the printable area (HORZRES x VERTRES) in logical units.
RECT PrintableArea(HDC dc);

// Texts of the framework's printing, as the user sees them.
inline constexpr wchar_t kPrintJobFailedCaption[] = L"Varnel";

}  // namespace views
