// Printing as the operator meets it: Varnel.exe prints the graph, the grid and a dialog to the
// private spooler's PDF queue and to a file, previews pages, and copes without any printer. The
// printed documents are copied into the output folder under fixed names; run_print_tests.sh
// reads their pages back (page count, texts, pixels) once this program is done.
//
// Environment (set by run_print_tests.sh): VARNEL_PDF_DIR, where the PDF queue writes;
// VARNEL_PRINT_OUTPUT, where the documents and the expected figures go; VARNEL_TEST_PRINTER,
// the queue's name; CUPS_SERVER, the spooler's socket; VARNEL_NO_PRINTER, set for the run
// without any spooler.
#include <gtest/gtest.h>

#include <windows.h>

#include <dlgs.h>

#include <algorithm>
#include <map>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "strings/command_ids.h"
#include "document/varnel_doc.h"
#include "document/wave_name.h"
#include "platform/wide.h"
#include "tests/gui/channel_answers.h"
#include "tests/gui/run_directory_test.h"
#include "tests/gui/screen_picture.h"
#include "tests/gui/varnel_driver.h"
#include "views/core/print_layout.h"
#include "views/print_preview.h"
#include "views/printing_ids.h"

namespace gui {
namespace {

// Controls of the system's print, page set-up and file dialogs.
constexpr int kPrintPagesRadio = rad3, kPrintFrom = edt1, kPrintTo = edt2, kPrintToFile = chx1;
constexpr int kLandscapeRadio = rad2, kFileNameCombo = cmb13, kFileNameEdit = edt1;

std::wstring Env(const wchar_t* name) {
  wchar_t value[1024] = {};
  return GetEnvironmentVariableW(name, value, 1024) ? value : L"";
}

std::wstring PdfDir() { return Env(L"VARNEL_PDF_DIR"); }
std::wstring OutputDir() { return Env(L"VARNEL_PRINT_OUTPUT"); }

std::set<std::wstring> PdfFiles() {
  std::set<std::wstring> files;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((PdfDir() + L"\\*.pdf").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return files;
  do {
    files.insert(data.cFileName);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return files;
}

ULONGLONG FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Whether the file's last kilobyte holds the end-of-file marker that a PDF writer puts last.
bool EndsAsAPdf(const std::wstring& path) {
  const std::string bytes = ReadBytes(path);
  return bytes.find("%%EOF", bytes.size() > 1024 ? bytes.size() - 1024 : 0) != std::string::npos;
}

// Waits for the queue's next PDF (one not in `before`), complete (it ends as a PDF does and its
// size stays steady for a second), and copies it into the output folder as `name`. False after
// the timeout or when the file never ends as a PDF.
// The queue's writer makes the file in place, its header first and the rest once the page is
// done: a copy taken while it stood still between the two would be cut short.
// The spooler's first job after it started can take much longer than the others on a busy machine.
bool CollectPdf(const std::set<std::wstring>& before, const std::wstring& name,
                DWORD timeout_ms = 180000) {
  std::wstring found;
  if (!WaitUntil(
          [&] {
            for (const std::wstring& f : PdfFiles()) {
              if (!before.count(f)) found = f;
            }
            return !found.empty();
          },
          timeout_ms)) {
    return false;
  }
  const std::wstring path = PdfDir() + L"\\" + found;
  ULONGLONG size = 0;
  const bool complete = WaitUntil(
      [&] {
        const ULONGLONG now = FileSize(path);
        const bool steady = now > 0 && now == size && EndsAsAPdf(path);
        size = now;
        if (!steady) Sleep(1000);
        return steady;
      },
      60000);
  if (!complete) {
    ADD_FAILURE() << Narrow(found) << " stayed at " << size << " bytes without the end of a PDF";
    return false;
  }
  return CopyFileW(path.c_str(), (OutputDir() + L"\\" + name).c_str(), FALSE) != FALSE;
}

void WriteExpected(const std::wstring& name, const std::string& text) {
  std::ofstream out(std::filesystem::path(OutputDir() + L"\\" + name));
  out << text;
}

// A dialog of the program with that title and, when given, that control.
HWND WaitDialog(const VarnelProcess& program, const std::wstring& title, int control = 0,
                DWORD timeout_ms = 20000) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND w : program.TopWindows()) {
          wchar_t name[16] = {};
          GetClassNameW(w, name, 16);
          if (std::wstring(name) == L"#32770" && WindowText(w) == title &&
              (!control || GetDlgItem(w, control))) {
            found = w;
          }
        }
        return found != nullptr;
      },
      timeout_ms);
  return found;
}

