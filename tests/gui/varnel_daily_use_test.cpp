// Varnel.exe as people use it all day: a maximised document window, more remembered servers than
// can be open, servers that go away, keys pressed in a document window. Each case starts the
// program in a directory of its own and drives it through its windows, commands and keys.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "platform/wide.h"
#include "tests/gui/commands_fixture.h"

namespace gui {
namespace {

// What a maximised document window puts on the main window's menu bar behind the pop-ups.
constexpr UINT kMinimiseButton = SC_MINIMIZE, kRestoreButton = SC_RESTORE, kCloseButton = SC_CLOSE;

// The menu bar's own items (depth 0) as "id|flags|text".
std::vector<std::wstring> MenuBar(const std::wstring& menu) {
  std::vector<std::wstring> bar;
  for (const std::wstring& line : Lines(menu)) {
    if (line.rfind(L"0|", 0) == 0) bar.push_back(line.substr(2));
  }
  return bar;
}

// Whether the menu bar carries a maximised document window's minimise, restore and close buttons
// as its last three items (in any order).
bool EndsWithWindowButtons(const std::wstring& menu) {
  const std::vector<std::wstring> bar = MenuBar(menu);
  if (bar.size() < 3) return false;
  std::vector<std::wstring> last;
  for (auto it = bar.end() - 3; it != bar.end(); ++it) last.push_back(Fields(*it)[0]);
  std::sort(last.begin(), last.end());
  std::vector<std::wstring> buttons = {std::to_wstring(kMinimiseButton),
                                       std::to_wstring(kRestoreButton),
                                       std::to_wstring(kCloseButton)};
  std::sort(buttons.begin(), buttons.end());
  return last == buttons;
}

// The identifier of the menu item that shows that text, 0 when none does.
UINT ItemShowing(const std::wstring& menu, const std::wstring& text) {
  for (const std::wstring& line : Lines(menu)) {
    const std::vector<std::wstring> f = Fields(line);
    if (f.size() >= 4 && f[3] == text) return static_cast<UINT>(std::stoul(f[1]));
  }
  return 0;
}

// Ctrl+Tab as the keyboard gives it, to the program's window in the foreground.
void PressCtrlTab(const VarnelProcess& program) {
  SetForegroundWindow(program.MainWindow());
  WaitUntil([&] { return GetForegroundWindow() == program.MainWindow(); }, 3000);
  INPUT keys[4] = {};
  const WORD sequence[4][2] = {
      {VK_CONTROL, 0}, {VK_TAB, 0}, {VK_TAB, KEYEVENTF_KEYUP}, {VK_CONTROL, KEYEVENTF_KEYUP}};
  for (int k = 0; k < 4; ++k) {
    keys[k].type = INPUT_KEYBOARD;
    keys[k].ki.wVk = sequence[k][0];
    keys[k].ki.dwFlags = sequence[k][1];
  }
  SendInput(4, keys, sizeof(INPUT));
}

// The program's message boxes and dialogs on the screen.
std::vector<HWND> Boxes(const VarnelProcess& program) {
  std::vector<HWND> boxes;
  for (HWND w : program.TopWindows()) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    if (std::wstring(name) == L"#32770") boxes.push_back(w);
  }
  return boxes;
}

// Answers the program's boxes with their first button until none comes for two seconds; how
// many there were (at most 20).
int DismissBoxes(const VarnelProcess& program) {
  int count = 0;
  while (count < 20 && WaitUntil([&] { return !Boxes(program).empty(); }, 2000)) {
    CloseBox(Boxes(program).front());
    ++count;
  }
  return count;
}

// A document of two items of the first simulated server, the second one unknown to it.
std::wstring WriteDocumentWithRefusedItem(const std::wstring& dir) {
  TVarnelDoc doc;
  HdaServerDef server;
  server.ServerName = u"Varnel.HdaSim.1";
  ConnectionInfo& info = doc.FindOrAddConnection(server);
  info.AddItemName(u"Waves/Sine 1s");
  info.AddItemName(u"Waves/No such item");
  const std::wstring path = dir + L"\\refused.xml";
  EXPECT_FALSE(doc.Save(platform::U16(path.c_str())));
  return path;
}

// The number of times the text is in the text.
std::size_t Occurrences(const std::wstring& text, const std::wstring& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1))
    ++n;
  return n;
}

