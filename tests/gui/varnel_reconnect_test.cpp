// Servers that come back: a connection lost without the user's doing (the simulator killed, or
// shut down through its control) is tried again by Varnel.exe's timer after waits that grow to a
// minute, and once the server answers, the document's items are added anew and its waves read.
// A server that never comes back costs one try a minute and leaves the window answering.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/resource.h"
#include "tests/gui/commands_fixture.h"
#include "tests/support/simulator_kill.h"
#include "tests/support/simulator_shutdown.h"

namespace gui {
namespace {

constexpr DWORD kComeBackMs = 60000;

// "reconnecting": one lost server tried again.
struct LostServer {
  std::wstring name;
  int tries = 0;
  long long next_ms = 0;
};

std::vector<LostServer> Reconnecting(const VarnelProcess& program) {
  std::vector<LostServer> lost;
  for (const std::wstring& line : Lines(program.Ask(L"reconnecting"))) {
    const std::vector<std::wstring> f = Fields(line);
    if (f.size() == 3) lost.push_back({f[0], std::stoi(f[1]), std::stoll(f[2])});
  }
  return lost;
}

std::size_t Occurrences(const std::wstring& text, const std::wstring& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1))
    ++n;
  return n;
}

// Milliseconds the main window takes to answer a message sent to it, up to the limit.
DWORD AnswerMs(HWND window, UINT limit_ms = 5000) {
  const ULONGLONG start = GetTickCount64();
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, limit_ms, &result)) return limit_ms;
  return static_cast<DWORD>(GetTickCount64() - start);
}

class VarnelReconnect : public VarnelCommands {
 protected:
  // The document of the first simulator server showing its last minute, refreshed every 10 s.
  void ShowLiveDocument(VarnelProcess& program) {
    WriteConfiguration(L"<General><RefreshRate>10</RefreshRate></General>");
    ASSERT_NO_FATAL_FAILURE(ShowLastMinuteOfServer1(program));
  }

  // The server comes back within a minute: listed again with the document's item added anew,
  // the log tells the loss's try once and the connection once, the entries show it again and the
  // next refresh reads the document past the time it came back.
  void ExpectServerBack(VarnelProcess& program) {
    ASSERT_TRUE(WaitUntil(
        [&] {
          const Connections open = OpenConnections(program);
          return open.names == std::vector<std::wstring>{kServer1};
        },
        kComeBackMs))
        << "the server did not come back";
    const long long back = Periods(program)[0].stop;
    EXPECT_TRUE(Reconnecting(program).empty());
    // Listed first, then its items added: a question sent while the addition's call waits on the
    // server is answered in between.
    EXPECT_TRUE(WaitUntil([&] {
      const std::vector<std::wstring> lines = Lines(program.Ask(L"connections"));
      return lines.size() > 1 && Fields(lines[1]).size() > 2 && Fields(lines[1])[2] == L"1";
    })) << "the document's item was not added anew";
    EXPECT_TRUE(WaitUntil([&] {
      return MenuText(MenuItem(program.Ask(L"menu"), ID_SERVER_DISCONNECT_FIRST)) == kServer1;
    })) << "the entries do not show the server again";
    EXPECT_TRUE(WaitUntil([&] { return Periods(program)[0].stop > back; }, 20000))
        << "the waves were not read again";
    std::wstring log;
    EXPECT_TRUE(WaitUntil(
        [&] {
          log = Log(dir_);
          return log.find(L"Reconnecting to server Varnel.HdaSim.1: connected") !=
                 std::wstring::npos;
        },
        5000))
        << "no log line for the connection";
    EXPECT_EQ(Occurrences(log, L"Reconnecting to server Varnel.HdaSim.1: connected"), 1u);
    EXPECT_EQ(program.WaitWindow(L"Ambrel", 500), nullptr) << "a box of the library";
  }
};

TEST_F(VarnelReconnect, KilledServerThatRestartsIsUsedAgain) {
  VarnelProcess program(dir_, L"\"" + WriteDocument(dir_, L"sine.xml") + L"\"");
  ASSERT_NO_FATAL_FAILURE(ShowLiveDocument(program));
  ASSERT_GE(test_support::KillSimulator(), 1) << "no simulator process to kill";
  program.Command(ID_GRAPH_REFRESH);
  ASSERT_TRUE(WaitUntil([&] { return OpenConnections(program).names.empty(); }, 20000));
  ASSERT_TRUE(WaitUntil([&] { return Reconnecting(program).size() == 1; }));
  EXPECT_EQ(Reconnecting(program)[0].name, kServer1);
  EXPECT_TRUE(WaitUntil(
      [&] {
        return Lines(program.Ask(L"status"))[0] == L"Reconnecting to server Varnel.HdaSim.1...";
      },
      10000))
      << Narrow(program.Ask(L"status"));
  // Its classes can start again once RpcSs forgot the killed process.
  ASSERT_TRUE(test_support::ForgetKilledServers());
  ASSERT_NO_FATAL_FAILURE(ExpectServerBack(program));
  EXPECT_EQ(Lines(program.Ask(L"status"))[0], L"Server Varnel.HdaSim.1 answers again");
  CloseAndExpectExit(program);
}