// The text of the message box with that title (its static text), or "".
std::wstring MessageText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text ? WindowText(text) : WindowText(FindDescendant(box, L"Static"));
}

void SetText(HWND control, const std::wstring& text) {
  SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// A document of one sine wave of `points` values over its period, saved under `name`.
std::wstring WriteWaveDocument(const std::wstring& dir, const std::wstring& name, int points) {
  TVarnelDoc doc;
  HdaServerDef server;
  server.ServerName = u"Varnel.HdaSim.1";
  doc.FindOrAddConnection(server).AddItemName(u"Plant/Area 1/Line A/Temperature");
  TWave wave;
  wave.ServerName = u"Varnel.HdaSim.1";
  wave.ItemName = u"Plant/Area 1/Line A/Temperature";
  for (int i = 0; i < points; ++i) {
    wave.T.push_back(doc.StartTime + (doc.StopTime - doc.StartTime) * i / (points - 1));
    wave.Y.push_back(50 + 40 * std::sin(i * 6.283185307 / (points - 1)));
  }
  // Drawn in pure red with a pen of 3 pixels, so the page shows it plainly.
  graph::TPlotSettings look;
  look.Initialise(0);
  look.Name = WaveFullName(wave);
  look.LineColor = graph::Rgb(255, 0, 0);
  look.LineWidth = 3;
  doc.GraphSettings.Plots[look.Name] = look;
  doc.Waves.push_back(wave);
  const std::wstring path = dir + L"\\" + name;
  EXPECT_FALSE(doc.Save(platform::U16(path.c_str())));
  return path;
}

class VarnelPrint : public RunDirectoryTest {
 protected:
  void SetUp() override {
    ASSERT_FALSE(PdfDir().empty()) << "VARNEL_PDF_DIR is not set: run through run_print_tests.sh";
    RunDirectoryTest::SetUp();
  }
  void CloseAndExpectExit(VarnelProcess& program) {
    PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    // A modified document asks before closing: no.
    if (HWND ask = WaitDialog(program, L"Varnel", 0, 3000)) {
      if (HWND no = GetDlgItem(ask, IDNO)) Click(no);
    }
    EXPECT_EQ(program.WaitExit(), 0) << "the program did not end cleanly after WM_CLOSE";
  }
  // Waits until the document is open with its waves.
  void WaitDocument(VarnelProcess& program) {
    ASSERT_TRUE(WaitUntil([&] {
      return program.Ask(L"documents").find(L"|1|") != std::wstring::npos;
    })) << program.Ask(L"documents");
  }
  // Starts the program on its document and selects a grid cell: the grid's view is active and
  // can print.
  void OpenGridToPrint(VarnelProcess& program) {
    ASSERT_NO_FATAL_FAILURE(Launch(program));
    WaitDocument(program);
    HWND grid = FindDescendant(program.MainWindow(), L"VarnelGridCtrl");
    ASSERT_NE(grid, nullptr);
    LeftClickAt(grid, {100, 50});
    ASSERT_TRUE(WaitUntil([&] {
      return program.Ask(L"menu").find(L"|57607||") != std::wstring::npos;
    })) << "Print stays greyed with a cell selected";
  }
  // Answers the system's print dialog with OK, after the optional page range and print to file.
  void AnswerPrintDialog(VarnelProcess& program, int from = 0, int to = 0, bool to_file = false) {
    HWND dialog = WaitDialog(program, L"Print", IDOK);
    ASSERT_NE(dialog, nullptr) << "no print dialog";
    if (from > 0) {
      SendMessageW(GetDlgItem(dialog, kPrintPagesRadio), BM_CLICK, 0, 0);
      SetText(GetDlgItem(dialog, kPrintFrom), std::to_wstring(from));
      SetText(GetDlgItem(dialog, kPrintTo), std::to_wstring(to));
    }
    if (to_file) SendMessageW(GetDlgItem(dialog, kPrintToFile), BM_SETCHECK, BST_CHECKED, 0);
    Click(GetDlgItem(dialog, IDOK));
    EXPECT_TRUE(VarnelProcess::WaitGone(dialog));
  }
};

// The graph of a document whose 40-character name is cut to 31 in the printing dialog; the page
// is measured by the script against the graph's client size written here.
TEST_F(VarnelPrint, GraphPrintsOnOnePageOfThePdfPrinter) {
  const std::wstring name = L"GraphDocumentWithAFortyCharacterName.xml";
  ASSERT_EQ(name.size(), 40u);
  const std::wstring path = WriteWaveDocument(dir_, name, 200);
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  WaitDocument(program);
  HWND graph = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    return (graph = FindDescendant(program.MainWindow(), L"VarnelGraphView")) != nullptr;
  })) << program.Ask(L"documents");
  RECT client{};
  GetClientRect(graph, &client);
  WriteExpected(L"graph.expected",
                std::to_string(client.right) + " " + std::to_string(client.bottom) + "\n");

  const std::set<std::wstring> before = PdfFiles();
  program.Command(ID_FILE_PRINT_DIRECT);
  ASSERT_TRUE(CollectPdf(before, L"graph.pdf")) << "no PDF from the printer";
  const std::wstring record = program.Ask(L"printing");
  EXPECT_NE(record.find(L"document: " + name.substr(0, 31) + L"\n"), std::wstring::npos) << record;
  EXPECT_EQ(record.find(name.substr(0, 32)), std::wstring::npos) << record;
  EXPECT_NE(record.find(L"printer: " + Env(L"VARNEL_TEST_PRINTER") + L"\n"), std::wstring::npos)
      << record;
  EXPECT_NE(record.find(L"port: on CUPS:"), std::wstring::npos) << record;
  EXPECT_NE(record.find(L"page: Page 1\n"), std::wstring::npos) << record;
  CloseAndExpectExit(program);
}

