// Varnel.exe as the operator meets it: started in a directory of its own, driven through its
// windows, closed, and judged by what it showed and the files it left.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "app/resource.h"
#include "strings/command_ids.h"
#include "dialogs/dialog_ids.h"
#include "document/varnel_doc.h"
#include "platform/wide.h"
#include "tests/gui/channel_answers.h"
#include "tests/gui/run_directory_test.h"
#include "tests/gui/varnel_driver.h"
#include "views/printing_ids.h"
#include "win/handle.h"

namespace gui {
namespace {

bool LooksLikeClock(const std::wstring& s) {
  return s.size() == 8 && std::iswdigit(s[0]) && std::iswdigit(s[1]) && s[2] == L':' &&
         std::iswdigit(s[3]) && std::iswdigit(s[4]) && s[5] == L':' && std::iswdigit(s[6]) &&
         std::iswdigit(s[7]);
}

// An environment variable of this test program (and of the programs it starts) for one scope.
class ScopedVariable {
 public:
  ScopedVariable(const wchar_t* name, const wchar_t* value) : name_(name) {
    wchar_t old[512];
    const DWORD n = GetEnvironmentVariableW(name, old, 512);
    had_ = n > 0 && n < 512;
    if (had_) old_ = old;
    SetEnvironmentVariableW(name, value);
  }
  ~ScopedVariable() { SetEnvironmentVariableW(name_, had_ ? old_.c_str() : nullptr); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const wchar_t* name_;
  bool had_ = false;
  std::wstring old_;
};

std::wstring Config(const std::wstring& dir) { return ReadUtf16(dir + L"\\Varnel_Config.xml"); }
std::wstring Log(const std::wstring& dir) { return ReadUtf16(dir + L"\\Varnel.log"); }

class VarnelGui : public RunDirectoryTest {
 protected:
  void CloseAndExpectExit(VarnelProcess& program) {
    PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(), 0) << "the program did not end cleanly after WM_CLOSE";
  }
};

TEST_F(VarnelGui, StartsWithFrameMenusClockAndNewDocumentThenClosesWritingItsFiles) {
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  EXPECT_EQ(WindowText(program.MainWindow()).rfind(L"Varnel", 0), 0u);

  // The window menu is rebuilt by a message the new document posts: wait for it.
  std::wstring menu;
  WaitUntil([&] { return (menu = program.Ask(L"menu")).find(L"|9010|") != std::wstring::npos; });
  const std::vector<std::wstring> expected = {L"&File",  L"&Edit",  L"&View",   L"&Server",
                                              L"&Graph", L"&Tools", L"&Window", L"&Help"};
  EXPECT_EQ(MenuBarTitles(menu), expected) << menu;
  // The window menu lists the new document; the English item is checked.
  EXPECT_NE(MenuItem(menu, ID_WINDOW_DOCUMENT_FIRST).find(L"Varnel1"), std::wstring::npos) << menu;
  EXPECT_NE(Flags(MenuItem(menu, ID_LANGUAGE_ENGLISH)).find(L'c'), std::wstring::npos);
  EXPECT_EQ(Flags(MenuItem(menu, ID_LANGUAGE_FRENCH)).find(L'c'), std::wstring::npos);

  const std::vector<std::wstring> documents = Lines(program.Ask(L"documents"));
  ASSERT_EQ(documents.size(), 1u);
  EXPECT_EQ(documents[0].substr(0, documents[0].find(L'|')), L"Varnel1");

  // The clock pane shows the time after the second tick.
  std::wstring status;
  EXPECT_TRUE(WaitUntil(
      [&] {
        const std::vector<std::wstring> panes = Lines(program.Ask(L"status"));
        status = panes.size() == 3 ? panes[2] : L"";
        return LooksLikeClock(status);
      },
      5000))
      << "clock pane: " << std::string(status.begin(), status.end());

  // The file toolbar hides and its item loses the check mark.
  EXPECT_NE(Flags(MenuItem(menu, ID_VIEW_FILE_TOOLBAR)).find(L'c'), std::wstring::npos);
  program.Command(ID_VIEW_FILE_TOOLBAR);
  EXPECT_TRUE(WaitUntil([&] {
    return Flags(MenuItem(program.Ask(L"menu"), ID_VIEW_FILE_TOOLBAR)).find(L'c') ==
           std::wstring::npos;
  }));

  CloseAndExpectExit(program);
  const std::wstring config = Config(dir_);
  ASSERT_FALSE(config.empty()) << "Varnel_Config.xml missing or not UTF-16 with a byte-order mark";
  EXPECT_NE(config.find(L"<Varnel_Configuration>"), std::wstring::npos);
  EXPECT_NE(Number(Element(config, L"MainBox"), L"right"), -99999);
  const std::wstring log = Log(dir_);
  const std::size_t started = log.find(L"Application started");
  const std::size_t closed = log.find(L"Application closed");
  ASSERT_NE(started, std::wstring::npos) << "log: " << std::string(log.begin(), log.end());
  ASSERT_NE(closed, std::wstring::npos);
  EXPECT_LT(started, closed);
}

TEST_F(VarnelGui, NextStartPlacesTheWindowWhereItWasAndKeepsThePreviousLog) {
  {
    VarnelProcess first(dir_);
    ASSERT_NO_FATAL_FAILURE(Launch(first));
    SetWindowPos(first.MainWindow(), nullptr, 30, 40, 700, 500, SWP_NOZORDER | SWP_NOACTIVATE);
    WaitUntil([&] {
      RECT r;
      GetWindowRect(first.MainWindow(), &r);
      return r.left == 30 && r.top == 40;
    });
    CloseAndExpectExit(first);
  }
  const std::wstring config = Config(dir_);
  const std::wstring box = Element(config, L"MainBox");
  EXPECT_EQ(Number(box, L"left"), 30);
  EXPECT_EQ(Number(box, L"top"), 40);
  EXPECT_EQ(Number(box, L"right"), 730);
  EXPECT_EQ(Number(box, L"bottom"), 540);

  VarnelProcess second(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(second));
  RECT r{};
  GetWindowRect(second.MainWindow(), &r);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.right, 730);
  EXPECT_EQ(r.bottom, 540);
  const std::wstring previous = ReadUtf16(dir_ + L"\\Varnel.log.bu");
  EXPECT_NE(previous.find(L"Application closed"), std::wstring::npos)
      << "the first run's log was not kept as Varnel.log.bu";
  CloseAndExpectExit(second);
}

// Closed maximised, the window keeps the place it is restored to, in screen coordinates. Run
// again on a screen whose work area begins below a bar at the top (run_work_area_tests.sh), where
// the system's own record of that place may be counted from the work area instead.
TEST_F(VarnelGui, WindowClosedMaximisedKeepsItsNormalPlace) {
  wchar_t top[16] = {};
  if (GetEnvironmentVariableW(L"VARNEL_TEST_WORK_AREA_TOP", top, 16) > 0) {
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    ASSERT_EQ(work.top, _wtoi(top)) << "the screen's work area is not the one this run is for";
  }
  WriteUtf16(
      dir_ + L"\\Varnel_Config.xml",
      L"<Varnel_Configuration><ConfigBase><MainBox><left>30</left><top>40</top>"
      L"<right>730</right><bottom>540</bottom></MainBox></ConfigBase></Varnel_Configuration>");
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  RECT normal{};
  GetWindowRect(program.MainWindow(), &normal);
  ShowWindow(program.MainWindow(), SW_MAXIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsZoomed(program.MainWindow()) != FALSE; }));
  CloseAndExpectExit(program);
  const std::wstring box = Element(Config(dir_), L"MainBox");
  EXPECT_EQ(Number(box, L"left"), normal.left) << Narrow(box);
  EXPECT_EQ(Number(box, L"top"), normal.top) << Narrow(box);
  EXPECT_EQ(Number(box, L"right"), normal.right) << Narrow(box);
  EXPECT_EQ(Number(box, L"bottom"), normal.bottom) << Narrow(box);
}

