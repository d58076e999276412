// The main window's commands driven against the simulation server: the commands, controls and
// servers the cases use, what the test channel tells of connections, documents and periods, and
// the fixture that starts the program, connects servers and reads what it shows.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "strings/command_ids.h"
#include "dialogs/browse_dialog_ids.h"
#include "dialogs/period_dialog_ids.h"
#include "document/period.h"
#include "document/varnel_doc.h"
#include "platform/wide.h"
#include "tests/gui/channel_answers.h"
#include "tests/gui/run_directory_test.h"
#include "tests/gui/varnel_driver.h"
#include "tests/support/simulator_keeper.h"

namespace gui {

// The command that chooses a period kind, as the program's table of kinds has it.
inline UINT PeriodCommand(std::int32_t kind) {
  return static_cast<UINT>(PeriodKindOf(kind).command);
}
constexpr DWORD kBrowseTimeoutMs = 60000;  // a flat browse of the simulator takes seconds
constexpr wchar_t kServer1[] = L"Varnel.HdaSim.1";
constexpr wchar_t kTemperatureA[] = L"Plant/Area 1/Line A/Temperature";
constexpr wchar_t kTemperatureB[] = L"Plant/Area 1/Line B/Temperature";

inline std::wstring HdaSim(int n) { return L"Varnel.HdaSim." + std::to_wstring(n); }

// The entries of a list box or combo box of another process.
inline std::vector<std::wstring> ListTexts(HWND list, bool combo = false) {
  std::vector<std::wstring> texts;
  const auto count = static_cast<int>(SendMessageW(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const auto length =
        static_cast<int>(SendMessageW(list, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0));
    std::wstring text(std::max(length, 0) + 1, L'\0');
    SendMessageW(list, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::max(length, 0));
    texts.push_back(text);
  }
  return texts;
}

inline int Selection(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)); }
inline int Count(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); }

inline void SetText(HWND control, const std::wstring& text) {
  SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// The static text of a message box.
inline std::wstring BoxText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text ? WindowText(text) : WindowText(FindDescendant(box, L"Static"));
}

// Every visible top-level window of the program as "title: text", one a line: what stood in the
// way of a window that did not come (an error box of the library, say).
inline std::string ShownWindows(const VarnelProcess& program) {
  std::string shown;
  for (HWND window : program.TopWindows())
    shown += "\n  " + Narrow(WindowText(window)) + ": " + Narrow(BoxText(window));
  return shown;
}

// Closes a message box with its only button.
inline void CloseBox(HWND box) {
  HWND ok = GetDlgItem(box, IDOK);
  Click(ok ? ok : GetDlgItem(box, IDCANCEL));
  VarnelProcess::WaitGone(box);
}

inline std::wstring Config(const std::wstring& dir) {
  return ReadUtf16(dir + L"\\Varnel_Config.xml");
}
inline std::wstring Log(const std::wstring& dir) { return ReadUtf16(dir + L"\\Varnel.log"); }

// One document as the test channel's "periods" tells it.
struct DocumentState {
  std::wstring title;
  int period = 0;
  long long start = 0;
  long long stop = 0;
  bool live = false;
  bool locked = false;
  long long points = 0;
};

inline std::vector<DocumentState> Periods(const VarnelProcess& program) {
  std::vector<DocumentState> states;
  for (const std::wstring& line : Lines(program.Ask(L"periods"))) {
    const std::vector<std::wstring> f = Fields(line);
    if (f.size() < 7) continue;
    states.push_back({f[0], std::stoi(f[1]), std::stoll(f[2]), std::stoll(f[3]), f[4] == L"1",
                      f[5] == L"1", std::stoll(f[6])});
  }
  return states;
}

// "documents": title|path|modified|waves|items.
inline std::vector<std::wstring> FirstDocument(const VarnelProcess& program) {
  const std::vector<std::wstring> documents = Lines(program.Ask(L"documents"));
  return documents.empty() ? std::vector<std::wstring>{} : Fields(documents[0]);
}

// "connections": the last connection's position, then name|session|items per connection.
struct Connections {
  int last = -2;
  std::vector<std::wstring> names;
};

inline Connections OpenConnections(const VarnelProcess& program) {
  Connections result;
  const std::vector<std::wstring> lines = Lines(program.Ask(L"connections"));
  if (lines.empty()) return result;
  result.last = std::stoi(lines[0]);
  for (std::size_t i = 1; i < lines.size(); ++i) result.names.push_back(Fields(lines[i])[0]);
  return result;
}

// The window of the dialog's thread that has the keyboard focus.
inline HWND FocusOf(HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) ? info.hwndFocus
                                                                            : nullptr;
}

// Whether the toolbar button of the command is enabled (the program updates it when idle).
inline bool ToolbarButtonEnabled(const VarnelProcess& program, UINT command) {
  for (HWND bar = FindWindowExW(program.MainWindow(), nullptr, L"ToolbarWindow32", nullptr); bar;
       bar = FindWindowExW(program.MainWindow(), bar, L"ToolbarWindow32", nullptr)) {
    if (SendMessageW(bar, TB_COMMANDTOINDEX, command, 0) >= 0) {
      return SendMessageW(bar, TB_ISBUTTONENABLED, command, 0) != 0;
    }
  }
  ADD_FAILURE() << "no toolbar button " << command;
  return false;
}

// The caption of the active document window.
inline std::wstring ActiveDocumentTitle(const VarnelProcess& program) {
  HWND client = FindDescendant(program.MainWindow(), L"MDIClient");
  HWND active =
      client ? reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
  return active ? WindowText(active) : L"";
}