// What the main window answers Windows' question whether the session may end, asked from a thread
// of its own while this one answers the program's boxes with `answer` (IDYES, IDNO, IDCANCEL).
LRESULT AskEndSession(const VarnelProcess& program, int answer, std::wstring& asked) {
  LRESULT result = -1;
  std::thread query([&] {
    result = SendMessageW(program.MainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
  });
  if (HWND box = program.WaitWindow(L"Varnel", 10000)) {
    asked = BoxText(box);
    Click(GetDlgItem(box, answer));
  }
  query.join();
  return result;
}

class VarnelDailyUse : public VarnelCommands {
 protected:
  static HWND ActiveDocumentWindow(const VarnelProcess& program) {
    HWND client = FindDescendant(program.MainWindow(), L"MDIClient");
    return client ? reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
  }

  // Maximises the active document window as its maximise button would, and waits until its
  // buttons are on the menu bar.
  static void MaximiseActiveDocument(const VarnelProcess& program) {
    HWND child = ActiveDocumentWindow(program);
    ASSERT_NE(child, nullptr) << "no document window";
    SendMessageW(FindDescendant(program.MainWindow(), L"MDIClient"), WM_MDIMAXIMIZE,
                 reinterpret_cast<WPARAM>(child), 0);
    ASSERT_TRUE(WaitUntil([&] { return EndsWithWindowButtons(program.Ask(L"menu")); }))
        << "the maximised window's buttons are not on the menu bar";
  }
};

// The maximised window adds items in front of the menu bar's pop-ups and behind them: the entries
// of the connections must still follow the list, and each act on the server it shows.
TEST_F(VarnelDailyUse, ServerEntriesFollowTheConnectionsWhileADocumentIsMaximised) {
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  ASSERT_TRUE(WaitUntil([&] { return Lines(program.Ask(L"documents")).size() == 1; }));
  ASSERT_NO_FATAL_FAILURE(MaximiseActiveDocument(program));
  for (int n = 1; n <= 3; ++n) ASSERT_NO_FATAL_FAILURE(Connect(program, HdaSim(n)));

  program.Command(ID_SERVER_DISCONNECT_FIRST);
  ASSERT_TRUE(WaitUntil([&] { return OpenConnections(program).names.size() == 2; }));
  std::wstring menu;
  ASSERT_TRUE(WaitUntil([&] {
    menu = program.Ask(L"menu");
    return MenuItem(menu, ID_SERVER_DISCONNECT_FIRST + 2) == L"";
  })) << "the menus kept the first server's entry";
  EXPECT_EQ(MenuText(MenuItem(menu, ID_SERVER_DISCONNECT_FIRST)), HdaSim(2));
  EXPECT_EQ(MenuText(MenuItem(menu, ID_GRAPH_BROWSE_FIRST + 1)), HdaSim(3));
  EXPECT_EQ(MenuItem(menu, ID_GRAPH_BROWSE_FIRST + 2), L"");

  // The entry that shows the third server disconnects the third.
  const UINT third = ItemShowing(menu, HdaSim(3));
  ASSERT_NE(third, 0u);
  program.Command(third);
  ASSERT_TRUE(WaitUntil([&] { return OpenConnections(program).names.size() == 1; }));
  EXPECT_EQ(OpenConnections(program).names, std::vector<std::wstring>{HdaSim(2)});
  CloseAndExpectExit(program);
}

// Reconnection at start-up stops at ten: an eleventh connection's entries would take the
// identifiers of Remove Tags and Refresh.
TEST_F(VarnelDailyUse, ElevenRememberedServersReconnectTenAndEveryEntryKeepsItsOwnIdentifier) {
  std::wstring servers;
  for (int n = 1; n <= 11; ++n) {
    servers += L"<HdaServerDef><MachineName></MachineName><ServerName>" + HdaSim(n) +
               L"</ServerName><ReconnectAtStartup>1</ReconnectAtStartup></HdaServerDef>";
  }
  WriteConfiguration(L"<HdaOpcServers>" + servers + L"</HdaOpcServers>");
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  const std::wstring refused =
      L"Connection denied, the number of simultaneous servers is limited: " + HdaSim(11);
  ASSERT_TRUE(WaitUntil([&] { return Log(dir_).find(refused) != std::wstring::npos; }, 120000))
      << "the log does not tell that the eleventh server was not connected";
  const Connections open = OpenConnections(program);
  ASSERT_EQ(open.names.size(), 10u);
  EXPECT_EQ(open.names.back(), HdaSim(10));
  EXPECT_EQ(open.last, 9);

  const std::wstring menu = program.Ask(L"menu");
  EXPECT_EQ(MenuText(MenuItem(menu, ID_SERVER_DISCONNECT_FIRST + 9)), HdaSim(10));
  EXPECT_EQ(MenuText(MenuItem(menu, ID_GRAPH_BROWSE_FIRST + 9)), HdaSim(10));
  EXPECT_EQ(MenuText(MenuItem(menu, ID_GRAPH_REMOVE_TAGS)), L"Remove Tags");
  EXPECT_EQ(MenuText(MenuItem(menu, ID_GRAPH_REFRESH)), L"Refresh\tF5");
  std::vector<std::wstring> ids;
  for (const std::wstring& line : Lines(menu)) {
    const std::vector<std::wstring> f = Fields(line);
    if (f.size() < 4 || f[1] == L"0" || f[2].find_first_of(L"ps") != std::wstring::npos) continue;
    EXPECT_EQ(std::find(ids.begin(), ids.end(), f[1]), ids.end())
        << "two entries are " << Narrow(f[1]);
    ids.push_back(f[1]);
  }
  CloseAndExpectExit(program);
}

// A language switch changes the whole menu bar: a maximised document window keeps its system menu
// and its buttons on it, and they still act on that window.
TEST_F(VarnelDailyUse, LanguageSwitchKeepsTheMaximisedDocumentWindowsMenuAndButtons) {
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  ASSERT_TRUE(WaitUntil([&] { return Lines(program.Ask(L"documents")).size() == 1; }));
  ASSERT_NO_FATAL_FAILURE(MaximiseActiveDocument(program));
  program.Command(ID_LANGUAGE_FRENCH);
  std::wstring menu;
  ASSERT_TRUE(WaitUntil([&] {
    menu = program.Ask(L"menu");
    const std::vector<std::wstring> titles = MenuBarTitles(menu);
    return std::find(titles.begin(), titles.end(), L"&Fichier") != titles.end();
  })) << "no French menu";
  const std::vector<std::wstring> bar = MenuBar(menu);
  ASSERT_GE(bar.size(), 4u);
  EXPECT_NE(Fields(bar.front())[1].find(L'p'), std::wstring::npos) << "no system menu in front";
  EXPECT_TRUE(EndsWithWindowButtons(menu)) << "the window's buttons are gone";
  // The system menu still has its items: it was not destroyed with the English menu.
  const std::vector<std::wstring> lines = Lines(menu);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[1].rfind(L"1|", 0), 0u) << "the system menu is empty";

  // The restore button gives the window back its size, and takes the buttons away.
  program.Command(kRestoreButton);
  HWND child = ActiveDocumentWindow(program);
  EXPECT_TRUE(WaitUntil([&] { return child && !IsZoomed(child); }))
      << "the document stayed maximised";
  EXPECT_TRUE(WaitUntil([&] { return !EndsWithWindowButtons(program.Ask(L"menu")); }));
  CloseAndExpectExit(program);
}