// The first x at or after `from` where the middle half of the picture's rows holds mostly the
// background (its most common colour) in every column from x - 4 to x + 4; -1 when none is.
int ClearColumnFrom(const gui::ScreenPicture& shown, int from) {
  if (shown.pixels.empty()) return -1;
  const int top = shown.height / 4, bottom = shown.height * 3 / 4;
  std::map<std::uint32_t, int> colours;
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < shown.width; ++x) ++colours[shown.At(x, y)];
  }
  const std::uint32_t background =
      std::max_element(colours.begin(), colours.end(), [](const auto& a, const auto& b) {
        return a.second < b.second;
      })->first;
  const auto clear = [&](int x) {
    int inked = 0;
    for (int y = top; y < bottom; ++y) inked += shown.At(x, y) != background;
    return inked * 10 < (bottom - top) * 3;
  };
  for (int x = std::max(from, 4); x + 4 < shown.width && x < from + shown.width / 5; ++x) {
    bool all = true;
    for (int dx = -4; dx <= 4 && all; ++dx) all = clear(x + dx);
    if (all) return x;
  }
  return -1;
}

// The trace cursor is printed while it is on, at its time, and left out once it is off: the
// script finds the wave's value text and the cursor's line (at the window's x, scaled) on the
// first page and neither on the second.
TEST_F(VarnelPrint, GraphPrintsTheTraceCursorOnlyWhileItIsOn) {
  const std::wstring path = WriteWaveDocument(dir_, L"trace.xml", 200);
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  WaitDocument(program);
  HWND graph = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] { return (graph = FindDescendant(program.MainWindow(), L"TGraph")) != nullptr; }));
  RECT client{};
  GetClientRect(graph, &client);
  // The period ends now, so where the grid's lines fall depends on the time of day: the cursor
  // goes where the screen shows none, or the page without it would be inked there too.
  program.Ask(L"paint-timed");
  const int cursor_x = ClearColumnFrom(gui::ReadSettledScreen(graph), client.right * 2 / 5);
  ASSERT_GE(cursor_x, 0) << "no column free of grid lines near 2/5 of the graph";
  program.Command(ID_GRAPH_TRACE_CURSOR);
  ASSERT_TRUE(WaitUntil([&] { return program.Ask(L"trace").rfind(L"trace|on", 0) == 0; }));
  SendMessageW(graph, WM_MOUSEMOVE, 0, MAKELPARAM(cursor_x, client.bottom / 2));
  // The texts the screen shows: the time, then the wave's value.
  // The value's text, the line's x, the window's size and the plot area's top and bottom.
  std::string value, line_x, rows;
  for (const std::wstring& line : Lines(program.Ask(L"trace"))) {
    const std::vector<std::wstring> f = Fields(line);
    if (f[0] == L"label" && f.size() == 7) value = Narrow(f[1]);
    if (f[0] == L"line" && f.size() == 6) line_x = Narrow(f[1]), rows = Narrow(f[2] + L" " + f[4]);
  }
  ASSERT_FALSE(value.empty() || line_x.empty()) << Narrow(program.Ask(L"trace"));
  WriteExpected(L"trace.expected", value + "\n" + line_x + "\n" + std::to_string(client.right) +
                                       " " + std::to_string(client.bottom) + "\n" + rows + "\n");

  std::set<std::wstring> before = PdfFiles();
  program.Command(ID_FILE_PRINT_DIRECT);
  ASSERT_TRUE(CollectPdf(before, L"trace-on.pdf")) << "no PDF from the printer";
  program.Command(ID_GRAPH_TRACE_CURSOR);
  ASSERT_TRUE(WaitUntil([&] { return program.Ask(L"trace").rfind(L"trace|off", 0) == 0; }));
  before = PdfFiles();
  program.Command(ID_FILE_PRINT_DIRECT);
  ASSERT_TRUE(CollectPdf(before, L"trace-off.pdf")) << "no PDF from the printer";
  CloseAndExpectExit(program);
}

