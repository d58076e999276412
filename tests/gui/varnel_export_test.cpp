// File > Export against the simulation server: the menu item and Ctrl+E, the file written, the
// progress dialog and its Cancel, and a file that cannot be written.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "dialogs/export_dialog_ids.h"
#include "platform/wide.h"
#include "tests/gui/commands_fixture.h"

namespace gui {
namespace {

// 2021-01-04 00:00:00 UTC: winter, so local time is UTC in the test's prefix.
constexpr double kMonday = 1609718400000.0;

// A locked document of the server's items over [start, start + seconds).
std::wstring WriteExportDocument(const std::wstring& dir, const std::wstring& name,
                                 const char16_t* server, const std::vector<const char16_t*>& items,
                                 double seconds) {
  TVarnelDoc doc;
  doc.Period = kPeriodCustom;
  doc.StartTime = kMonday;
  doc.StopTime = kMonday + seconds * 1000.0;
  doc.Live = false;
  doc.Locked = true;
  HdaServerDef def;
  def.ServerName = server;
  for (const char16_t* item : items) doc.FindOrAddConnection(def).AddItemName(item);
  const std::wstring path = dir + L"\\" + name;
  EXPECT_FALSE(doc.Save(platform::U16(path.c_str())));
  return path;
}

// Ctrl+E as the keyboard gives it, to the program's window in the foreground.
void PressCtrlE(const VarnelProcess& program) {
  SetForegroundWindow(program.MainWindow());
  WaitUntil([&] { return GetForegroundWindow() == program.MainWindow(); }, 3000);
  const WORD sequence[4][2] = {
      {VK_CONTROL, 0}, {'E', 0}, {'E', KEYEVENTF_KEYUP}, {VK_CONTROL, KEYEVENTF_KEYUP}};
  INPUT keys[4] = {};
  for (int k = 0; k < 4; ++k) {
    keys[k].type = INPUT_KEYBOARD;
    keys[k].ki.wVk = sequence[k][0];
    keys[k].ki.dwFlags = sequence[k][1];
  }
  SendInput(4, keys, sizeof(INPUT));
}

// The export's file dialog: the name it proposes, then `path` typed and OK pressed.
std::wstring ChooseFile(const VarnelProcess& program, const std::wstring& path) {
  HWND dialog = program.WaitWindow(L"Export to CSV");
  EXPECT_NE(dialog, nullptr) << "no file dialog";
  if (!dialog) return L"";
  HWND name = FindDescendant(dialog, L"Edit");
  EXPECT_NE(name, nullptr);
  const std::wstring proposed = WindowText(name);
  SetText(name, path);
  Click(GetDlgItem(dialog, IDOK));
  return proposed;
}

// The lines of a file without its UTF-8 byte order mark.
std::vector<std::string> CsvLines(const std::wstring& path) {
  std::string bytes = ReadBytes(path);
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", pos);
    if (end == std::string::npos) break;
    lines.push_back(bytes.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

class VarnelExport : public VarnelCommands {
 protected:
  // Starts the program on the document and connects its server.
  void Open(VarnelProcess& program, const wchar_t* server) {
    ASSERT_NO_FATAL_FAILURE(Launch(program));
    ASSERT_TRUE(WaitUntil([&] { return Periods(program).size() == 1; }));
    ASSERT_NO_FATAL_FAILURE(Connect(program, server));
  }
  // No file of that name, and no temporary one beside it.
  static void ExpectNothingAt(const std::wstring& path) {
    EXPECT_FALSE(FileExists(path)) << Narrow(path);
    EXPECT_FALSE(FileExists(path + L".part")) << Narrow(path) << ".part";
  }
};

TEST_F(VarnelExport, MenuAndCtrlEWriteEveryValueOfTheDocument) {
  const std::wstring doc = WriteExportDocument(dir_, L"plant.xml", u"Varnel.HdaSim.1",
                                               {u"Waves/Ramp 1s", u"Text/States"}, 600);
  VarnelProcess program(dir_, L"\"" + doc + L"\"");
  ASSERT_NO_FATAL_FAILURE(Open(program, kServer1));
  EXPECT_EQ(MenuText(MenuItem(program.Ask(L"menu"), ID_FILE_EXPORT)), L"&Export...\tCtrl+E");

  const std::wstring first = dir_ + L"\\first.csv";
  program.Command(ID_FILE_EXPORT);
  // The dialog proposes the document's name (in the document's folder).
  const std::wstring proposed = ChooseFile(program, first);
  EXPECT_EQ(proposed.substr(proposed.find_last_of(L'\\') + 1), L"plant.csv") << Narrow(proposed);
  ASSERT_TRUE(WaitUntil([&] { return FileExists(first); }, 30000)) << "nothing exported";
  const std::vector<std::string> lines = CsvLines(first);
  ASSERT_EQ(lines.size(), 601u);
  EXPECT_EQ(lines[0], "Time,Waves/Ramp 1s,Text/States");
  // The ramp is the seconds since midnight UTC, each second; the states come every 10 s.
  int wrong = 0;
  for (int i = 0; i < 600; ++i) {
    char time[40];
    std::snprintf(time, sizeof time, "2021-01-04T00:%02d:%02d.000", i / 60, i % 60);
    const std::string& row = lines[i + 1];
    const std::size_t comma = row.find(',');
    const std::size_t second = row.find(',', comma + 1);
    const bool right = row.compare(0, 23, time) == 0 && row.substr(23, 3) == "+00" &&
                       std::abs(std::stod(row.substr(comma + 1, second - comma - 1)) - i) < 1e-6 &&
                       (i % 10 == 0) == (second + 1 < row.size());
    if (!right && wrong++ < 5) ADD_FAILURE() << "row " << i + 1 << ": " << row;
  }
  EXPECT_EQ(wrong, 0);

  // Ctrl+E writes the same file again.
  const std::wstring again = dir_ + L"\\again.csv";
  PressCtrlE(program);
  ChooseFile(program, again);
  ASSERT_TRUE(WaitUntil([&] { return FileExists(again); }, 30000)) << "Ctrl+E exported nothing";
  EXPECT_EQ(ReadBytes(again), ReadBytes(first));
  CloseAndExpectExit(program);
  const std::wstring log = Log(dir_);
  EXPECT_NE(log.find(L"Export to " + first + L" written: 600 rows, 660 values"),
            std::wstring::npos);
  EXPECT_NE(log.find(L"Export to " + again + L" written: 600 rows"), std::wstring::npos);
}

// A week of the server that answers 1000 values a call: the dialog shows the export going on, the
// main window answers meanwhile, and Cancel leaves no file.
TEST_F(VarnelExport, CancelInTheProgressDialogLeavesNoFile) {
  const std::wstring doc = WriteExportDocument(dir_, L"week.xml", u"Varnel.HdaSim.16",
                                               {u"Waves/Ramp 1s", u"Waves/Sine 1s"}, 7 * 86400);
  VarnelProcess program(dir_, L"\"" + doc + L"\"");
  ASSERT_NO_FATAL_FAILURE(Open(program, L"Varnel.HdaSim.16"));
  const std::wstring target = dir_ + L"\\week.csv";
  program.Command(ID_FILE_EXPORT);
  ChooseFile(program, target);
  HWND progress = program.WaitWindow(L"Exporting");
  ASSERT_NE(progress, nullptr) << "no progress dialog";
  HWND counts = GetDlgItem(progress, IDC_EXPORT_COUNTS);
  ASSERT_TRUE(WaitUntil([&] {
    return WindowText(counts).find(L" values read") != std::wstring::npos &&
           WindowText(counts).substr(0, 2) != L"0 ";
  })) << Narrow(WindowText(counts));
  const std::wstring before = WindowText(counts);
  // The main window answers while the export runs, and the counts go on.
  DWORD_PTR answer = 0;
  EXPECT_NE(
      SendMessageTimeoutW(program.MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer), 0);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(counts) != before; })) << Narrow(before);
  EXPECT_TRUE(FileExists(target + L".part")) << "the export writes beside its target";
  Click(GetDlgItem(progress, IDCANCEL));
  ASSERT_TRUE(VarnelProcess::WaitGone(progress));
  EXPECT_TRUE(WaitUntil([&] { return !FileExists(target + L".part"); }));
  ExpectNothingAt(target);
  CloseAndExpectExit(program);
  EXPECT_NE(Log(dir_).find(L"Export to " + target + L" cancelled"), std::wstring::npos);
}

// The menu item, its prompt and the progress dialog in each language (Spanish has the English
// menu, its own texts elsewhere).
TEST_F(VarnelExport, SpeaksEveryLanguage) {
  const std::wstring doc = WriteExportDocument(dir_, L"week.xml", u"Varnel.HdaSim.16",
                                               {u"Waves/Ramp 1s", u"Waves/Sine 1s"}, 7 * 86400);
  VarnelProcess program(dir_, L"\"" + doc + L"\"");
  ASSERT_NO_FATAL_FAILURE(Open(program, L"Varnel.HdaSim.16"));
  struct Case {
    UINT command;
    const wchar_t* item;
    const wchar_t* prompt;
    const wchar_t* caption;
    const wchar_t* counts;
  } const cases[] = {
      {ID_LANGUAGE_FRENCH, L"E&xporter...\tCtrl+E",
       L"Exporter les courbes du document actif dans un fichier CSV", L"Exportation",
       L" valeurs lues, "},
      {ID_LANGUAGE_GERMAN, L"E&xportieren...\tStrg+E",
       L"Kurven des aktiven Dokuments in eine CSV-Datei exportieren", L"Export läuft",
       L" Werte gelesen, "},
      {ID_LANGUAGE_SPANISH, L"&Export...\tCtrl+E",
       L"Exportar las curvas del documento activo a un archivo CSV", L"Exportando",
       L" valores leídos, "},
      {ID_LANGUAGE_DUTCH, L"&Exporteren...\tCtrl+E",
       L"De curven van het actieve document naar een CSV-bestand exporteren",
       L"Bezig met exporteren", L" waarden gelezen, "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    program.Command(c.command);
    ASSERT_TRUE(WaitUntil([&] {
      return MenuText(MenuItem(program.Ask(L"menu"), ID_FILE_EXPORT)) == c.item;
    })) << Narrow(MenuText(MenuItem(program.Ask(L"menu"), ID_FILE_EXPORT)));
    SendMessageW(program.MainWindow(), WM_MENUSELECT, MAKEWPARAM(ID_FILE_EXPORT, MF_STRING),
                 reinterpret_cast<LPARAM>(GetMenu(program.MainWindow())));
    EXPECT_EQ(Lines(program.Ask(L"status"))[0], c.prompt);
    const std::wstring target = dir_ + L"\\week" + std::to_wstring(c.command) + L".csv";
    program.Command(ID_FILE_EXPORT);
    HWND file_dialog = nullptr;
    // The file dialog's title is the program's own text; the common dialog's are the system's.
    ASSERT_TRUE(WaitUntil([&] {
      for (HWND w : program.TopWindows()) {
        if (FindDescendant(w, L"Edit") != nullptr) file_dialog = w;
      }
      return file_dialog != nullptr;
    }));
    SetText(FindDescendant(file_dialog, L"Edit"), target);
    Click(GetDlgItem(file_dialog, IDOK));
    HWND progress = program.WaitWindow(c.caption);
    ASSERT_NE(progress, nullptr) << "no progress dialog";
    EXPECT_TRUE(WaitUntil([&] {
      return WindowText(GetDlgItem(progress, IDC_EXPORT_COUNTS)).find(c.counts) !=
             std::wstring::npos;
    })) << Narrow(WindowText(GetDlgItem(progress, IDC_EXPORT_COUNTS)));
    Click(GetDlgItem(progress, IDCANCEL));
    ASSERT_TRUE(VarnelProcess::WaitGone(progress));
    ExpectNothingAt(target);
  }
  program.Command(ID_LANGUAGE_ENGLISH);
  CloseAndExpectExit(program);
}

// A file another program holds open without sharing, as a spreadsheet holds the file it shows:
// the program's message names it, the file stays as it was, and no temporary file is left.
TEST_F(VarnelExport, AFileThatCannotBeWrittenIsReportedAndLeftAlone) {
  const std::wstring doc =
      WriteExportDocument(dir_, L"plant.xml", u"Varnel.HdaSim.1", {u"Waves/Ramp 1s"}, 60);
  const std::wstring target = dir_ + L"\\held.csv";
  WriteBytes(target, "kept");
  HANDLE held = CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  VarnelProcess program(dir_, L"\"" + doc + L"\"");
  ASSERT_NO_FATAL_FAILURE(Open(program, kServer1));
  program.Command(ID_FILE_EXPORT);
  ChooseFile(program, target);
  // The file dialog asks before a file is replaced (a box of the dialog's title, with Yes).
  HWND yes = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND w : program.TopWindows()) {
      if ((yes = GetDlgItem(w, IDYES)) != nullptr) return true;
    }
    return false;
  })) << "no question before replacing the file";
  Click(yes);
  HWND box = program.WaitWindow(L"Varnel");
  ASSERT_NE(box, nullptr) << "no message";
  EXPECT_EQ(BoxText(box), L"Failed to export to " + target + L".");
  CloseBox(box);
  CloseHandle(held);
  EXPECT_EQ(ReadBytes(target), "kept");
  EXPECT_FALSE(FileExists(target + L".part"));
  CloseAndExpectExit(program);
}

}  // namespace
}  // namespace gui