TEST_F(VarnelReconnect, ServerShutDownThroughItsControlIsUsedAgainButNotAfterADisconnect) {
  VarnelProcess program(dir_, L"\"" + WriteDocument(dir_, L"sine.xml") + L"\"");
  ASSERT_NO_FATAL_FAILURE(ShowLiveDocument(program));
  ASSERT_TRUE(test_support::ShutDownSimulator("Varnel.HdaSim.2"));
  // COM starts a new simulator for the first try.
  ASSERT_NO_FATAL_FAILURE(ExpectServerBack(program));
  const std::wstring log = Log(dir_);
  EXPECT_EQ(log.find(L"Reconnecting to server Varnel.HdaSim.1: 0x"), std::wstring::npos)
      << "a failed try for a server that answered at once";

  // Disconnected by the user, it stays away.
  program.Command(ID_SERVER_DISCONNECT_FIRST);
  ASSERT_TRUE(WaitUntil([&] { return OpenConnections(program).names.empty(); }));
  Sleep(12000);
  EXPECT_TRUE(OpenConnections(program).names.empty()) << "a manual disconnect was undone";
  EXPECT_TRUE(Reconnecting(program).empty());
  CloseAndExpectExit(program);
}

TEST_F(VarnelReconnect, ServerThatNeverComesBackIsTriedLessAndLessWithoutBoxesOrAHungWindow) {
  VarnelProcess program(dir_, L"\"" + WriteDocument(dir_, L"sine.xml") + L"\"");
  ASSERT_NO_FATAL_FAILURE(ShowLiveDocument(program));
  // Killed, and its classes left with RpcSs: every activation fails until RpcSs restarts.
  ASSERT_GE(test_support::KillSimulator(), 1) << "no simulator process to kill";
  program.Command(ID_GRAPH_REFRESH);
  ASSERT_TRUE(WaitUntil([&] { return Reconnecting(program).size() == 1; }, 20000));
  const ULONGLONG lost = GetTickCount64();
  // Tries at about 5, 15 and 45 s, each seen with the time it was seen; the window answers at
  // once all the while.
  DWORD slowest = 0;
  std::vector<int> tries_seen;
  std::vector<ULONGLONG> seen_at;
  LostServer after;
  while (GetTickCount64() - lost < 90000) {
    slowest = std::max(slowest, AnswerMs(program.MainWindow()));
    const std::vector<LostServer> lost_servers = Reconnecting(program);
    ASSERT_EQ(lost_servers.size(), 1u);
    after = lost_servers[0];
    if (tries_seen.empty() || tries_seen.back() != after.tries) {
      tries_seen.push_back(after.tries);
      seen_at.push_back(GetTickCount64() - lost);
    }
    if (after.tries >= 3) break;
    Sleep(250);
  }
  EXPECT_LT(slowest, 1000u) << "the window hung during a try";
  ASSERT_EQ(tries_seen, (std::vector<int>{0, 1, 2, 3}));
  // The waits between the tries: 10 s, then 30 s; then a minute to the fourth.
  EXPECT_NEAR(static_cast<double>(seen_at[2] - seen_at[1]), 10000.0, 1500.0);
  EXPECT_NEAR(static_cast<double>(seen_at[3] - seen_at[2]), 30000.0, 1500.0);
  EXPECT_GT(after.next_ms, 57000) << "the fourth try is to wait a minute";
  EXPECT_LE(after.next_ms, 60000);
  EXPECT_TRUE(OpenConnections(program).names.empty()) << "a failed try left a connection";
  // One log line for the first failed try; the same failure again is not told again.
  const std::wstring log = Log(dir_);
  EXPECT_EQ(Occurrences(log, L"Reconnecting to server Varnel.HdaSim.1: 0x"), 1u) << Narrow(log);
  EXPECT_EQ(program.WaitWindow(L"Ambrel", 500), nullptr) << "a box of the library";
  EXPECT_EQ(Lines(program.Ask(L"status"))[0], L"Reconnecting to server Varnel.HdaSim.1...");

  // Disconnect All ends the tries.
  program.Command(ID_SERVER_DISCONNECT_ALL);
  EXPECT_TRUE(WaitUntil([&] { return Reconnecting(program).empty(); }));
  CloseAndExpectExit(program);
  EXPECT_TRUE(test_support::ForgetKilledServers());
}

TEST_F(VarnelReconnect, ConfigurationSheetSwitchesTheTriesOffAndOn) {
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  program.Command(ID_OPTIONS_CONFIGURE);
  HWND sheet = program.WaitWindow(L"Varnel configuration:");
  ASSERT_NE(sheet, nullptr) << "the configuration sheet did not open";
  HWND page = FindDescendant(sheet, L"#32770");
  ASSERT_NE(page, nullptr);
  HWND box = GetDlgItem(page, IDC_CONFIG_RECONNECT);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), L"Reconnect servers that come back");
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED) << "on by default";
  SendMessageW(box, BM_SETCHECK, BST_UNCHECKED, 0);
  Click(GetDlgItem(sheet, IDOK));
  ASSERT_TRUE(VarnelProcess::WaitGone(sheet));
  // The sheet's window goes before the program saves what it chose.
  EXPECT_TRUE(WaitUntil([&] { return Number(Config(dir_), L"ReconnectLostServers") == 0; }))
      << "OK did not save it";
  CloseAndExpectExit(program);

  // Read back at the next start, in French.
  WriteConfiguration(
      L"<ConfigBase><Language>0</Language></ConfigBase>"
      L"<General><ReconnectLostServers>0</ReconnectLostServers></General>");
  VarnelProcess french(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(french));
  french.Command(ID_OPTIONS_CONFIGURE);
  sheet = french.WaitWindow(L"Configuration de Varnel :");
  ASSERT_NE(sheet, nullptr);
  box = GetDlgItem(FindDescendant(sheet, L"#32770"), IDC_CONFIG_RECONNECT);
  EXPECT_EQ(WindowText(box), L"Reconnecter les serveurs qui reviennent");
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  Click(GetDlgItem(sheet, IDCANCEL));
  ASSERT_TRUE(VarnelProcess::WaitGone(sheet));
  CloseAndExpectExit(french);
}

}  // namespace
}  // namespace gui
