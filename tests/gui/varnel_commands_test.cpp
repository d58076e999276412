// Varnel.exe's main window commands against the simulation server: connecting and disconnecting
// servers, browsing and filtering items into a document and removing them, the period commands
// and the custom period, the refresh timer, a server that shuts down, the languages and the
// window menu. Each case starts the program in a directory of its own and drives it as a user
// would, through its windows and commands.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ambrel/ambrel.h"
#include "platform/wide.h"
#include "tests/gui/commands_fixture.h"
#include "tests/gui/long_document.h"
#include "tests/support/simulator_kill.h"
#include "tests/support/simulator_shutdown.h"

namespace gui {
namespace {

TEST_F(VarnelCommands, ConnectsUpToTenServersRemembersAndReconnectsThem) {
  {
    VarnelProcess program(dir_);
    ASSERT_NO_FATAL_FAILURE(Launch(program));
    program.Command(ID_SERVER_CONNECT_LOCAL);
    HWND dialog = program.WaitWindow(L"Browse OPC Servers", kBrowseTimeoutMs);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_SERVER_MACHINE)), L"");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_SERVER_MACHINE)));
    EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_SERVER_MACHINE_LABEL)), L"Machine Name:");
    EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_SERVER_RECONNECT)), L"Reconnect at startup");
    const std::vector<std::wstring> servers = ListTexts(GetDlgItem(dialog, IDC_SERVER_LIST), true);
    for (int n = 1; n <= 11; ++n) {
      EXPECT_NE(std::find(servers.begin(), servers.end(), HdaSim(n)), servers.end()) << n;
    }
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, IDC_SERVER_LIST), CB_GETCURSEL, 0, 0), 0);
    Click(GetDlgItem(dialog, IDCANCEL));
    ASSERT_TRUE(VarnelProcess::WaitGone(dialog));
    EXPECT_TRUE(OpenConnections(program).names.empty()) << "Cancel connected";

    ASSERT_NO_FATAL_FAILURE(Connect(program, kServer1, true));
    Connections open = OpenConnections(program);
    ASSERT_EQ(open.names, std::vector<std::wstring>{kServer1});
    EXPECT_EQ(open.last, 0);
    std::wstring menu = program.Ask(L"menu");
    EXPECT_EQ(MenuText(MenuItem(menu, ID_SERVER_DISCONNECT_FIRST)), kServer1);
    EXPECT_EQ(MenuText(MenuItem(menu, ID_GRAPH_BROWSE_FIRST)), kServer1);

    // The same server again is refused after the browser, which checks the box of a server
    // remembered for reconnection.
    program.Command(ID_SERVER_CONNECT_LOCAL);
    dialog = program.WaitWindow(L"Browse OPC Servers", kBrowseTimeoutMs);
    ASSERT_NE(dialog, nullptr);
    ASSERT_NO_FATAL_FAILURE(SelectServer(dialog, HdaSim(2)));
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, IDC_SERVER_RECONNECT), BM_GETCHECK, 0, 0),
              BST_UNCHECKED);
    ASSERT_NO_FATAL_FAILURE(SelectServer(dialog, kServer1));
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, IDC_SERVER_RECONNECT), BM_GETCHECK, 0, 0),
              BST_CHECKED);
    Click(GetDlgItem(dialog, IDOK));
    HWND box = program.WaitWindow(L"Varnel");
    ASSERT_NE(box, nullptr) << "no refusal for the same server";
    EXPECT_EQ(BoxText(box), L"This server is already connected");
    CloseBox(box);
    EXPECT_EQ(OpenConnections(program).names.size(), 1u);

    for (int n = 2; n <= 10; ++n) {
      ASSERT_NO_FATAL_FAILURE(Connect(program, HdaSim(n)));
    }
    open = OpenConnections(program);
    ASSERT_EQ(open.names.size(), 10u);
    EXPECT_EQ(open.last, 9);
    // The eleventh is refused before any browser opens.
    program.Command(ID_SERVER_CONNECT_LOCAL);
    box = program.WaitWindow(L"Varnel");
    ASSERT_NE(box, nullptr) << "the eleventh connection was not refused";
    EXPECT_EQ(BoxText(box), L"Connection denied, the number of simultaneous servers is limited");
    CloseBox(box);
    EXPECT_EQ(program.WaitWindow(L"Browse OPC Servers", 1000), nullptr);

    // Disconnecting the second moves the later ones up; the last connected stays the same one.
    program.Command(ID_SERVER_DISCONNECT_FIRST + 1);
    ASSERT_TRUE(WaitUntil(
        [&] { return MenuItem(program.Ask(L"menu"), ID_SERVER_DISCONNECT_FIRST + 9) == L""; }));
    open = OpenConnections(program);
    ASSERT_EQ(open.names.size(), 9u);
    EXPECT_EQ(open.names[1], HdaSim(3));
    EXPECT_EQ(open.last, 8);
    menu = program.Ask(L"menu");
    EXPECT_EQ(MenuText(MenuItem(menu, ID_SERVER_DISCONNECT_FIRST + 1)), HdaSim(3));
    EXPECT_EQ(MenuItem(menu, ID_SERVER_DISCONNECT_FIRST + 9), L"");
    program.Command(ID_SERVER_DISCONNECT_FIRST + 9);  // no such connection: nothing
    EXPECT_TRUE(ToolbarButtonEnabled(program, ID_BROWSE_LAST_CONNECTION))
        << "a document and a last connection";
    program.Command(ID_SERVER_DISCONNECT_ALL);
    ASSERT_TRUE(WaitUntil(
        [&] { return MenuItem(program.Ask(L"menu"), ID_SERVER_DISCONNECT_FIRST) == L""; }));
    EXPECT_TRUE(OpenConnections(program).names.empty());
    EXPECT_EQ(OpenConnections(program).last, -1);
    EXPECT_TRUE(
        WaitUntil([&] { return !ToolbarButtonEnabled(program, ID_BROWSE_LAST_CONNECTION); }));
    CloseAndExpectExit(program);
  }
  // Remembered with its flag, and connected again at the next start.
  const std::wstring config = Config(dir_);
  EXPECT_NE(config.find(L"<ServerName>Varnel.HdaSim.1</ServerName>"), std::wstring::npos)
      << Narrow(config);
  EXPECT_NE(config.find(L"<ReconnectAtStartup>1</ReconnectAtStartup>"), std::wstring::npos);
  VarnelProcess again(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(again));
  EXPECT_TRUE(
      WaitUntil([&] { return OpenConnections(again).names == std::vector<std::wstring>{kServer1}; },
                kBrowseTimeoutMs));
  CloseAndExpectExit(again);
}

