#include "views/print_job.h"

#include <commdlg.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/wide.h"
#include "app_context/main_frame_text.h"
#include "strings/string_ids.h"
#include "text/assert_report.h"
#include "ui/text_args.h"
#include "views/printable.h"
#include "views/printer_settings.h"
#include "views/printing_dialog.h"

namespace views {

namespace {

constexpr char kSource[] = "DialogPrinter";

// The printing dialog of the job in progress, for the abort procedure.
TPrintingDialog* g_printing_dialog = nullptr;

bool g_job_running = false;
// The window to close once the running job has ended.
HWND g_close_after_job = nullptr;

// Marks the job from its first step to its last, and closes the window that asked meanwhile.
class RunningJob {
 public:
  RunningJob() { g_job_running = true; }
  ~RunningJob() {
    g_job_running = false;
    if (HWND window = std::exchange(g_close_after_job, nullptr))
      PostMessageW(window, WM_CLOSE, 0, 0);
  }
  RunningJob(const RunningJob&) = delete;
  RunningJob& operator=(const RunningJob&) = delete;
};

bool StopAsked() {
  return (g_printing_dialog && g_printing_dialog->Cancelled()) || g_close_after_job != nullptr;
}

// The printer of a shell request, if the program was started with one.
std::optional<NamedPrinter> g_shell_printer;

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the program's loop ends after the job
      return;
    }
    HWND dialog = g_printing_dialog ? g_printing_dialog->Hwnd() : nullptr;
    if (dialog && IsDialogMessageW(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Lets the printing dialog's Cancel through while the spooler works.
BOOL CALLBACK AbortProc(HDC, int) {
  PumpMessages();
  return !StopAsked();
}

// "Page %u" (the format's first line) with the page number.
std::wstring PageText(const std::wstring& format, int page) {
  std::wstring line = format.substr(0, format.find(L'\n'));
  const std::size_t at = line.find(L"%u");
  if (at != std::wstring::npos) line.replace(at, 2, std::to_wstring(page));
  return line;
}

std::wstring WindowTextOf(HWND window) {
  const int length = window ? GetWindowTextLengthW(window) : 0;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  if (length > 0) GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// The print dialog with the job's range; false when it was cancelled or failed.
bool RunPrintDialog(PrintInfo& info) {
  // Without any printer the dialog could only say so; the job's own message follows.
  if (CurrentPrinter().Empty() && !SystemHasPrinter()) {
    info.failed = true;
    return false;
  }
  PRINTDLGW pd{};
  pd.lStructSize = sizeof(pd);
  pd.hwndOwner = info.owner;
  pd.hDevMode = CurrentPrinter().CopyDevMode();
  pd.hDevNames = CurrentPrinter().CopyDevNames();
  pd.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION;
  pd.nMinPage = static_cast<WORD>(info.min_page);
  pd.nMaxPage = static_cast<WORD>(info.max_page);
  pd.nFromPage = static_cast<WORD>(std::clamp(info.from_page, info.min_page, info.max_page));
  pd.nToPage = static_cast<WORD>(std::clamp(info.to_page, info.min_page, info.max_page));
  pd.nCopies = 1;
  if (!PrintDlgW(&pd)) {
    info.failed = CommDlgExtendedError() != 0;  // no printer, for one; 0 when cancelled
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    return false;
  }
  CurrentPrinter().Adopt(pd.hDevMode, pd.hDevNames);
  info.dc.Reset(pd.hDC);
  info.print_to_file = (pd.Flags & PD_PRINTTOFILE) != 0;
  if (pd.Flags & PD_PAGENUMS) {
    info.from_page = pd.nFromPage;
    info.to_page = pd.nToPage;
  } else {
    info.from_page = info.min_page;
    info.to_page = info.max_page;
  }
  return true;
}

// The file a job printed to a file goes into; empty when the user cancelled.
std::wstring AskOutputFile(HWND owner) {
  wchar_t file[MAX_PATH] = L"Output.prn";
  // The filter's parts are separated by "|" in the text and by nulls for the dialog.
  std::wstring filter = platform::W(RString(IDS_PRINT_FILE_FILTER));
  std::replace(filter.begin(), filter.end(), L'|', L'\0');
  const std::wstring title = platform::W(RString(IDS_PRINT_TO_FILE_TITLE));
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrTitle = title.c_str();
  ofn.lpstrDefExt = L"prn";
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  return GetSaveFileNameW(&ofn) ? std::wstring(file) : std::wstring();
}

void ShowJobFailed(HWND owner) {
  MessageBoxW(owner, platform::W(RString(IDS_PRINT_JOB_FAILED)), kPrintJobFailedCaption,
              MB_OK | MB_ICONEXCLAMATION);
}

// Disables the main window for the job and gives it back as it was: a modal dialog that prints
// its picture keeps the main window disabled after the job.
class DisabledWindow {
 public:
  explicit DisabledWindow(HWND window) : window_(window) {
    if (window_) was_disabled_ = EnableWindow(window_, FALSE) != FALSE;
  }
  ~DisabledWindow() { Restore(); }
  DisabledWindow(const DisabledWindow&) = delete;
  DisabledWindow& operator=(const DisabledWindow&) = delete;
  void Restore() {
    if (window_ && !was_disabled_) EnableWindow(window_, TRUE);
    window_ = nullptr;
  }

 private:
  HWND window_;
  bool was_disabled_ = false;
};

}  // namespace

RECT PrintableArea(HDC dc) {
  RECT area{0, 0, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)};
  DPtoLP(dc, reinterpret_cast<POINT*>(&area), 2);
  return area;
}

bool DoPreparePrinting(PrintInfo& info) {
  if (info.max_page < info.min_page) info.max_page = info.min_page;
  if (info.direct) {
    if (!info.dc) {
      if (CurrentPrinter().Empty()) CurrentPrinter().SelectDefault();
      if (!CurrentPrinter().Empty()) {
        info.dc.Reset(CurrentPrinter().CreateDc());
      } else if (!RunPrintDialog(info)) {
        return false;
      }
    }
    info.from_page = info.min_page;
    info.to_page = info.max_page;
  } else if (!RunPrintDialog(info)) {
    return false;
  }
  AssertReport(u"DC of printing dialog is null", kSource, static_cast<bool>(info.dc));
  if (!info.dc) {
    info.failed = true;
    return false;
  }
  info.page_format = platform::W(RString(IDS_PRINT_PAGE_FORMAT));
  return true;
}

bool TPrinter::PreparePrinting(PrintInfo& info) {
  info.max_page = info.min_page;
  return DoPreparePrinting(info);
}

void TPrinter::TakeAndDrawPicture(HDC dc, const PrintInfo& info, HWND window) {
  busy_ = true;
  picture_.Take(window);
  busy_ = false;
  picture_.Draw(dc, info.page_rect.right - info.page_rect.left,
                info.page_rect.bottom - info.page_rect.top);
}

void TPrinter::PrintPage(HDC dc, PrintInfo& info, HWND window) {
  HWND dialog = g_printing_dialog ? g_printing_dialog->Hwnd() : nullptr;
  if (dialog) ShowWindow(dialog, SW_HIDE);
  InvalidateRect(window, nullptr, TRUE);
  TakeAndDrawPicture(dc, info, window);
  if (dialog) {
    ShowWindow(dialog, SW_SHOWNA);
    UpdateWindow(dialog);
  }
}

bool ViewPrinter::PreparePrinting(PrintInfo& info) {
  info.min_page = 1;
  return DoPreparePrinting(info);
}

void ViewPrinter::BeginPrinting(HDC dc, PrintInfo& info) {
  view_.SetPrinting(true);
  info.max_page = std::max(info.min_page, view_.BeginPrinting(dc, PrintableArea(dc)));
}

void ViewPrinter::EndPrinting(HDC, PrintInfo&) {
  view_.EndPrinting();
  view_.SetPrinting(false);
}

void ViewPrinter::PrintPage(HDC dc, PrintInfo& info, HWND) {
  view_.PrintPage(dc, info.page_rect, info.current_page);
}

void SetShellPrinter(const NamedPrinter& printer) { g_shell_printer = printer; }

bool PrintJobRunning() { return g_job_running; }

void CloseWhenPrintJobEnds(HWND window) { g_close_after_job = window; }

PrintResult PrintJob(TPrinter& printer, HWND window, bool direct, HWND main_window) {
  if (g_job_running) {
    MessageBeep(MB_ICONWARNING);
    return PrintResult::Cancelled;
  }
  const RunningJob running;
  PrintInfo info;
  info.direct = direct;
  info.owner = main_window;
  const NamedPrinter* named = direct && g_shell_printer ? &*g_shell_printer : nullptr;
  if (named) {
    info.dc.Reset(
        CreateDCW(named->driver.c_str(), named->device.c_str(), named->port.c_str(), nullptr));
    if (!info.dc) {
      ShowJobFailed(main_window);
      return PrintResult::Failed;
    }
  }
  if (!printer.PreparePrinting(info)) {
    // No printer at all is a failure; a cancelled dialog is the user's choice.
    if (info.failed) {
      ShowJobFailed(main_window);
      return PrintResult::Failed;
    }
    return PrintResult::Cancelled;
  }
  if (g_close_after_job) return PrintResult::Cancelled;  // closed while the print dialog was up
  printer.PreparePrintJob(info);
  AssertReport(u"OnFilePrint() DC is null", kSource, static_cast<bool>(info.dc));
  if (!info.dc) return PrintResult::Failed;

  std::wstring output;
  if (info.print_to_file) {
    output = AskOutputFile(main_window);
    if (output.empty()) return PrintResult::Cancelled;
  }
  const std::wstring name =
      platform::W(PrintDocumentName(TString(platform::U16(WindowTextOf(window).c_str()))).Str());
  const std::wstring printer_name = named ? named->device : CurrentPrinter().DeviceName();
  const std::wstring port =
      info.print_to_file
          ? ui::ReplaceArgument(platform::W(RString(IDS_PRINT_TO_FILE_PORT)), L"%1", output)
          : ui::ReplaceArgument(platform::W(RString(IDS_PRINT_ON_PORT)), L"%1",
                                named ? named->port : CurrentPrinter().PortName());

  HDC dc = info.dc.Get();
  printer.BeginPrinting(dc, info);
  DisabledWindow disabled(main_window);
  TPrintingDialog dialog;
  dialog.Open(main_window, name, printer_name, port);
  g_printing_dialog = &dialog;
  SetAbortProc(dc, &AbortProc);

  DOCINFOW doc{};
  doc.cbSize = sizeof(doc);
  doc.lpszDocName = name.c_str();
  doc.lpszOutput = output.empty() ? nullptr : output.c_str();
  if (StartDocW(dc, &doc) <= 0) {
    disabled.Restore();
    printer.EndPrinting(dc, info);
    g_printing_dialog = nullptr;
    dialog.Close();
    ShowJobFailed(main_window);
    return PrintResult::Failed;
  }

  const PrintPageOrder order =
      OrderPrintPages(info.from_page, info.to_page, info.min_page, info.max_page);
  bool aborted = false;
  for (int page = order.first;; page += order.step) {
    if (!info.continue_printing || StopAsked()) break;
    info.current_page = page;
    printer.PrepareDc(dc, info);
    dialog.ShowPage(PageText(info.page_format, page));
    info.page_rect = PrintableArea(dc);
    if (StartPage(dc) <= 0) {
      aborted = true;
      break;
    }
    printer.PrepareDc(dc, info);
    AssertReport(u"Can not continue printing", kSource, info.continue_printing);
    printer.PrintPage(dc, info, window);
    if (EndPage(dc) <= 0) {
      aborted = true;
      break;
    }
    PumpMessages();
    if (page == order.last) break;
  }
  const bool cancelled = StopAsked();
  if (aborted || cancelled) {
    AbortDoc(dc);
  } else {
    EndDoc(dc);
  }
  disabled.Restore();
  printer.EndPrinting(dc, info);
  g_printing_dialog = nullptr;
  dialog.Close();
  info.dc.Reset();
  if (aborted) return PrintResult::Failed;
  return cancelled ? PrintResult::Cancelled : PrintResult::Printed;
}

}  // namespace views