// A document that shows one item of the first simulated server, saved beside the program's files.
inline std::wstring WriteDocument(const std::wstring& dir, const std::wstring& name) {
  TVarnelDoc doc;
  HdaServerDef server;
  server.ServerName = u"Varnel.HdaSim.1";
  doc.FindOrAddConnection(server).AddItemName(u"Waves/Sine 1s");
  const std::wstring path = dir + L"\\" + name;
  EXPECT_FALSE(doc.Save(platform::U16(path.c_str())));
  return path;
}

class VarnelCommands : public RunDirectoryTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(RunDirectoryTest::SetUp());
    simulator_.emplace();
  }
  void TearDown() override {
    simulator_.reset();
    RunDirectoryTest::TearDown();
  }

  void CloseAndExpectExit(VarnelProcess& program) {
    PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    // Documents changed by the test are not saved.
    if (HWND box = program.WaitWindow(L"Varnel", 3000)) {
      Click(GetDlgItem(box, IDNO));
      while ((box = program.WaitWindow(L"Varnel", 1500)) != nullptr) Click(GetDlgItem(box, IDNO));
    }
    EXPECT_EQ(program.WaitExit(), 0) << "the program did not end cleanly after WM_CLOSE";
  }
  void WriteConfiguration(const std::wstring& body) {
    WriteUtf16(dir_ + L"\\Varnel_Config.xml",
               L"<Varnel_Configuration>" + body + L"</Varnel_Configuration>");
  }

  // Selects the server in the server browser as the user would.
  static void SelectServer(HWND dialog, const std::wstring& server) {
    HWND list = GetDlgItem(dialog, IDC_SERVER_LIST);
    const auto index = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(server.c_str()));
    ASSERT_NE(index, CB_ERR) << Narrow(server) << " is not listed";
    SendMessageW(list, CB_SETCURSEL, index, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SERVER_LIST, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
  }

  // The connect command through the server browser: picks the server, OK, and waits until the
  // menus list the new connection (the command's last step).
  void Connect(VarnelProcess& program, const std::wstring& server, bool reconnect = false) {
    const std::size_t before = OpenConnections(program).names.size();
    program.Command(ID_SERVER_CONNECT_LOCAL);
    HWND dialog = program.WaitWindow(L"Browse OPC Servers", kBrowseTimeoutMs);
    ASSERT_NE(dialog, nullptr) << "no server browser; the program shows:" << ShownWindows(program);
    ASSERT_NO_FATAL_FAILURE(SelectServer(dialog, server));
    if (reconnect)
      SendMessageW(GetDlgItem(dialog, IDC_SERVER_RECONNECT), BM_SETCHECK, BST_CHECKED, 0);
    Click(GetDlgItem(dialog, IDOK));
    ASSERT_TRUE(VarnelProcess::WaitGone(dialog, kBrowseTimeoutMs));
    const UINT entry = ID_SERVER_DISCONNECT_FIRST + static_cast<UINT>(before);
    ASSERT_TRUE(WaitUntil([&] { return MenuText(MenuItem(program.Ask(L"menu"), entry)) == server; },
                          kBrowseTimeoutMs))
        << Narrow(server) << " did not come into the menus";
  }

  // Starts the program on its document of the first simulator server, connects that server
  // and shows the last minute, read from it.
  void ShowLastMinuteOfServer1(VarnelProcess& program) {
    ASSERT_NO_FATAL_FAILURE(Launch(program));
    ASSERT_TRUE(WaitUntil([&] { return Periods(program).size() == 1; }));
    ASSERT_NO_FATAL_FAILURE(Connect(program, kServer1));
    program.Command(ID_PERIOD_UNLOCK);
    program.Command(PeriodCommand(kPeriodLastMinute));
    ASSERT_TRUE(WaitUntil(
        [&] { return WindowText(program.MainWindow()).find(L"Varnel : <The last minute") == 0; }));
    ASSERT_TRUE(WaitRead(program));
  }

  // Waits until the active document's waves were read again (they hold points).
  static bool WaitRead(const VarnelProcess& program, std::size_t document = 0) {
    return WaitUntil(
        [&] {
          const std::vector<DocumentState> states = Periods(program);
          return states.size() > document && states[document].points > 0;
        },
        kBrowseTimeoutMs);
  }

  // The item browser of connection k once it lists the server's items.
  HWND OpenItemBrowser(VarnelProcess& program, int k) {
    program.Command(ID_GRAPH_BROWSE_FIRST + k);
    HWND dialog = program.WaitWindow(L"Browse Hda Tags", kBrowseTimeoutMs);
    EXPECT_NE(dialog, nullptr) << "no item browser";
    return dialog;
  }

  // Types the filter and gives the list once it shows `expected` (or what it shows after the
  // wait).
  static std::vector<std::wstring> Filter(HWND dialog, const std::wstring& filter,
                                          const std::vector<std::wstring>& expected) {
    SetText(GetDlgItem(dialog, IDC_ITEM_FILTER), filter);
    HWND list = GetDlgItem(dialog, IDC_ITEM_LIST);
    // Reading every entry of a full list takes long across processes: the count comes first.
    WaitUntil(
        [&] {
          return static_cast<std::size_t>(Count(list)) == expected.size() &&
                 ListTexts(list) == expected;
        },
        3000);
    return Count(list) > 100 ? std::vector<std::wstring>{L"(the full list)"} : ListTexts(list);
  }

 private:
  // Up for the whole case, whenever the program looks for it.
  std::optional<test_support::SimulatorKeeper> simulator_;
};

}  // namespace gui