TEST_F(VarnelGui, ConfigurationInUtf8IsRefusedAndRewrittenAtClose) {
  WriteBytes(dir_ + L"\\Varnel_Config.xml",
             "<Varnel_Configuration><ConfigBase><Language>0</Language></ConfigBase>"
             "<General><RefreshRate>30</RefreshRate></General></Varnel_Configuration>");
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  // Refused: the defaults stay, so the menu is English.
  EXPECT_EQ(MenuBarTitles(program.Ask(L"menu")).front(), L"&File");
  CloseAndExpectExit(program);
  EXPECT_NE(Log(dir_).find(L"is not Unicode"), std::wstring::npos);
  const std::wstring config = Config(dir_);
  ASSERT_FALSE(config.empty()) << "the file was not rewritten in UTF-16";
  EXPECT_EQ(Number(config, L"RefreshRate"), 60);
}

TEST_F(VarnelGui, MenusFollowTheConfiguredLanguageAndTheLanguageCommand) {
  WriteUtf16(dir_ + L"\\Varnel_Config.xml",
             L"<Varnel_Configuration><ConfigBase><Language>0</Language></ConfigBase>"
             L"</Varnel_Configuration>");
  {
    VarnelProcess program(dir_);
    ASSERT_NO_FATAL_FAILURE(Launch(program));
    EXPECT_EQ(MenuBarTitles(program.Ask(L"menu")).front(), L"&Fichier");
    // Switching saves at once and loads the new menu.
    program.Command(ID_LANGUAGE_ENGLISH);
    EXPECT_TRUE(WaitUntil([&] { return MenuBarTitles(program.Ask(L"menu")).front() == L"&File"; }));
    EXPECT_EQ(Number(Config(dir_), L"Language"), 1) << "the switch was not saved at once";
    CloseAndExpectExit(program);
  }
  // Spanish has no menu of its own: English, and the log says so.
  WriteUtf16(dir_ + L"\\Varnel_Config.xml",
             L"<Varnel_Configuration><ConfigBase><Language>3</Language></ConfigBase>"
             L"</Varnel_Configuration>");
  VarnelProcess spanish(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(spanish));
  EXPECT_EQ(MenuBarTitles(spanish.Ask(L"menu")).front(), L"&File");
  CloseAndExpectExit(spanish);
  EXPECT_NE(Log(dir_).find(L"Missing menu for language 3"), std::wstring::npos);
}