// Ctrl+Tab is the main window's next-document key: the document after the active one in the list
// of documents, the first after the last, whatever window was on top before.
TEST_F(VarnelDailyUse, CtrlTabInADocumentWindowBringsTheNextDocumentOfTheList) {
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  program.Command(ID_FILE_NEW);
  program.Command(ID_FILE_NEW);
  ASSERT_TRUE(WaitUntil(
      [&] { return MenuItem(program.Ask(L"menu"), ID_WINDOW_DOCUMENT_FIRST + 2) != L""; }));
  ASSERT_TRUE(WaitUntil([&] { return ActiveDocumentTitle(program) == L"Varnel3"; }));
  // Stacked 2, 3, 1: the next window on the stack would be 3, the last on it 1.
  program.Command(ID_WINDOW_DOCUMENT_FIRST + 1);
  ASSERT_TRUE(WaitUntil([&] { return ActiveDocumentTitle(program) == L"Varnel2"; }));
  PressCtrlTab(program);
  EXPECT_TRUE(WaitUntil([&] { return ActiveDocumentTitle(program) == L"Varnel3"; }, 5000))
      << Narrow(ActiveDocumentTitle(program));
  // Stacked 1, 3, 2.
  program.Command(ID_WINDOW_DOCUMENT_FIRST);
  ASSERT_TRUE(WaitUntil([&] { return ActiveDocumentTitle(program) == L"Varnel1"; }));
  PressCtrlTab(program);
  EXPECT_TRUE(WaitUntil([&] { return ActiveDocumentTitle(program) == L"Varnel2"; }, 5000))
      << Narrow(ActiveDocumentTitle(program));
  program.Command(ID_WINDOW_DOCUMENT_FIRST + 2);
  ASSERT_TRUE(WaitUntil([&] { return ActiveDocumentTitle(program) == L"Varnel3"; }));
  PressCtrlTab(program);
  EXPECT_TRUE(WaitUntil([&] { return ActiveDocumentTitle(program) == L"Varnel1"; }, 5000))
      << Narrow(ActiveDocumentTitle(program));
  CloseAndExpectExit(program);
}