// The grid's fixed-width pages, asked from page 3 to page 1: printed in that order.
TEST_F(VarnelPrint, GridPrintsItsPagesThreeToOneInThatOrder) {
  const std::wstring path = WriteWaveDocument(dir_, L"grid.xml", 300);
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  ASSERT_NO_FATAL_FAILURE(OpenGridToPrint(program));

  const std::set<std::wstring> before = PdfFiles();
  program.Command(ID_FILE_PRINT);
  AnswerPrintDialog(program, 3, 1);
  ASSERT_TRUE(CollectPdf(before, L"grid.pdf")) << "no PDF from the printer";
  const std::wstring record = program.Ask(L"printing");
  const std::size_t p3 = record.find(L"page: Page 3\n");
  const std::size_t p2 = record.find(L"page: Page 2\n");
  const std::size_t p1 = record.find(L"page: Page 1\n");
  ASSERT_NE(p3, std::wstring::npos) << record;
  EXPECT_LT(p3, p2) << record;
  EXPECT_LT(p2, p1) << record;
  EXPECT_NE(p1, std::wstring::npos) << record;
  CloseAndExpectExit(program);
}

// The preview shows the grid's pages through the same page code and pages forwards.
TEST_F(VarnelPrint, PreviewShowsTheGridsPagesOneAtATime) {
  const std::wstring path = WriteWaveDocument(dir_, L"preview.xml", 300);
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  ASSERT_NO_FATAL_FAILURE(OpenGridToPrint(program));
  program.Command(ID_FILE_PRINT_PREVIEW);
  HWND preview = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        for (HWND w : program.TopWindows()) {
          if (WindowText(w) == L"preview.xml - Print Preview") preview = w;
        }
        return preview != nullptr;
      },
      20000));
  HWND page = GetDlgItem(preview, views::PrintPreview::kPageText);
  EXPECT_EQ(WindowText(page), L"Page 1 / 3");
  EXPECT_FALSE(IsWindowEnabled(program.MainWindow()));
  Click(GetDlgItem(preview, views::PrintPreview::kNextButton));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(page) == L"Page 2 / 3"; })) << WindowText(page);
  if (!Env(L"VARNEL_PREVIEW_SCREENSHOT").empty()) {
    WriteExpected(L"preview.ready", "1");
    WaitUntil(
        [] {
          return GetFileAttributesW((OutputDir() + L"\\preview.taken").c_str()) !=
                 INVALID_FILE_ATTRIBUTES;
        },
        20000);
  }
  Click(GetDlgItem(preview, views::PrintPreview::kCloseButton));
  EXPECT_TRUE(VarnelProcess::WaitGone(preview));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(program.MainWindow()) != FALSE; }));
  CloseAndExpectExit(program);
}