TEST_F(VarnelGui, ConfigurationSheetSavesOnOkAndAsksBeforeDiscarding) {
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  program.Command(ID_OPTIONS_CONFIGURE);
  HWND sheet = program.WaitWindow(L"Varnel configuration:");
  ASSERT_NE(sheet, nullptr) << "the configuration sheet did not open";
  HWND combo = FindDescendant(sheet, L"ComboBox");
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2) << "60 s is the third choice";
  SendMessageW(combo, CB_SETCURSEL, 0, 0);  // "10 s"
  Click(GetDlgItem(sheet, IDOK));
  ASSERT_TRUE(VarnelProcess::WaitGone(sheet));
  // The sheet's window goes before the program saves what it chose.
  EXPECT_TRUE(WaitUntil([&] { return Number(Config(dir_), L"RefreshRate") == 10; }))
      << "OK did not save at once";

  program.Command(ID_OPTIONS_CONFIGURE);
  sheet = program.WaitWindow(L"Varnel configuration:");
  ASSERT_NE(sheet, nullptr);
  combo = FindDescendant(sheet, L"ComboBox");
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
  SendMessageW(combo, CB_SETCURSEL, 3, 0);  // "10 min"
  Click(GetDlgItem(sheet, IDCANCEL));
  HWND question = program.WaitWindow(L"Warning:");
  ASSERT_NE(question, nullptr) << "Cancel with a change did not ask";
  EXPECT_EQ(WindowText(GetDlgItem(question, IDC_QUESTION_HEADING)), L"Discard changes?");
  EXPECT_EQ(WindowText(GetDlgItem(question, IDC_QUESTION_TEXT)),
            L"Some changes have been detected, are you sure you want to discard these changes?");
  Click(GetDlgItem(question, IDC_QUESTION_BUTTON2));  // "No": the sheet stays
  ASSERT_TRUE(VarnelProcess::WaitGone(question));
  EXPECT_TRUE(IsWindowVisible(sheet));
  Click(GetDlgItem(sheet, IDCANCEL));
  question = program.WaitWindow(L"Warning:");
  ASSERT_NE(question, nullptr);
  Click(GetDlgItem(question, IDC_QUESTION_BUTTON1));  // "Yes": changes dropped
  ASSERT_TRUE(VarnelProcess::WaitGone(sheet));
  CloseAndExpectExit(program);
  EXPECT_EQ(Number(Config(dir_), L"RefreshRate"), 10);
}

