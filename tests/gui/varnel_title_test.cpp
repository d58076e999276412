// After every path that reads a live document's waves again, the main window's title, the graph's
// time axis and the document's period name the same stop time: the refresh command, the automatic
// refresh while the document window is maximised and then restored, and while the main window is
// minimised.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/wide.h"
#include "tests/gui/commands_fixture.h"
#include "text/time_fields.h"
#include "text/time_format.h"

namespace gui {
namespace {

constexpr int kTimeAxis = 2;

// The stop time the title shows ("... ->dd/mm/yyyy hh:mm:ss>"), "" when it shows none.
std::wstring TitleStop(const VarnelProcess& program) {
  const std::wstring title = WindowText(program.MainWindow());
  const std::size_t arrow = title.find(L"->");
  const std::size_t end = title.find(L'>', arrow == std::wstring::npos ? 0 : arrow + 2);
  if (arrow == std::wstring::npos || end == std::wstring::npos) return L"";
  return title.substr(arrow + 2, end - arrow - 2);
}

// A time as the title writes it.
std::wstring StopText(long long ms) {
  TTimeFields fields;
  TimeToFields(static_cast<double>(ms), fields);
  return platform::W(FormatDateTime(fields, false));
}

// The right end of the graph's time axis, NaN when the answer has none.
double TimeAxisMax(const VarnelProcess& program) {
  for (const std::wstring& line : Lines(program.Ask(L"graph"))) {
    const std::vector<std::wstring> f = Fields(line);
    if (f.size() == 13 && f[0] == L"axis" && std::stoi(f[1]) == kTimeAxis) return std::stod(f[7]);
  }
  return NAN;
}

class VarnelTitle : public VarnelCommands {
 protected:
  // The document of the first simulator server, live over the last minute, refreshed every 10 s.
  void ShowLiveDocument(VarnelProcess& program) {
    WriteConfiguration(L"<General><RefreshRate>10</RefreshRate></General>");
    ASSERT_NO_FATAL_FAILURE(ShowLastMinuteOfServer1(program));
  }

  // Title, graph and period agree on the stop time once the program has settled.
  static void ExpectAgreement(const VarnelProcess& program, const char* after) {
    long long stop = 0;
    const bool agree = WaitUntil(
        [&] {
          stop = Periods(program)[0].stop;
          return TitleStop(program) == StopText(stop) &&
                 std::fabs(TimeAxisMax(program) - static_cast<double>(stop)) < 1.0;
        },
        5000);
    EXPECT_TRUE(agree) << after << ": title " << Narrow(TitleStop(program)) << ", document "
                       << Narrow(StopText(stop)) << ", time axis to "
                       << Narrow(StopText(static_cast<long long>(TimeAxisMax(program))));
  }

  // Waits for the next automatic refresh: the document's stop moves on.
  static bool WaitRefresh(const VarnelProcess& program) {
    const long long before = Periods(program)[0].stop;
    return WaitUntil([&] { return Periods(program)[0].stop > before; }, 20000);
  }
};

TEST_F(VarnelTitle, RefreshCommandMovesTitleGraphAndGridToTheSameStop) {
  VarnelProcess program(dir_, L"\"" + WriteDocument(dir_, L"sine.xml") + L"\"");
  ASSERT_NO_FATAL_FAILURE(ShowLiveDocument(program));
  ASSERT_NO_FATAL_FAILURE(ExpectAgreement(program, "the last minute chosen"));
  const long long before = Periods(program)[0].stop;
  Sleep(2100);
  program.Command(ID_GRAPH_REFRESH);
  ASSERT_TRUE(WaitUntil([&] { return Periods(program)[0].stop > before; }));
  ExpectAgreement(program, "the refresh command");
  CloseAndExpectExit(program);
}

TEST_F(VarnelTitle, AutomaticRefreshOfAMaximisedDocumentWindowKeepsTheTitleWhenRestored) {
  VarnelProcess program(dir_, L"\"" + WriteDocument(dir_, L"sine.xml") + L"\"");
  ASSERT_NO_FATAL_FAILURE(ShowLiveDocument(program));
  HWND child = FindDescendant(program.MainWindow(), L"VarnelMdiChild");
  ASSERT_NE(child, nullptr);
  PostMessageW(child, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsZoomed(child) != FALSE; }));
  ASSERT_TRUE(WaitRefresh(program));
  ExpectAgreement(program, "a refresh of the maximised window");
  PostMessageW(child, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsZoomed(child) == FALSE; }));
  ExpectAgreement(program, "the window restored");
  ASSERT_TRUE(WaitRefresh(program));
  PostMessageW(child, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsZoomed(child) != FALSE; }));
  ExpectAgreement(program, "the window maximised again");
  CloseAndExpectExit(program);
}

TEST_F(VarnelTitle, AutomaticRefreshWhileTheMainWindowIsMinimisedShowsInTheTitle) {
  VarnelProcess program(dir_, L"\"" + WriteDocument(dir_, L"sine.xml") + L"\"");
  ASSERT_NO_FATAL_FAILURE(ShowLiveDocument(program));
  PostMessageW(program.MainWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(program.MainWindow()) != FALSE; }));
  ASSERT_TRUE(WaitRefresh(program));
  // The graph is not drawn meanwhile; the title follows at once.
  EXPECT_TRUE(
      WaitUntil([&] { return TitleStop(program) == StopText(Periods(program)[0].stop); }, 5000))
      << "a refresh while minimised: title " << Narrow(TitleStop(program));
  PostMessageW(program.MainWindow(), WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(program.MainWindow()) == FALSE; }));
  ExpectAgreement(program, "the main window restored");
  CloseAndExpectExit(program);
}

}  // namespace
}  // namespace gui