// The about box prints its picture through its File menu: on a portrait page, then on a
// landscape one after page set-up, then into a file.
TEST_F(VarnelPrint, DialogPicturePrintsOnPortraitAndLandscapePagesAndToAFile) {
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  auto open_about = [&] {
    program.Command(ID_APP_ABOUT);
    return WaitDialog(program, L"About Varnel");
  };
  auto print_about = [&](const std::wstring& pdf, bool to_file) {
    HWND about = open_about();
    if (!about) return std::wstring(L"no about box");
    RECT r{};
    GetWindowRect(about, &r);
    const std::set<std::wstring> before = PdfFiles();
    PostMessageW(about, WM_COMMAND, ID_FILE_PRINT, 0);  // its File menu's Print
    AnswerPrintDialog(program, 0, 0, to_file);
    std::wstring failure;
    if (to_file) {
      HWND save = WaitDialog(program, L"Print to File");
      if (!save) return std::wstring(L"no Print to File dialog");
      HWND name = GetDlgItem(save, kFileNameCombo) ? GetDlgItem(save, kFileNameCombo)
                                                   : GetDlgItem(save, kFileNameEdit);
      SetText(name, dir_ + L"\\" + pdf);
      Click(GetDlgItem(save, IDOK));
      if (!WaitUntil([&] { return FileSize(dir_ + L"\\" + pdf) > 0; }, 30000))
        failure = L"no file printed";
      Sleep(1000);
      CopyFileW((dir_ + L"\\" + pdf).c_str(), (OutputDir() + L"\\" + pdf).c_str(), FALSE);
    } else if (!CollectPdf(before, pdf)) {
      failure = L"no PDF from the printer";
    }
    const std::string size =
        std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top) + "\n";
    WriteExpected(pdf + L".expected", size);
    Click(GetDlgItem(about, IDOK));
    VarnelProcess::WaitGone(about);
    return failure;
  };
  EXPECT_EQ(print_about(L"dialog-portrait.pdf", false), L"");
  std::wstring record = program.Ask(L"printing");
  EXPECT_NE(record.find(L"document: About Varnel\n"), std::wstring::npos) << record;
  EXPECT_NE(record.find(L"page: Page 1\n"), std::wstring::npos) << record;

  program.Command(ID_FILE_PAGE_SETUP);
  // Wine calls its page set-up dialog "Setup Page".
  HWND setup = WaitDialog(program, L"Page Setup", kLandscapeRadio, 5000);
  if (!setup) setup = WaitDialog(program, L"Setup Page", kLandscapeRadio);
  ASSERT_NE(setup, nullptr) << "no system page set-up dialog";
  SendMessageW(GetDlgItem(setup, kLandscapeRadio), BM_CLICK, 0, 0);
  Click(GetDlgItem(setup, IDOK));
  ASSERT_TRUE(VarnelProcess::WaitGone(setup));
  EXPECT_EQ(print_about(L"dialog-landscape.pdf", false), L"");

  EXPECT_EQ(print_about(L"dialog.prn", true), L"");
  record = program.Ask(L"printing");
  EXPECT_NE(record.find(L"port: to " + dir_ + L"\\dialog.prn\n"), std::wstring::npos) << record;
  CloseAndExpectExit(program);
  // Page set-up chose the printer and the landscape orientation: both are in the configuration.
  const std::wstring config = ReadUtf16(dir_ + L"\\Varnel_Config.xml");
  EXPECT_NE(config.find(L"<PrinterName>" + Env(L"VARNEL_TEST_PRINTER") + L"</PrinterName>"),
            std::wstring::npos)
      << config;
  EXPECT_NE(config.find(L"<PaperOrientation>2</PaperOrientation>"), std::wstring::npos) << config;
}