TEST_F(VarnelCommands, RemoteConnectOffersTheMachineTypedLastAndListsLocalServersWhenUnreachable) {
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  program.Command(ID_SERVER_CONNECT_REMOTE);
  HWND machine = program.WaitWindow(L"OPC 2.0 Remote Connection");
  ASSERT_NE(machine, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(machine, IDC_MACHINE_PROMPT)),
            L"Enter Machine Name or IP Address:");
  EXPECT_EQ(WindowText(GetDlgItem(machine, IDC_MACHINE_EDIT)), L"");
  SetText(GetDlgItem(machine, IDC_MACHINE_EDIT), L"plant7");
  Click(GetDlgItem(machine, IDOK));
  ASSERT_TRUE(VarnelProcess::WaitGone(machine));
  // The machine cannot be reached here: the library says so and lists this machine's servers.
  HWND report = program.WaitWindow(L"Ambrel", kBrowseTimeoutMs);
  ASSERT_NE(report, nullptr) << "no report of the unreachable machine";
  EXPECT_NE(BoxText(report).find(L"Failed to Execute OPCENUM"), std::wstring::npos);
  CloseBox(report);
  HWND dialog = program.WaitWindow(L"Browse OPC Servers", kBrowseTimeoutMs);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_SERVER_MACHINE)), L"plant7");
  const std::vector<std::wstring> servers = ListTexts(GetDlgItem(dialog, IDC_SERVER_LIST), true);
  EXPECT_NE(std::find(servers.begin(), servers.end(), kServer1), servers.end());
  Click(GetDlgItem(dialog, IDCANCEL));
  ASSERT_TRUE(VarnelProcess::WaitGone(dialog));
  EXPECT_TRUE(OpenConnections(program).names.empty());

  program.Command(ID_SERVER_CONNECT_REMOTE);
  machine = program.WaitWindow(L"OPC 2.0 Remote Connection");
  ASSERT_NE(machine, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(machine, IDC_MACHINE_EDIT)), L"plant7") << "the name typed last";
  Click(GetDlgItem(machine, IDCANCEL));
  ASSERT_TRUE(VarnelProcess::WaitGone(machine));
  EXPECT_EQ(program.WaitWindow(L"Browse OPC Servers", 1000), nullptr) << "Cancel went on";
  CloseAndExpectExit(program);
}