// A live document with an item the server refuses, left alone: each automatic refresh tells it
// in the status bar and the log, never in a box that waits for someone; and while a box of a
// refresh the user asked for is up, the timer starts no refresh of its own.
TEST_F(VarnelDailyUse, AutomaticRefreshTellsARefusedItemWithoutBoxesAndWaitsForTheUsersBox) {
  WriteConfiguration(L"<General><RefreshRate>10</RefreshRate></General>");
  const std::wstring path = WriteDocumentWithRefusedItem(dir_);
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  ASSERT_TRUE(WaitUntil([&] { return Periods(program).size() == 1; }));
  ASSERT_NO_FATAL_FAILURE(Connect(program, kServer1));
  program.Command(ID_PERIOD_UNLOCK);
  program.Command(PeriodCommand(kPeriodLastMinute));
  // The user asked: the refusal is told in a box.
  HWND box = program.WaitWindow(L"Varnel", kBrowseTimeoutMs);
  ASSERT_NE(box, nullptr) << "the refused item was not told";
  EXPECT_EQ(BoxText(box), L"Could not Add Item Reference to Server");
  DismissBoxes(program);
  ASSERT_TRUE(WaitUntil([&] { return Periods(program)[0].live; }));

  // Nobody asked: two or three automatic refreshes, and no box.
  const std::wstring refused = L"Could not Add Item Reference to Server";
  const long long stop = Periods(program)[0].stop;
  std::size_t most_boxes = 0;
  const ULONGLONG end = GetTickCount64() + 25000;
  while (GetTickCount64() < end) {
    most_boxes = std::max(most_boxes, Boxes(program).size());
    Sleep(250);
  }
  EXPECT_EQ(most_boxes, 0u) << "an automatic refresh showed a box";
  DismissBoxes(program);
  EXPECT_GE(Periods(program)[0].stop, stop + 10000) << "no automatic refresh ran";
  EXPECT_EQ(Lines(program.Ask(L"status"))[0], refused);
  std::wstring log;
  EXPECT_TRUE(WaitUntil([&] { return Occurrences(log = Log(dir_), refused) >= 2; }, 5000))
      << "the log does not tell the refusals";

  // The user's refresh shows its box; while it waits, the timer refreshes nothing. The log is
  // counted once the box is up and the log written since: an automatic refresh a moment before
  // the command may still have had its line waiting.
  program.Command(ID_GRAPH_REFRESH);
  box = program.WaitWindow(L"Varnel", kBrowseTimeoutMs);
  ASSERT_NE(box, nullptr) << "the refusal was not told to the user";
  Sleep(1500);  // the log is written every second
  const std::size_t logged = Occurrences(Log(dir_), refused);
  most_boxes = 0;
  const ULONGLONG held = GetTickCount64() + 12000;
  while (GetTickCount64() < held) {
    most_boxes = std::max(most_boxes, Boxes(program).size());
    Sleep(250);
  }
  EXPECT_EQ(most_boxes, 1u) << "boxes came on top of the user's box";
  Sleep(1500);  // the log is written every second
  EXPECT_EQ(Occurrences(Log(dir_), refused), logged) << "the timer refreshed under the user's box";
  DismissBoxes(program);
  CloseAndExpectExit(program);
}

// Logging off with a document changed: Windows asks the program first, which offers to save it
// (Cancel keeps the session); when the session ends, the configuration and the log are written
// and the program ends.
TEST_F(VarnelDailyUse, EndOfTheWindowsSessionOffersSavingThenWritesConfigurationAndLog) {
  const std::wstring path = WriteDocument(dir_, L"sine.xml");
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  ASSERT_NO_FATAL_FAILURE(ShowLastMinuteOfServer1(program));
  ASSERT_EQ(FirstDocument(program).at(2), L"1") << "the read did not change the document";
  const std::string before = ReadBytes(path);

  std::wstring asked;
  EXPECT_EQ(AskEndSession(program, IDCANCEL, asked), FALSE) << "Cancel let the session end";
  EXPECT_NE(asked.find(L"sine.xml"), std::wstring::npos) << "no save question: " << Narrow(asked);
  EXPECT_TRUE(program.Running());
  EXPECT_TRUE(ReadBytes(path) == before) << "Cancel saved the document";

  asked.clear();
  EXPECT_EQ(AskEndSession(program, IDYES, asked), TRUE);
  EXPECT_NE(asked.find(L"sine.xml"), std::wstring::npos);
  EXPECT_TRUE(ReadBytes(path) != before) << "Yes did not save the document";
  EXPECT_EQ(FirstDocument(program).at(2), L"0");

  const std::wstring config = dir_ + L"\\Varnel_Config.xml";
  DeleteFileW(config.c_str());
  SendMessageW(program.MainWindow(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_TRUE(FileExists(config)) << "the configuration was not written";
  EXPECT_NE(Log(dir_).find(L"Application closed"), std::wstring::npos) << "the log was not written";
  EXPECT_EQ(program.WaitExit(), 0) << "the program did not end with the session";
}

}  // namespace
}  // namespace gui