// The configuration sheet carries the dialogs' File menu: Print (and its key, Ctrl+P) prints the
// sheet's picture; Close closes it as Cancel does.
TEST_F(VarnelPrint, PropertySheetPrintsItsPictureThroughItsFileMenu) {
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  program.Command(ID_OPTIONS_CONFIGURE);
  HWND sheet = WaitDialog(program, L"Varnel configuration:");
  ASSERT_NE(sheet, nullptr) << "no configuration sheet";
  EXPECT_NE(GetMenu(sheet), nullptr) << "the sheet has no menu bar";
  RECT r{};
  GetWindowRect(sheet, &r);
  WriteExpected(L"sheet.pdf.expected",
                std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top) + "\n");

  const std::set<std::wstring> before = PdfFiles();
  PostMessageW(sheet, WM_COMMAND, ID_FILE_PRINT, 0);
  AnswerPrintDialog(program);
  ASSERT_TRUE(CollectPdf(before, L"sheet.pdf")) << "no PDF from the printer";
  const std::wstring record = program.Ask(L"printing");
  EXPECT_NE(record.find(L"document: Varnel configuration:\n"), std::wstring::npos) << record;

  // Ctrl+P pressed in the sheet opens the print dialog, which is cancelled here.
  SetForegroundWindow(sheet);
  INPUT keys[4] = {};
  const WORD sequence[4][2] = {
      {VK_CONTROL, 0}, {'P', 0}, {'P', KEYEVENTF_KEYUP}, {VK_CONTROL, KEYEVENTF_KEYUP}};
  for (int k = 0; k < 4; ++k) {
    keys[k].type = INPUT_KEYBOARD;
    keys[k].ki.wVk = sequence[k][0];
    keys[k].ki.dwFlags = sequence[k][1];
  }
  SendInput(4, keys, sizeof(INPUT));
  HWND dialog = WaitDialog(program, L"Print", IDOK);
  ASSERT_NE(dialog, nullptr) << "Ctrl+P in the sheet did not ask to print";
  Click(GetDlgItem(dialog, IDCANCEL));
  EXPECT_TRUE(VarnelProcess::WaitGone(dialog));

  PostMessageW(sheet, WM_COMMAND, ID_FILE_CLOSE, 0);
  EXPECT_TRUE(VarnelProcess::WaitGone(sheet)) << "File > Close left the sheet open";
  CloseAndExpectExit(program);
}

// The printing dialog's Cancel, pressed while a long grid job prints, stops it between pages.
TEST_F(VarnelPrint, CancelInThePrintingDialogStopsTheJobBetweenPages) {
  const std::wstring path = WriteWaveDocument(dir_, L"long.xml", 30000);
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  ASSERT_NO_FATAL_FAILURE(OpenGridToPrint(program));
  program.Command(ID_FILE_PRINT_DIRECT);
  HWND printing = WaitDialog(program, L"Varnel", IDC_PRINTING_PAGE, 30000);
  ASSERT_NE(printing, nullptr) << "no printing dialog";
  // Cancel once the first page is done.
  ASSERT_TRUE(WaitUntil(
      [&] {
        const std::wstring page = WindowText(GetDlgItem(printing, IDC_PRINTING_PAGE));
        return !IsWindow(printing) || (page.rfind(L"Page ", 0) == 0 && page != L"Page 1");
      },
      30000))
      << WindowText(GetDlgItem(printing, IDC_PRINTING_PAGE));
  ASSERT_TRUE(IsWindow(printing)) << "the job ended before Cancel could be pressed: "
                                  << program.Ask(L"printing");
  SendMessageW(GetDlgItem(printing, IDCANCEL), BM_CLICK, 0, 0);
  EXPECT_TRUE(VarnelProcess::WaitGone(printing, 30000));
  const std::wstring record = program.Ask(L"printing");
  const std::size_t cancelled = record.find(L"cancelled\n");
  ASSERT_NE(cancelled, std::wstring::npos) << record;
  // At most the page under way when Cancel came was finished after it; the job of about 300 pages
  // was far from its end.
  const std::size_t pages_after = [&] {
    std::size_t n = 0;
    for (std::size_t at = record.find(L"page: ", cancelled); at != std::wstring::npos;
         at = record.find(L"page: ", at + 1))
      ++n;
    return n;
  }();
  EXPECT_LE(pages_after, 1u) << record;
  EXPECT_EQ(record.find(L"page: Page 200\n"), std::wstring::npos) << record;
  // The dialog goes at once; the job ends at its next page and gives the main window back.
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(program.MainWindow()) != FALSE; }, 30000));
  CloseAndExpectExit(program);
}