TEST_F(VarnelCommands, BrowsesFiltersAndAddsItemsThenRemovesThem) {
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  ASSERT_NO_FATAL_FAILURE(Connect(program, kServer1));
  HWND dialog = OpenItemBrowser(program, 0);
  ASSERT_NE(dialog, nullptr);
  HWND list = GetDlgItem(dialog, IDC_ITEM_LIST);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_ITEM_FILTER_GROUP)), L"Filter:");
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_ITEM_ADD)), L"Add");
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDCANCEL)), L"Close");
  // Every item whose ID fits the library's 100-byte buffer, the first one selected.
  EXPECT_GT(Count(list), 5000);
  EXPECT_EQ(Selection(list), 0);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_ITEM_ADD)));

  // An ID longer than the library's 100-byte buffer comes cut to 99 characters: the server
  // rejects it, the user is told, and the entry stays.
  std::wstring cut = L"Names/Exactly 256 characters ";
  for (wchar_t digit = L'0'; cut.size() < 99; digit = digit == L'9' ? L'0' : digit + 1)
    cut += digit;
  ASSERT_EQ(Filter(dialog, L"exactly 256", {cut}), std::vector<std::wstring>{cut});
  Click(GetDlgItem(dialog, IDC_ITEM_ADD));
  HWND box = program.WaitWindow(L"Varnel");
  ASSERT_NE(box, nullptr) << "no report of the rejected item";
  EXPECT_EQ(BoxText(box), L"Could not Add Item Reference to Server");
  CloseBox(box);
  EXPECT_EQ(ListTexts(list), std::vector<std::wstring>{cut});
  EXPECT_EQ(Selection(list), 0);
  EXPECT_EQ(FirstDocument(program)[4], L"0") << "the document's items";

  // Words in any case and order, "," for "." and the other way round.
  const std::vector<std::wstring> both = {kTemperatureA, kTemperatureB};
  const std::vector<std::wstring> line_b = {kTemperatureB};
  EXPECT_EQ(Filter(dialog, L"area temp", both), both);
  // The list changes at the next tick of the filter timer, not at the keystroke.
  SetText(GetDlgItem(dialog, IDC_ITEM_FILTER), L"TEMP  AREA line b");
  EXPECT_EQ(Count(list), 2) << "the list was refilled before the timer's tick";
  EXPECT_EQ(Filter(dialog, L"TEMP  AREA line b", line_b), line_b);
  EXPECT_EQ(Filter(dialog, L"TEMP  AREA", both), both);
  const std::vector<std::wstring> level = {L"Names/Tank 1.Level"};
  EXPECT_EQ(Filter(dialog, L"1,level", level), level);
  const std::vector<std::wstring> flow = {L"Names/Flow, inlet"};
  EXPECT_EQ(Filter(dialog, L"flow. inlet", flow), flow);
  EXPECT_TRUE(Filter(dialog, L"no such words", {}).empty());
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_ITEM_ADD))) << "Add without a selection";

  // Add takes the selected item into the document and out of the list.
  EXPECT_EQ(Filter(dialog, L"area temp", both), both);
  EXPECT_EQ(Selection(list), 0);
  Click(GetDlgItem(dialog, IDC_ITEM_ADD));
  ASSERT_TRUE(WaitUntil([&] { return Count(list) == 1; }));
  EXPECT_EQ(ListTexts(list), std::vector<std::wstring>{kTemperatureB});
  EXPECT_EQ(Selection(list), 0);
  EXPECT_EQ(FirstDocument(program)[4], L"1") << "the document's items";
  Click(GetDlgItem(dialog, IDCANCEL));
  ASSERT_TRUE(VarnelProcess::WaitGone(dialog));
  // Read at once for the document's period.
  EXPECT_TRUE(WaitRead(program)) << "the added item was not read";
  EXPECT_EQ(FirstDocument(program)[3], L"1") << "waves";
  EXPECT_FALSE(Periods(program)[0].locked);

  // Back in the browser the document's item is not offered. Enter in the filter goes to the list
  // when it offers a choice; a double-click adds.
  dialog = OpenItemBrowser(program, 0);
  ASSERT_NE(dialog, nullptr);
  list = GetDlgItem(dialog, IDC_ITEM_LIST);
  EXPECT_EQ(Filter(dialog, L"area temp", line_b), line_b);
  const std::vector<std::wstring> waves = {L"Waves/Sine 1s",     L"Waves/Ramp 1s",
                                           L"Waves/Saw 1s",      L"Waves/Square 1s",
                                           L"Waves/Triangle 1s", L"Waves/Random walk 1s"};
  EXPECT_EQ(Filter(dialog, L"waves 1s", waves), waves);
  PostMessageW(GetDlgItem(dialog, IDC_ITEM_FILTER), WM_KEYDOWN, VK_RETURN, 0x001C0001);
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == list; })) << "Enter did not go to the list";
  EXPECT_TRUE(IsWindowVisible(dialog));
  SendMessageW(list, LB_SETCURSEL, 5, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_ITEM_LIST, LBN_DBLCLK),
               reinterpret_cast<LPARAM>(list));
  ASSERT_TRUE(WaitUntil([&] { return Count(list) == 5; }));
  EXPECT_EQ(Selection(list), 4) << "the last entry after the last one was added";
  Click(GetDlgItem(dialog, IDCANCEL));
  ASSERT_TRUE(VarnelProcess::WaitGone(dialog));
  ASSERT_TRUE(WaitUntil([&] { return FirstDocument(program)[3] == L"2"; }));
  ASSERT_TRUE(
      WaitUntil([&] { return MenuItem(program.Ask(L"menu"), ID_GRAPH_BROWSE_FIRST) != L""; }));

  // The removal list names machine, server and item; deleting the last entry selects the new last.
  program.Command(ID_GRAPH_REMOVE_TAGS);
  dialog = program.WaitWindow(L"Remove OPC Tags");
  ASSERT_NE(dialog, nullptr);
  list = GetDlgItem(dialog, IDC_REMOVE_LIST);
  std::vector<std::wstring> entries = ListTexts(list);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0], std::wstring(L"<><Varnel.HdaSim.1>") + kTemperatureA);
  EXPECT_EQ(Selection(list), 0);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_REMOVE_DELETE)), L"Delete");
  SendMessageW(list, LB_SETCURSEL, 1, 0);
  Click(GetDlgItem(dialog, IDC_REMOVE_DELETE));
  ASSERT_TRUE(WaitUntil([&] { return Count(list) == 1; }));
  EXPECT_EQ(Selection(list), 0);
  EXPECT_EQ(ListTexts(list),
            std::vector<std::wstring>{std::wstring(L"<><Varnel.HdaSim.1>") + kTemperatureA});
  Click(GetDlgItem(dialog, IDCANCEL));
  ASSERT_TRUE(VarnelProcess::WaitGone(dialog));
  const std::vector<std::wstring> document = FirstDocument(program);
  EXPECT_EQ(document[3], L"1") << "waves";
  EXPECT_EQ(document[4], L"1") << "items";
  CloseAndExpectExit(program);
  // The filter timer wrote its line twice a second.
  EXPECT_NE(Log(dir_).find(L"OnTimer(()"), std::wstring::npos);
}