// Page set-up from the configuration sheet's File menu: what it set stays when the sheet is
// confirmed afterwards, and Cancel, with nothing on the sheet changed, closes it without asking.
TEST_F(VarnelGui, PageSetUpFromTheConfigurationSheetStaysOnOkAndCancelAsksNothing) {
  // No spooler: page set-up is the program's own dialog, whose margins a test can type.
  const ScopedVariable no_spooler(L"CUPS_SERVER", L"/nonexistent/varnel-no-spooler.sock");
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  struct Case {
    UINT ends_sheet;
    const wchar_t* top;
    long twips;
  };
  for (const Case& c : {Case{IDOK, L"2 in", 2880}, Case{IDCANCEL, L"3 in", 4320}}) {
    program.Command(ID_OPTIONS_CONFIGURE);
    HWND sheet = program.WaitWindow(L"Varnel configuration:");
    ASSERT_NE(sheet, nullptr) << "the configuration sheet did not open";
    PostMessageW(sheet, WM_COMMAND, ID_FILE_PAGE_SETUP, 0);
    HWND setup = program.WaitWindow(L"Page Setup");
    ASSERT_NE(setup, nullptr) << "page set-up did not open from the sheet's File menu";
    ASSERT_NE(GetDlgItem(setup, IDC_PAGE_SETUP_TOP), nullptr)
        << "not the program's own page set-up";
    SendMessageW(GetDlgItem(setup, IDC_PAGE_SETUP_TOP), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(c.top));
    Click(GetDlgItem(setup, IDOK));
    ASSERT_TRUE(VarnelProcess::WaitGone(setup));
    Click(GetDlgItem(sheet, static_cast<int>(c.ends_sheet)));
    HWND question = program.WaitWindow(L"Warning:", 2000);
    EXPECT_EQ(question, nullptr) << "the sheet asked about changes nobody made on it";
    if (question) Click(GetDlgItem(question, IDC_QUESTION_BUTTON1));
    ASSERT_TRUE(VarnelProcess::WaitGone(sheet));
    EXPECT_TRUE(WaitUntil([&] {
      return Number(Element(Config(dir_), L"PageMargin"), L"top") == c.twips;
    })) << "the saved top margin is "
        << Number(Element(Config(dir_), L"PageMargin"), L"top") << ", not " << c.twips;
  }
  CloseAndExpectExit(program);
  EXPECT_EQ(Number(Element(Config(dir_), L"PageMargin"), L"top"), 4320);
}

TEST_F(VarnelGui, AboutBoxShowsTheVersion) {
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  program.Command(ID_APP_ABOUT);
  HWND about = program.WaitWindow(L"About Varnel");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(about, IDC_ABOUT_VERSION)), L"1.3.6.1  from Nov  8 2007");
  Click(GetDlgItem(about, IDOK));
  EXPECT_TRUE(VarnelProcess::WaitGone(about));
  CloseAndExpectExit(program);
}