// Print asked for again while a job runs starts no job inside it; a close request (Task
// Manager's End task) stops the job before its next page, and the program then closes.
TEST_F(VarnelPrint, PrintAndCloseWhileAJobRunsWaitForTheJob) {
  const std::wstring path = WriteWaveDocument(dir_, L"long.xml", 30000);
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  ASSERT_NO_FATAL_FAILURE(OpenGridToPrint(program));
  program.Command(ID_FILE_PRINT_DIRECT);
  HWND printing = WaitDialog(program, L"Varnel", IDC_PRINTING_PAGE, 30000);
  ASSERT_NE(printing, nullptr) << "no printing dialog";
  ASSERT_TRUE(WaitUntil(
      [&] {
        const std::wstring page = WindowText(GetDlgItem(printing, IDC_PRINTING_PAGE));
        return !IsWindow(printing) || (page.rfind(L"Page ", 0) == 0 && page != L"Page 1");
      },
      30000));
  ASSERT_TRUE(IsWindow(printing)) << "the job ended too soon: " << program.Ask(L"printing");

  program.Command(ID_FILE_PRINT);
  HWND second = WaitDialog(program, L"Print", IDOK, 3000);
  EXPECT_EQ(second, nullptr) << "a second job began inside the first";
  if (second) Click(GetDlgItem(second, IDCANCEL));

  const std::wstring record = program.Ask(L"printing");
  EXPECT_EQ(record.find(L"document: ", record.find(L"document: ") + 1), std::wstring::npos)
      << record;

  // The unchanged document closes without a question once the job has stopped.
  PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitExit(30000), 0) << "the program did not end after the job";
}