// OK in the server browser with no server listed connects nothing and remembers nothing; Enter
// in the item browser with its Add button focused ends the browser (only Enter in the filter goes
// on to the list).
TEST_F(VarnelCommands, EmptyServerListConnectsNothingAndEnterOnAddEndsTheItemBrowser) {
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  program.Command(ID_SERVER_CONNECT_LOCAL);
  HWND servers = program.WaitWindow(L"Browse OPC Servers", kBrowseTimeoutMs);
  ASSERT_NE(servers, nullptr) << "no server browser";
  SendMessageW(GetDlgItem(servers, IDC_SERVER_LIST), CB_RESETCONTENT, 0,
               0);  // as on a bare machine
  Click(GetDlgItem(servers, IDOK));
  ASSERT_TRUE(VarnelProcess::WaitGone(servers, kBrowseTimeoutMs));
  EXPECT_TRUE(OpenConnections(program).names.empty()) << "a server without a name was connected";
  for (HWND box : program.TopWindows()) {
    if (box != program.MainWindow())
      ADD_FAILURE() << "unexpected window " << Narrow(WindowText(box));
  }

  ASSERT_NO_FATAL_FAILURE(Connect(program, kServer1));
  HWND dialog = OpenItemBrowser(program, 0);
  ASSERT_NE(dialog, nullptr);
  HWND list = GetDlgItem(dialog, IDC_ITEM_LIST);
  ASSERT_TRUE(WaitUntil([&] { return Count(list) > 0; }, kBrowseTimeoutMs));
  HWND add = GetDlgItem(dialog, IDC_ITEM_ADD);
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(add), TRUE);
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(dialog) == add; }));
  PressKeys(add, {VK_RETURN});
  EXPECT_TRUE(VarnelProcess::WaitGone(dialog, 5000)) << "Enter on Add did not end the browser";
  const std::vector<std::wstring> document = FirstDocument(program);
  ASSERT_EQ(document.size(), 5u);
  EXPECT_EQ(document[4], L"0") << "Enter on Add added an item";
  CloseAndExpectExit(program);
  EXPECT_EQ(Config(dir_).find(L"<ServerName></ServerName>"), std::wstring::npos)
      << "a server without a name was remembered";
}

TEST_F(VarnelCommands, ServersThatCannotBeBrowsedListNothing) {
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  ASSERT_NO_FATAL_FAILURE(Connect(program, HdaSim(12)));  // an empty address space
  HWND dialog = OpenItemBrowser(program, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Count(GetDlgItem(dialog, IDC_ITEM_LIST)), 0);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_ITEM_ADD)));
  // Escape is Close.
  PostMessageW(GetDlgItem(dialog, IDC_ITEM_FILTER), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  ASSERT_TRUE(VarnelProcess::WaitGone(dialog));
  ASSERT_NO_FATAL_FAILURE(Connect(program, HdaSim(13)));  // its browse fails
  program.Command(ID_GRAPH_BROWSE_FIRST + 1);
  HWND report = program.WaitWindow(L"Ambrel", kBrowseTimeoutMs);
  ASSERT_NE(report, nullptr) << "the failed browse was not reported";
  CloseBox(report);
  dialog = program.WaitWindow(L"Browse Hda Tags", kBrowseTimeoutMs);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Count(GetDlgItem(dialog, IDC_ITEM_LIST)), 0);
  Click(GetDlgItem(dialog, IDCANCEL));
  ASSERT_TRUE(VarnelProcess::WaitGone(dialog));
  CloseAndExpectExit(program);
}