// A document of one wave of three points, with no look stored for it, as `varnel-cli doc new`
// writes one: the graph view fills in a look when it shows the document.
std::wstring WriteDocumentWithAWaveFile(const std::wstring& dir) {
  TVarnelDoc doc;
  HdaServerDef server;
  server.ServerName = u"Varnel.HdaSim.1";
  doc.FindOrAddConnection(server).AddItemName(u"Plant/Area 1/Line A/Temperature");
  TWave wave;
  wave.ServerName = u"Varnel.HdaSim.1";
  wave.ItemName = u"Plant/Area 1/Line A/Temperature";
  wave.T = {doc.StartTime, (doc.StartTime + doc.StopTime) / 2, doc.StopTime};
  wave.Y = {1.0, 3.0, 2.0};
  doc.Waves.push_back(wave);
  const std::wstring path = dir + L"\\wave.xml";
  EXPECT_FALSE(doc.Save(platform::U16(path.c_str())));
  return path;
}

TEST_F(VarnelGui, OpensTheDocumentOfItsCommandLineUnchangedAndAsksBeforeClosingItOnceChanged) {
  const std::wstring path = WriteDocumentWithAWaveFile(dir_);
  const std::string written = ReadBytes(path);
  {
    // Opened and closed at once: nothing to save, so nothing is asked.
    VarnelProcess program(dir_, L"\"" + path + L"\"");
    ASSERT_NO_FATAL_FAILURE(Launch(program));
    std::vector<std::wstring> documents;
    ASSERT_TRUE(WaitUntil([&] {
      documents = Lines(program.Ask(L"documents"));
      return documents.size() == 1 && documents[0].find(L"|0|1|1") != std::wstring::npos;
    })) << "expected the opened document, unchanged, with one wave and one item: "
        << (documents.empty() ? "" : Narrow(documents[0]));
    EXPECT_EQ(documents[0].substr(0, documents[0].find(L'|')), L"wave.xml");
    PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    HWND box = program.WaitWindow(L"Varnel", 3000);
    EXPECT_EQ(box, nullptr) << "closing a document nobody changed asked to save it";
    if (box) Click(GetDlgItem(box, IDNO));
    EXPECT_EQ(program.WaitExit(), 0);
    EXPECT_EQ(ReadBytes(path), written);
  }

  VarnelProcess program(dir_, L"\"" + path + L"\"");
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  ASSERT_TRUE(WaitUntil([&] { return Lines(program.Ask(L"documents")).size() == 1; }));
  // A refresh's update hands the graph's look to the document, which is then modified.
  program.Ask(L"update-timed 7");
  ASSERT_TRUE(WaitUntil([&] {
    return program.Ask(L"documents").find(L"|1|1|1") != std::wstring::npos;
  })) << "the refresh did not mark the document modified";

  // Closing asks; Cancel keeps the program running.
  PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
  HWND box = program.WaitWindow(L"Varnel");
  ASSERT_NE(box, nullptr) << "no question before closing a modified document";
  ASSERT_NE(FindDescendant(box, L"Static", L"Save changes to " + path + L"?"), nullptr);
  Click(GetDlgItem(box, IDCANCEL));
  EXPECT_EQ(program.WaitExit(1500), -1) << "Cancel did not keep the program open";
  // No: the program ends and the file is as it was.
  PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
  box = program.WaitWindow(L"Varnel");
  ASSERT_NE(box, nullptr);
  Click(GetDlgItem(box, IDNO));
  EXPECT_EQ(program.WaitExit(), 0);
  EXPECT_EQ(ReadBytes(path), written);
}