// A dialog that stands partly off the screen prints the part that can be seen.
TEST_F(VarnelPrint, DialogPartlyOffTheScreenPrintsItsVisiblePart) {
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  program.Command(ID_APP_ABOUT);
  HWND about = WaitDialog(program, L"About Varnel");
  ASSERT_NE(about, nullptr);
  RECT r{};
  GetWindowRect(about, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  const int hidden = width / 3;
  SetWindowPos(about, nullptr, -hidden, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_TRUE(WaitUntil([&] { return GetWindowRect(about, &r) && r.left == -hidden; }));
  WriteExpected(L"dialog-offscreen.pdf.expected",
                std::to_string(width - hidden) + " " + std::to_string(height) + "\n");
  const std::set<std::wstring> before = PdfFiles();
  PostMessageW(about, WM_COMMAND, ID_FILE_PRINT, 0);
  AnswerPrintDialog(program);
  ASSERT_TRUE(CollectPdf(before, L"dialog-offscreen.pdf")) << "no PDF from the printer";
  Click(GetDlgItem(about, IDOK));
  EXPECT_TRUE(VarnelProcess::WaitGone(about));
  CloseAndExpectExit(program);
}

// A shell request to print to a named printer prints the document there and ends the program;
// a printer that does not exist is refused with the job's message.
TEST_F(VarnelPrint, ShellPrintToRequestPrintsOnTheNamedPrinterAndEnds) {
  const std::wstring path = WriteWaveDocument(dir_, L"shell.xml", 200);
  const std::wstring printer = Env(L"VARNEL_TEST_PRINTER");
  const std::set<std::wstring> before = PdfFiles();
  {
    VarnelProcess program(
        dir_, L"/pt \"" + path + L"\" \"" + printer + L"\" \"winspool\" \"CUPS:" + printer + L"\"");
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(CollectPdf(before, L"shell.pdf")) << "no PDF from the printer";
    EXPECT_EQ(program.WaitExit(60000), 0) << "the program did not end after printing";
  }
  {
    VarnelProcess program(dir_,
                          L"/pt \"" + path + L"\" \"No Such Printer\" \"winspool\" \"LPT9:\"");
    ASSERT_TRUE(program.Start());
    HWND box = WaitDialog(program, L"Varnel", 0, 30000);
    ASSERT_NE(box, nullptr) << "no message for a printer that does not exist";
    EXPECT_EQ(MessageText(box), L"Could not start print job.");
    Click(GetDlgItem(box, IDOK) ? GetDlgItem(box, IDOK) : GetDlgItem(box, IDCANCEL));
    EXPECT_EQ(program.WaitExit(60000), 0);
  }
}

// Without any printer the print commands say so, and page set-up opens the program's own dialog,
// which reads measurements in any unit and refuses margins beyond 22 inches.
TEST_F(VarnelPrint, WithoutAPrinterPrintingFailsAndPageSetupIsTheProgramsOwn) {
  // The spooler is chosen when a process starts: the script runs this case on its own, with a
  // spooler address nobody listens on.
  if (Env(L"VARNEL_NO_PRINTER").empty())
    GTEST_SKIP() << "run by run_print_tests.sh without a spooler";
  WriteUtf16(dir_ + L"\\Varnel_Config.xml",
             L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<Varnel_Configuration><Printing>"
             L"<Units>0</Units></Printing></Varnel_Configuration>\r\n");
  const std::wstring path = WriteWaveDocument(dir_, L"noprinter.xml", 20);
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  WaitDocument(program);

  for (UINT command : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT}) {
    program.Command(command);
    HWND box = WaitDialog(program, L"Varnel");
    ASSERT_NE(box, nullptr) << "no message after command " << command;
    EXPECT_EQ(MessageText(box), L"Could not start print job.");
    Click(GetDlgItem(box, IDOK) ? GetDlgItem(box, IDOK) : GetDlgItem(box, IDCANCEL));
    EXPECT_TRUE(VarnelProcess::WaitGone(box));
  }

  program.Command(ID_FILE_PAGE_SETUP);
  HWND own = WaitDialog(program, L"Page Setup", IDC_PAGE_SETUP_TOP);
  ASSERT_NE(own, nullptr) << "the program's own page set-up dialog did not open";
  EXPECT_EQ(WindowText(GetDlgItem(own, IDC_PAGE_SETUP_TOP)), L"0.79\"");  // 1134 twips in inches
  SetText(GetDlgItem(own, IDC_PAGE_SETUP_TOP), L"2 cm");
  SetText(GetDlgItem(own, IDC_PAGE_SETUP_BOTTOM), L"2");
  SetText(GetDlgItem(own, IDC_PAGE_SETUP_LEFT), L"30 in");
  SetText(GetDlgItem(own, IDC_PAGE_SETUP_RIGHT), L"");
  Click(GetDlgItem(own, IDOK));
  HWND range = WaitDialog(program, L"Varnel");
  ASSERT_NE(range, nullptr) << "30 inches were not refused";
  EXPECT_EQ(MessageText(range), L"The measurement must be between -22\" and 22\".");
  Click(GetDlgItem(range, IDOK));
  ASSERT_TRUE(VarnelProcess::WaitGone(range));
  EXPECT_TRUE(IsWindowVisible(own));
  // The fields read before the refused one show their values in the dialog's unit.
  EXPECT_EQ(WindowText(GetDlgItem(own, IDC_PAGE_SETUP_TOP)), L"0.79\"");
  SetText(GetDlgItem(own, IDC_PAGE_SETUP_LEFT), L"abc");
  Click(GetDlgItem(own, IDOK));
  HWND invalid = WaitDialog(program, L"Varnel");
  ASSERT_NE(invalid, nullptr);
  EXPECT_EQ(MessageText(invalid), L"This is not a valid measurement.");
  Click(GetDlgItem(invalid, IDOK));
  ASSERT_TRUE(VarnelProcess::WaitGone(invalid));
  SetText(GetDlgItem(own, IDC_PAGE_SETUP_LEFT), L"1 inch");
  Click(GetDlgItem(own, IDOK));
  EXPECT_TRUE(VarnelProcess::WaitGone(own));
  CloseAndExpectExit(program);
  const std::wstring config = ReadUtf16(dir_ + L"\\Varnel_Config.xml");
  const std::wstring margin = Element(config, L"PageMargin");
  // left 1440, top 2 cm = 1136, right unchanged (empty field), bottom 2 inches = 2880.
  EXPECT_EQ(Element(margin, L"left"), L"1440") << margin;
  EXPECT_EQ(Element(margin, L"top"), L"1136") << margin;
  EXPECT_EQ(Element(margin, L"right"), L"1134") << margin;
  EXPECT_EQ(Element(margin, L"bottom"), L"2880") << margin;
}

}  // namespace
}  // namespace gui