TEST_F(VarnelCommands, PeriodCommandsStepLockAndTakeACustomPeriod) {
  const std::wstring path = WriteDocument(dir_, L"sine.xml");
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  ASSERT_TRUE(WaitUntil([&] { return Periods(program).size() == 1; }));
  // Without an open server of the document every period command is greyed.
  std::wstring menu = program.Ask(L"menu");
  EXPECT_NE(Flags(MenuItem(menu, PeriodCommand(kPeriodLastHour))).find(L'g'), std::wstring::npos);
  ASSERT_NO_FATAL_FAILURE(Connect(program, kServer1));
  // A document read from a file is locked: only Unlock.
  menu = program.Ask(L"menu");
  EXPECT_TRUE(Periods(program)[0].locked);
  EXPECT_EQ(Flags(MenuItem(menu, ID_PERIOD_UNLOCK)).find(L'g'), std::wstring::npos);
  EXPECT_NE(Flags(MenuItem(menu, ID_PERIOD_PREVIOUS)).find(L'g'), std::wstring::npos);
  program.Command(ID_PERIOD_UNLOCK);
  ASSERT_TRUE(WaitUntil([&] { return !Periods(program)[0].locked; }));

  program.Command(PeriodCommand(kPeriodLastHour));
  ASSERT_TRUE(WaitUntil(
      [&] { return WindowText(program.MainWindow()).find(L"Varnel : <The last hour : ") == 0; }));
  DocumentState hour = Periods(program)[0];
  EXPECT_EQ(hour.period, 280);
  EXPECT_EQ(hour.stop - hour.start, 3600000);
  EXPECT_TRUE(hour.live);
  EXPECT_GT(hour.points, 3000);
  EXPECT_NE(Flags(MenuItem(program.Ask(L"menu"), PeriodCommand(kPeriodLastHour))).find(L'c'),
            std::wstring::npos);

  program.Command(ID_PERIOD_PREVIOUS);
  ASSERT_TRUE(WaitUntil([&] { return Periods(program)[0].stop == hour.start; }));
  EXPECT_EQ(Periods(program)[0].start, hour.start - 3600000);
  EXPECT_FALSE(Periods(program)[0].live);
  program.Command(ID_PERIOD_NEXT);
  ASSERT_TRUE(WaitUntil([&] { return Periods(program)[0].start == hour.start; }));
  program.Command(ID_PERIOD_CURRENT);
  ASSERT_TRUE(WaitUntil([&] { return Periods(program)[0].live; }));
  EXPECT_GE(Periods(program)[0].stop, hour.stop);
  EXPECT_EQ(Periods(program)[0].stop - Periods(program)[0].start, 3600000);

  // Locked: the period commands do nothing.
  program.Command(ID_PERIOD_LOCK);
  ASSERT_TRUE(WaitUntil([&] { return Periods(program)[0].locked; }));
  const DocumentState locked = Periods(program)[0];
  program.Command(ID_PERIOD_PREVIOUS);
  program.Command(PeriodCommand(kPeriodLastMinute));
  Sleep(500);
  EXPECT_EQ(Periods(program)[0].start, locked.start);
  EXPECT_EQ(Periods(program)[0].period, 280);
  program.Command(ID_PERIOD_UNLOCK);
  ASSERT_TRUE(WaitUntil([&] { return !Periods(program)[0].locked; }));

  // Another period: a stop before the start is swapped.
  program.Command(PeriodCommand(kPeriodCustom));
  HWND dialog = program.WaitWindow(L"Another period");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_PERIOD_START_LABEL)), L"Start time:");
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_PERIOD_START)).size(), 23u)
      << "dd/mm/yyyy hh:mm:ss.mmm";
  SetText(GetDlgItem(dialog, IDC_PERIOD_START), L"02/06/2021 00:00");
  SetText(GetDlgItem(dialog, IDC_PERIOD_STOP), L"01/06/2021 12:00");
  Click(GetDlgItem(dialog, IDOK));
  ASSERT_TRUE(VarnelProcess::WaitGone(dialog));
  EXPECT_TRUE(WaitUntil([&] {
    return WindowText(program.MainWindow())
               .find(L"Varnel : <Another period : 01/06/2021 12:00:00->02/06/2021 00:00:00>") == 0;
  })) << Narrow(WindowText(program.MainWindow()));
  const DocumentState custom = Periods(program)[0];
  EXPECT_EQ(custom.period, 131);
  EXPECT_EQ(custom.stop - custom.start, 12 * 3600000LL);
  EXPECT_EQ(custom.points, 32000) << "12 hours of a 1 s item, cut at the read's 32000 values";

  // A day picked in the calendar shows at midnight; Cancel keeps the period as it was.
  program.Command(PeriodCommand(kPeriodCustom));
  dialog = program.WaitWindow(L"Another period");
  ASSERT_NE(dialog, nullptr);
  Click(GetDlgItem(dialog, IDC_PERIOD_PICK_START));
  HWND calendar = program.WaitWindow(L"Choose the Start Time");
  ASSERT_NE(calendar, nullptr);
  Click(GetDlgItem(calendar, IDOK));
  ASSERT_TRUE(VarnelProcess::WaitGone(calendar));
  const std::wstring picked = WindowText(GetDlgItem(dialog, IDC_PERIOD_START));
  EXPECT_EQ(picked.substr(10), L" 00:00:00.000") << Narrow(picked);
  Click(GetDlgItem(dialog, IDCANCEL));
  ASSERT_TRUE(VarnelProcess::WaitGone(dialog));
  Sleep(300);
  EXPECT_EQ(Periods(program)[0].start, custom.start);
  EXPECT_EQ(Periods(program)[0].period, 131);
  // Stepping a custom period goes by its length.
  program.Command(ID_PERIOD_NEXT);
  ASSERT_TRUE(WaitUntil([&] { return Periods(program)[0].start == custom.stop; }));
  EXPECT_EQ(Periods(program)[0].stop, custom.stop + 12 * 3600000LL);
  CloseAndExpectExit(program);
}