// A save that fails while closing keeps the program open, and it goes on as before: the failure
// reaches the log file with the next second's write, not only once the program ends.
TEST_F(VarnelGui, ACloseKeptOpenByAFailedSaveGoesOnWritingTheLog) {
  const std::wstring path = WriteDocumentWithAWaveFile(dir_);
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  ASSERT_TRUE(WaitUntil([&] { return Lines(program.Ask(L"documents")).size() == 1; }));
  program.Ask(L"update-timed 7");
  ASSERT_TRUE(
      WaitUntil([&] { return program.Ask(L"documents").find(L"|1|1|1") != std::wstring::npos; }));
  // Held open without sharing, the file cannot be replaced (a read-only file can, by root, as
  // the tests run under Wine).
  win::UniqueFileHandle held(
      CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);

  PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
  HWND question = program.WaitWindow(L"Varnel");
  ASSERT_NE(question, nullptr) << "no question before closing a modified document";
  Click(GetDlgItem(question, IDYES));
  ASSERT_TRUE(VarnelProcess::WaitGone(question));
  HWND failure = program.WaitWindow(L"Varnel");
  ASSERT_NE(failure, nullptr) << "a failed save said nothing";
  Click(GetDlgItem(failure, IDOK));
  ASSERT_TRUE(VarnelProcess::WaitGone(failure));
  EXPECT_EQ(program.WaitExit(0), -1) << "the failed save did not keep the program open";
  const std::wstring logged = L"Could not save document into file : " + path;
  EXPECT_TRUE(WaitUntil([&] { return Log(dir_).find(logged) != std::wstring::npos; }, 5000))
      << "the failed save is not in the log file while the program runs";

  held.Reset();
  PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
  question = program.WaitWindow(L"Varnel");
  ASSERT_NE(question, nullptr);
  Click(GetDlgItem(question, IDNO));
  EXPECT_EQ(program.WaitExit(), 0);
}

TEST_F(VarnelGui, SavesUnderItsNameAndSaveAsGivesTheTypedNameTheXmlExtension) {
  const std::wstring path = WriteDocumentWithAWaveFile(dir_);
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  ASSERT_TRUE(
      WaitUntil([&] { return program.Ask(L"documents").find(L"|0|1|1") != std::wstring::npos; }));
  // The document's window is the active one once the main window's title names it.
  ASSERT_TRUE(WaitUntil(
      [&] { return WindowText(program.MainWindow()).find(L"wave.xml") != std::wstring::npos; }));
  // Save: the same file, now with the look the graph view filled in.
  program.Command(ID_FILE_SAVE);
  EXPECT_TRUE(WaitUntil([&] {
    return ReadUtf16(path).find(L"<PlotSetting>") != std::wstring::npos;
  })) << "the saved document has no look; the program tells "
      << Narrow(program.Ask(L"documents")) << " and its file begins "
      << Narrow(ReadUtf16(path).substr(0, 400));
  EXPECT_NE(program.Ask(L"documents").find(L"|0|1|1"), std::wstring::npos);

  // Save As with a name typed with another extension: saved as .xml, and the window follows.
  program.Command(ID_FILE_SAVE_AS);
  HWND dialog = program.WaitWindow(L"Save As");
  ASSERT_NE(dialog, nullptr) << "no save dialog";
  HWND name = FindDescendant(dialog, L"Edit");
  ASSERT_NE(name, nullptr);
  const std::wstring typed = dir_ + L"\\copy.txt";
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
  Click(GetDlgItem(dialog, IDOK));
  ASSERT_TRUE(VarnelProcess::WaitGone(dialog));
  EXPECT_TRUE(WaitUntil([&] { return FileExists(dir_ + L"\\copy.xml"); }))
      << "not saved as copy.xml";
  EXPECT_FALSE(FileExists(typed));
  EXPECT_TRUE(WaitUntil([&] { return program.Ask(L"documents").rfind(L"copy.xml|", 0) == 0; }));
  CloseAndExpectExit(program);
}

TEST_F(VarnelGui, UserManualThatIsNowhereIsReportedWithItsName) {
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  program.Command(ID_HELP_MANUAL);
  HWND box = program.WaitWindow(L"Error");
  ASSERT_NE(box, nullptr) << "no message for a missing manual";
  EXPECT_NE(FindDescendant(box, L"Static", L"Can not open Help file : Varnel Help UK"), nullptr);
  Click(GetDlgItem(box, IDOK));
  EXPECT_TRUE(VarnelProcess::WaitGone(box));
  CloseAndExpectExit(program);
}