TEST_F(VarnelCommands, TimerRefreshesALiveDocumentButNotALockedOne) {
  WriteConfiguration(L"<General><RefreshRate>10</RefreshRate></General>");
  const std::wstring first = WriteDocument(dir_, L"live.xml");
  const std::wstring second = WriteDocument(dir_, L"locked.xml");
  VarnelProcess program(dir_, L"\"" + first + L"\"");
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  ASSERT_TRUE(WaitUntil([&] { return Periods(program).size() == 1; }));
  ASSERT_NE(program.Ask(L"open-timed " + second), L"failed");
  ASSERT_NO_FATAL_FAILURE(Connect(program, kServer1));
  // Both are locked as read; the first is unlocked and follows the last minute.
  ASSERT_EQ(ActiveDocumentTitle(program).find(L"locked.xml"), 0u);
  program.Command(ID_WINDOW_DOCUMENT_FIRST);  // the first document
  ASSERT_TRUE(WaitUntil([&] { return ActiveDocumentTitle(program).find(L"live.xml") == 0; }));
  program.Command(ID_PERIOD_UNLOCK);
  program.Command(PeriodCommand(kPeriodLastMinute));
  ASSERT_TRUE(WaitUntil([&] {
    const std::vector<DocumentState> s = Periods(program);
    return s.size() == 2 && s[0].period == 240 && s[0].live;
  }));
  const std::vector<DocumentState> before = Periods(program);
  ASSERT_TRUE(before[1].locked);
  // The live one follows the clock within two 5-second checks; the locked one stays.
  EXPECT_TRUE(WaitUntil([&] { return Periods(program)[0].stop >= before[0].stop + 5000; }, 20000));
  const std::vector<DocumentState> after = Periods(program);
  EXPECT_EQ(after[0].stop - after[0].start, 60000);
  EXPECT_EQ(after[1].start, before[1].start);
  EXPECT_EQ(after[1].stop, before[1].stop);
  EXPECT_EQ(after[1].points, before[1].points);
  CloseAndExpectExit(program);
}

// A refresh command that another program sends while a read is under way (COM's wait lets sent
// messages in) is refused: the documents are not read again from inside that read.
TEST_F(VarnelCommands, RefreshCommandSentDuringARefreshIsRefused) {
  WriteConfiguration(L"<General><RefreshRate>0</RefreshRate></General>");  // no timer's reads
  TVarnelDoc doc;
  HdaServerDef server;
  server.ServerName = u"Varnel.HdaSim.1";
  doc.FindOrAddConnection(server).AddItemName(u"Faults/Slow 2s");  // each read takes 2 s more
  const std::wstring path = dir_ + L"\\slow.xml";
  ASSERT_FALSE(doc.Save(platform::U16(path.c_str())));
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  ASSERT_TRUE(WaitUntil([&] { return Periods(program).size() == 1; }));
  ASSERT_NO_FATAL_FAILURE(Connect(program, kServer1));
  program.Command(ID_PERIOD_UNLOCK);
  program.Command(PeriodCommand(kPeriodLastMinute));
  ASSERT_TRUE(WaitRead(program));
  const std::wstring read = L"Reading HDA Items from server :Varnel.HdaSim.1:Faults/Slow 2s";
  auto reads = [&] {
    const std::wstring log = Log(dir_);
    std::size_t n = 0;
    for (std::size_t at = log.find(read); at != std::wstring::npos; at = log.find(read, at + 1))
      ++n;
    return n;
  };
  std::size_t before = 0;
  ASSERT_TRUE(WaitUntil([&] { return (before = reads()) > 0; }, 5000));

  program.Command(ID_GRAPH_REFRESH);
  Sleep(700);
  DWORD_PTR result = 0;
  ASSERT_TRUE(SendMessageTimeoutW(program.MainWindow(), WM_COMMAND, ID_GRAPH_REFRESH, 0,
                                  SMTO_NORMAL, 20000, &result));
  ASSERT_TRUE(WaitUntil([&] { return reads() > before; }, 10000));
  Sleep(4000);  // a nested read would be logged by now
  EXPECT_EQ(reads(), before + 1) << "the sent refresh read again inside the first one";
  EXPECT_EQ(program.WaitWindow(L"Varnel", 500), nullptr);
  CloseAndExpectExit(program);
}

// Asks the simulator, through a session of this process, to shut down: it tells every client.
void ShutDownSimulator() { ASSERT_TRUE(test_support::ShutDownSimulator("Varnel.HdaSim.2")); }

// With the reconnection of lost servers switched off, a server that shut down stays away.
TEST_F(VarnelCommands, ServerShutdownRemovesItsConnectionWhileADocumentShowsIt) {
  WriteConfiguration(L"<General><ReconnectLostServers>0</ReconnectLostServers></General>");
  const std::wstring path = WriteDocument(dir_, L"sine.xml");
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  ASSERT_NO_FATAL_FAILURE(ShowLastMinuteOfServer1(program));
  const long long points = Periods(program)[0].points;

  ASSERT_NO_FATAL_FAILURE(ShutDownSimulator());
  ASSERT_TRUE(WaitUntil([&] { return OpenConnections(program).names.empty(); }, 20000))
      << "the connection of the server that shut down is still there";
  // Its entries go with it: none is left to act on a connection that moved into its place.
  EXPECT_TRUE(WaitUntil([&] {
    const std::wstring menu = program.Ask(L"menu");
    return MenuItem(menu, ID_GRAPH_BROWSE_FIRST) == L"" &&
           MenuItem(menu, ID_SERVER_DISCONNECT_FIRST) == L"";
  })) << "the menus still show the server that shut down";
  program.Command(ID_GRAPH_BROWSE_FIRST);
  EXPECT_EQ(program.WaitWindow(L"Browse Hda Tags", 1500), nullptr);
  EXPECT_TRUE(WaitUntil([&] { return !ToolbarButtonEnabled(program, ID_BROWSE_LAST_CONNECTION); }))
      << "browsing the last connection after it went";
  // The document keeps what it showed, and nothing tries the server again.
  EXPECT_EQ(Periods(program)[0].points, points);
  Sleep(7000);
  EXPECT_TRUE(OpenConnections(program).names.empty());
  EXPECT_EQ(program.Ask(L"reconnecting"), L"");
  CloseAndExpectExit(program);
}

// A server whose process dies is told as a server that stopped answering, in the status bar and the
// log, when the next read meets it; its connection closes and the document keeps what it showed.
TEST_F(VarnelCommands, KilledServerIsToldAsStoppedAnsweringAtTheNextRead) {
  WriteConfiguration(L"<General><ReconnectLostServers>0</ReconnectLostServers></General>");
  const std::wstring path = WriteDocument(dir_, L"sine.xml");
  VarnelProcess program(dir_, L"\"" + path + L"\"");
  ASSERT_NO_FATAL_FAILURE(ShowLastMinuteOfServer1(program));
  const long long points = Periods(program)[0].points;
  ASSERT_GT(points, 0);

  ASSERT_GE(test_support::KillSimulator(), 1) << "no simulator process to kill";
  const ULONGLONG killed = GetTickCount64();
  program.Command(ID_GRAPH_REFRESH);
  const std::wstring told = L"Server Varnel.HdaSim.1 stopped answering";
  EXPECT_TRUE(WaitUntil([&] { return Lines(program.Ask(L"status"))[0] == told; }, 20000))
      << Narrow(program.Ask(L"status"));
  EXPECT_LT(GetTickCount64() - killed, 5000u) << "the loss waited for COM's time-outs";
  EXPECT_TRUE(WaitUntil([&] { return OpenConnections(program).names.empty(); }, 20000))
      << "the connection of the server that died is still there";
  // The log is written by the one-second timer.
  std::wstring log;
  EXPECT_TRUE(
      WaitUntil([&] { return (log = Log(dir_)).find(told + L": 0x") != std::wstring::npos; }, 5000))
      << "no log line for the loss";
  const std::size_t line = log.find(told + L": 0x");
  EXPECT_EQ(log.find(told + L": 0x", line + 1), std::wstring::npos) << "the loss was logged twice";
  // No message box in the middle of the refresh, and the document keeps its points.
  EXPECT_EQ(program.WaitWindow(L"Varnel", 1000), nullptr);
  EXPECT_EQ(Periods(program)[0].points, points);
  CloseAndExpectExit(program);
  // The killed server's class registrations stay with RpcSs until it restarts.
  EXPECT_TRUE(test_support::ForgetKilledServers());
}

TEST_F(VarnelCommands, LanguageCommandsLoadEachMenuAndSpanishFallsBackToEnglish) {
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  struct Case {
    UINT command;
    const wchar_t* first_menu;
    const wchar_t* prompt;  // of Connect Local Server
    bool checked;
  } const cases[] = {
      {ID_LANGUAGE_FRENCH, L"&Fichier", L"Se connecter à un serveur OPC HDA de cet ordinateur",
       true},
      {ID_LANGUAGE_GERMAN, L"&Datei", L"Mit einem OPC-HDA-Server auf diesem Computer verbinden",
       false},
      {ID_LANGUAGE_DUTCH, L"&Bestand", L"Verbinden met een OPC HDA-server op deze computer", true},
      {ID_LANGUAGE_ENGLISH, L"&File", L"Connect to an OPC HDA server on this computer", true},
  };
  for (const Case& c : cases) {
    program.Command(c.command);
    ASSERT_TRUE(WaitUntil([&] {
      return MenuBarTitles(program.Ask(L"menu")).front() == c.first_menu;
    })) << c.command;
    const std::wstring menu = program.Ask(L"menu");
    EXPECT_EQ(Flags(MenuItem(menu, c.command)).find(L'c') != std::wstring::npos, c.checked)
        << c.command;
    EXPECT_EQ(Number(Config(dir_), L"Language"), static_cast<long>(c.command - ID_LANGUAGE_FRENCH))
        << c.command;
    // The status bar's prompt for a menu item, in the new language.
    SendMessageW(program.MainWindow(), WM_MENUSELECT,
                 MAKEWPARAM(ID_SERVER_CONNECT_LOCAL, MF_STRING),
                 reinterpret_cast<LPARAM>(GetMenu(program.MainWindow())));
    EXPECT_EQ(Lines(program.Ask(L"status"))[0], c.prompt) << c.command;
  }
  // Spanish has no menu: the English one, and the log says so.
  program.Command(ID_LANGUAGE_SPANISH);
  ASSERT_TRUE(WaitUntil([&] { return Number(Config(dir_), L"Language") == 3; }));
  EXPECT_EQ(MenuBarTitles(program.Ask(L"menu")).front(), L"&File");
  EXPECT_TRUE(WaitUntil(
      [&] { return Log(dir_).find(L"Missing menu for language 3") != std::wstring::npos; }));
  // The language in use again: nothing is saved.
  DeleteFileW((dir_ + L"\\Varnel_Config.xml").c_str());
  program.Command(ID_LANGUAGE_SPANISH);
  Sleep(1000);
  EXPECT_FALSE(FileExists(dir_ + L"\\Varnel_Config.xml"));
  CloseAndExpectExit(program);
}