// Keys as the keyboard gives them (the program sees Shift and Ctrl held), to the foreground window.
void TypeKeys(const std::vector<WORD>& held, WORD key) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  for (WORD h : held) add(h, false);
  add(key, false);
  add(key, true);
  for (auto h = held.rbegin(); h != held.rend(); ++h) add(*h, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The window of the dialog's thread that has the keyboard focus.
HWND FocusOf(HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) ? info.hwndFocus
                                                                            : nullptr;
}

// Shift+Tab, with or without Ctrl, goes to the previous control of a dialog; Tab to the next.
TEST_F(VarnelGui, ShiftTabAndCtrlShiftTabGoBackThroughADialog) {
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  program.Command(ID_SERVER_CONNECT_REMOTE);  // the machine name dialog
  HWND dialog = program.WaitWindow(L"OPC 2.0 Remote Connection");
  ASSERT_NE(dialog, nullptr);
  SetForegroundWindow(dialog);
  HWND edit = FindDescendant(dialog, L"Edit");
  ASSERT_NE(edit, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(dialog) == edit; })) << "the name field has no focus";
  HWND previous = GetNextDlgTabItem(dialog, edit, TRUE);
  HWND next = GetNextDlgTabItem(dialog, edit, FALSE);
  ASSERT_NE(previous, next);
  struct Case {
    std::vector<WORD> held;
    HWND expected;
    const char* keys;
  };
  for (const Case& c :
       {Case{{VK_SHIFT}, previous, "Shift+Tab"},
        Case{{VK_CONTROL, VK_SHIFT}, previous, "Ctrl+Shift+Tab"}, Case{{}, next, "Tab"}}) {
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(dialog) == edit; }));
    TypeKeys(c.held, VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == c.expected; }, 3000))
        << c.keys << " did not reach the expected control";
  }
  Click(GetDlgItem(dialog, IDCANCEL));
  EXPECT_TRUE(VarnelProcess::WaitGone(dialog));
  CloseAndExpectExit(program);
}

// The open dialog's file types are named in the program's language, the configured one at first
// and the chosen one after a switch.
TEST_F(VarnelGui, OpenDialogNamesTheFileTypesInTheProgramsLanguage) {
  WriteUtf16(dir_ + L"\\Varnel_Config.xml",
             L"<Varnel_Configuration><ConfigBase><Language>0</Language></ConfigBase>"
             L"</Varnel_Configuration>");
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  for (const auto& [language, expected] :
       {std::pair{0u, L"Fichier Varnel (*.xml)"}, std::pair{11052u, L"Varnel-Datei (*.xml)"}}) {
    if (language) program.Command(language);
    program.Command(ID_FILE_OPEN);
    HWND dialog = program.WaitWindow(L"Open");
    ASSERT_NE(dialog, nullptr) << "no open dialog";
    HWND types = GetDlgItem(dialog, 0x470);  // the file type list
    ASSERT_NE(types, nullptr);
    const auto length = static_cast<int>(SendMessageW(types, CB_GETLBTEXTLEN, 0, 0));
    std::wstring first(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
    SendMessageW(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first.data()));
    first.resize(static_cast<std::size_t>(std::max(length, 0)));
    EXPECT_EQ(first, expected);
    Click(GetDlgItem(dialog, IDCANCEL));
    ASSERT_TRUE(VarnelProcess::WaitGone(dialog));
  }
  CloseAndExpectExit(program);
}

// While it lives, the file type ".pdf" of the test's prefix is one whose viewer is not there
// (removed, or on a drive that is gone), so that nothing can show a PDF file; the type it had
// comes back afterwards.
class PdfWithoutViewer {
 public:
  PdfWithoutViewer() {
    wchar_t type[256] = {};
    DWORD size = sizeof(type);
    if (RegGetValueW(HKEY_CLASSES_ROOT, L".pdf", nullptr, RRF_RT_REG_SZ, nullptr, type, &size) ==
        ERROR_SUCCESS) {
      old_type_ = type;
    }
    Set(L".pdf", L"Varnel.Test.NoViewer");
    Set(L"Varnel.Test.NoViewer\\shell\\open\\command",
        L"\"C:\\Varnel no viewer\\viewer.exe\" \"%1\"");
  }
  ~PdfWithoutViewer() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Varnel.Test.NoViewer");
    if (old_type_.empty()) {
      RegDeleteTreeW(HKEY_CLASSES_ROOT, L".pdf");
    } else {
      Set(L".pdf", old_type_);
    }
  }
  PdfWithoutViewer(const PdfWithoutViewer&) = delete;
  PdfWithoutViewer& operator=(const PdfWithoutViewer&) = delete;

 private:
  static void Set(const wchar_t* path, const std::wstring& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
      return;
    }
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }

  std::wstring old_type_;
};