TEST_F(VarnelCommands, WindowMenuListsTwoDocumentsThenFourOfFiveAndCtrlTabAlternates) {
  VarnelProcess program(dir_);
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  program.Command(ID_FILE_NEW);
  ASSERT_TRUE(WaitUntil([&] { return Lines(program.Ask(L"documents")).size() == 2; }));
  std::wstring menu;
  ASSERT_TRUE(WaitUntil([&] {
    menu = program.Ask(L"menu");
    return MenuItem(menu, ID_WINDOW_DOCUMENT_FIRST + 1) != L"";
  }));
  EXPECT_EQ(MenuText(MenuItem(menu, ID_WINDOW_DOCUMENT_FIRST)), L"Varnel1");
  EXPECT_EQ(MenuText(MenuItem(menu, ID_WINDOW_DOCUMENT_FIRST + 1)), L"Varnel2");
  EXPECT_EQ(ActiveDocumentTitle(program), L"Varnel2");
  program.Command(ID_WINDOW_NEXT_DOCUMENT);
  EXPECT_TRUE(WaitUntil([&] { return ActiveDocumentTitle(program) == L"Varnel1"; }));
  program.Command(ID_WINDOW_NEXT_DOCUMENT);
  EXPECT_TRUE(WaitUntil([&] { return ActiveDocumentTitle(program) == L"Varnel2"; }));
  program.Command(ID_WINDOW_DOCUMENT_FIRST);
  EXPECT_TRUE(WaitUntil([&] { return ActiveDocumentTitle(program) == L"Varnel1"; }));

  for (int i = 0; i < 3; ++i) program.Command(ID_FILE_NEW);
  ASSERT_TRUE(WaitUntil([&] { return Lines(program.Ask(L"documents")).size() == 5; }));
  // Only the first eight views, two per document, are looked at.
  ASSERT_TRUE(WaitUntil([&] {
    menu = program.Ask(L"menu");
    return MenuItem(menu, ID_WINDOW_DOCUMENT_FIRST + 3) != L"";
  }));
  EXPECT_EQ(MenuText(MenuItem(menu, ID_WINDOW_DOCUMENT_FIRST + 3)), L"Varnel4");
  EXPECT_EQ(MenuItem(menu, ID_WINDOW_DOCUMENT_FIRST + 4), L"");
  program.Command(ID_WINDOW_DOCUMENT_FIRST + 2);
  EXPECT_TRUE(WaitUntil([&] { return ActiveDocumentTitle(program) == L"Varnel3"; }));
  CloseAndExpectExit(program);
}

// A document whose wave was cut at 32000 values, opened before its server is connected, stays cut;
// connecting the server draws it whole from the server's extremes at once.
TEST_F(VarnelCommands, ConnectingTheServerOfACutWaveDrawsItWhole) {
  const std::wstring path = WriteLongDocument(dir_, L"long.xml", {u"Waves/Sine 1s"});
  ASSERT_FALSE(path.empty());

  VarnelProcess program(dir_, L"\"" + path + L"\"");
  ASSERT_NO_FATAL_FAILURE(Launch(program));
  const auto status = [&] {
    const std::vector<std::wstring> lines = Lines(program.Ask(L"status"));
    return lines.empty() ? std::wstring() : lines[0];
  };
  const std::wstring cut = L"Waves/Sine 1s: only the first 32000 values";
  ASSERT_TRUE(WaitUntil(
      [&] {
        const std::wstring shown = status();
        return shown.compare(0, cut.size(), cut) == 0;
      },
      20000))
      << Narrow(status());
  ASSERT_NO_FATAL_FAILURE(Connect(program, kServer1));
  EXPECT_TRUE(WaitUntil(
      [&] {
        return status() ==
               L"Waves/Sine 1s: drawn from the extremes of each pixel column, without markers";
      },
      20000))
      << Narrow(status());
  CloseAndExpectExit(program);
}

}  // namespace
}  // namespace gui