// A manual that is there but that nothing can show (no PDF viewer) is reported, not ignored.
TEST_F(VarnelGui, UserManualThatNoProgramCanShowIsReportedWithItsPath) {
  const PdfWithoutViewer no_viewer;
  CreateDirectoryW((dir_ + L"\\Help").c_str(), nullptr);
  const std::wstring manual = dir_ + L"\\Help\\Varnel Help UK.pdf";
  WriteBytes(manual, "%PDF-1.4\n%%EOF\n");
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  program.Command(ID_HELP_MANUAL);
  HWND box = program.WaitWindow(L"Error");
  ASSERT_NE(box, nullptr) << "no message when the manual could not be shown";
  // The longest static text of the box is its message.
  std::wstring shown;
  for (HWND s = FindWindowExW(box, nullptr, L"Static", nullptr); s;
       s = FindWindowExW(box, s, L"Static", nullptr)) {
    if (WindowText(s).size() > shown.size()) shown = WindowText(s);
  }
  // The file, then on a line of its own why it was not shown.
  const std::wstring head = L"Can not open Help file : " + manual + L"\r\n";
  EXPECT_EQ(shown.rfind(head, 0), 0u) << Narrow(shown);
  EXPECT_GT(shown.size(), head.size()) << "no reason given";
  Click(GetDlgItem(box, IDOK));
  EXPECT_TRUE(VarnelProcess::WaitGone(box));
  CloseAndExpectExit(program);
}

// The status bar's prompts of the legend and autoscale commands, in each language.
TEST_F(VarnelGui, LegendAndAutoscalePromptsSpeakEveryLanguage) {
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  auto prompt = [&](UINT command) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(program.MainWindow(), WM_MENUSELECT, MAKEWPARAM(command, MF_HILITE), 1,
                        SMTO_NORMAL, 5000, &result);
    const std::vector<std::wstring> panes = Lines(program.Ask(L"status"));
    return panes.empty() ? std::wstring() : panes[0];
  };
  struct Case {
    UINT language;
    const wchar_t* legend;
    const wchar_t* autoscale;
  };
  const Case cases[] = {
      {ID_LANGUAGE_FRENCH, L"Afficher la légende du graphique",
       L"Mettre tous les axes en échelle automatique"},
      {ID_LANGUAGE_GERMAN, L"Die Legende der Grafik anzeigen",
       L"Alle Achsen auf automatische Skalierung stellen"},
      {ID_LANGUAGE_SPANISH, L"Mostrar la leyenda del gráfico",
       L"Poner todos los ejes en escala automática"},
      {ID_LANGUAGE_DUTCH, L"De legenda van de grafiek tonen",
       L"Alle assen op automatische schaal zetten"},
      {ID_LANGUAGE_ENGLISH, L"Display the graphic legend",
       L"Set all axis in automatic scaling mode"},
  };
  for (const Case& c : cases) {
    program.Command(c.language);
    EXPECT_TRUE(WaitUntil([&] { return prompt(ID_GRAPH_LEGEND) == c.legend; }, 5000))
        << c.language << ": " << Narrow(prompt(ID_GRAPH_LEGEND));
    EXPECT_EQ(prompt(ID_GRAPH_AUTOSCALE), c.autoscale) << c.language;
  }
  CloseAndExpectExit(program);
}

}  // namespace
}  // namespace gui
