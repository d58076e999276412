// The machine, removal, custom period, calendar and find dialogs run in this process: each case
// opens a dialog modally, acts on it from a timer as a user would, and checks what the dialog gave
// back. (The server and item browsers need a server: the GUI tests drive them.)
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <limits>
#include <string>
#include <vector>

#include "app_context/main_frame_link.h"
#include "dialogs/browse_dialog_ids.h"
#include "dialogs/core/period_entry.h"
#include "dialogs/date_time_dialog.h"
#include "dialogs/find_dialog.h"
#include "dialogs/item_remover.h"
#include "dialogs/machine_dialog.h"
#include "dialogs/other_period_dialog.h"
#include "dialogs/period_dialog_ids.h"
#include "platform/clock.h"
#include "tests/dialogs/dialog_script.h"
#include "text/time_base.h"

namespace dialogs {
namespace {

constexpr double kNow = 1718460443789.0;  // 15/06/2024 14:07:23.789 UTC

std::wstring Text(HWND control) {
  wchar_t text[512] = {};
  GetWindowTextW(control, text, 512);
  return text;
}

void SetText(HWND dialog, int control, const wchar_t* text) {
  SetDlgItemTextW(dialog, control, text);
}
void Press(HWND dialog, int button) { SendMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0); }

std::vector<std::wstring> ListTexts(HWND list, bool combo) {
  std::vector<std::wstring> texts;
  const auto count = static_cast<int>(SendMessageW(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[512] = {};
    SendMessageW(list, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    texts.emplace_back(text);
  }
  return texts;
}

std::u16string U16(const TString& text) { return text.Str(); }

// English unless a case says otherwise, local standard time at UTC (summer time one hour on),
// and a clock that stands still.
class DialogsInProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    SetMainFrameLink(&link_);
    offset_ = SetLocalOffsetForTesting(0.0);
    platform::SetClockForTesting([] { return kNow; });
  }
  void TearDown() override {
    platform::SetClockForTesting(nullptr);
    SetLocalOffsetForTesting(offset_);
    SetMainFrameLink(nullptr);
  }
  TMainFrameLink link_;
  Owner owner_;
  double offset_ = 0;
};

TEST_F(DialogsInProcess, MachineDialogOffersTheNameTypedLastAndKeepsItsHeight) {
  TString machine(u"plant7");
  std::wstring shown;
  MINMAXINFO limits{};
  {
    Script script({[&](HWND d) {
                     shown = Text(GetDlgItem(d, IDC_MACHINE_EDIT));
                     SendMessageW(d, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
                     SetText(d, IDC_MACHINE_EDIT, L"10.0.0.7");
                   },
                   [](HWND d) { Press(d, IDCANCEL); }});
    EXPECT_EQ(TMachineDlg(owner_.Hwnd(), machine).DoModal(), 2);
  }
  EXPECT_EQ(shown, L"plant7");
  EXPECT_EQ(U16(machine), u"plant7") << "Cancel kept what was typed";
  // Wider, not taller: the minimum and maximum heights are the same.
  EXPECT_GE(limits.ptMinTrackSize.x, 300);
  EXPECT_GE(limits.ptMinTrackSize.y, 140);
  EXPECT_EQ(limits.ptMaxTrackSize.y, limits.ptMinTrackSize.y);
  {
    Script script({[](HWND d) { SetText(d, IDC_MACHINE_EDIT, L"10.0.0.7"); },
                   [](HWND d) { Press(d, IDOK); }});
    EXPECT_EQ(TMachineDlg(owner_.Hwnd(), machine).DoModal(), 1);
  }
  EXPECT_EQ(U16(machine), u"10.0.0.7");
}

TEST_F(DialogsInProcess, RemovalDialogRemovesTheSelectedItemByItsWholeName) {
  TVarnelDoc doc;
  HdaServerDef local;
  local.ServerName = u"Varnel.HdaSim.1";
  HdaServerDef remote;
  remote.MachineName = u"plant7";
  remote.ServerName = u"Varnel.HdaSim.2";
  doc.FindOrAddConnection(local).ItemNames = {u"Waves/Sine 1s", u"B"};
  doc.FindOrAddConnection(remote).ItemNames = {u"A>B", u"Waves/Ramp 1s"};
  doc.Waves.resize(4);
  doc.SetModified(false);
  std::vector<std::wstring> entries;
  int selected_after_last = -2;
  bool delete_enabled_when_empty = true;
  {
    Script script({[&](HWND d) {
                     entries = ListTexts(GetDlgItem(d, IDC_REMOVE_LIST), false);
                     SendMessageW(GetDlgItem(d, IDC_REMOVE_LIST), LB_SETCURSEL, 2, 0);
                     Press(d, IDC_REMOVE_DELETE);  // "A>B"
                   },
                   [&](HWND d) {
                     HWND list = GetDlgItem(d, IDC_REMOVE_LIST);
                     SendMessageW(list, LB_SETCURSEL, 2, 0);
                     Press(d, IDC_REMOVE_DELETE);  // the last entry
                     selected_after_last = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
                     Press(d, IDC_REMOVE_DELETE);
                     Press(d, IDC_REMOVE_DELETE);
                     delete_enabled_when_empty = IsWindowEnabled(GetDlgItem(d, IDC_REMOVE_DELETE));
                     Press(d, IDC_REMOVE_DELETE);  // nothing left: nothing happens
                   },
                   [](HWND d) { Press(d, IDCANCEL); }});
    TRemoveHdaItemDlg(owner_.Hwnd(), TString(u"Remove OPC Tags"), doc).DoModal();
  }
  EXPECT_EQ(entries,
            (std::vector<std::wstring>{L"<><Varnel.HdaSim.1>Waves/Sine 1s", L"<><Varnel.HdaSim.1>B",
                                       L"<plant7><Varnel.HdaSim.2>A>B",
                                       L"<plant7><Varnel.HdaSim.2>Waves/Ramp 1s"}));
  EXPECT_EQ(selected_after_last, 1) << "the new last entry";
  EXPECT_FALSE(delete_enabled_when_empty);
  EXPECT_EQ(doc.ItemCount(), 0u);
  EXPECT_TRUE(doc.Waves.empty());
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(DialogsInProcess, RemovalOfAnItemWithAnAngleBracketLeavesTheOtherItem) {
  TVarnelDoc doc;
  HdaServerDef server;
  server.ServerName = u"S";
  doc.FindOrAddConnection(server).ItemNames = {u"B", u"A>B"};
  {
    Script script({[](HWND d) {
                     SendMessageW(GetDlgItem(d, IDC_REMOVE_LIST), LB_SETCURSEL, 1, 0);
                     Press(d, IDC_REMOVE_DELETE);
                   },
                   [](HWND d) { Press(d, IDCANCEL); }});
    TRemoveHdaItemDlg(owner_.Hwnd(), TString(u"Remove OPC Tags"), doc).DoModal();
  }
  ASSERT_EQ(doc.Connections[0].ItemNames.size(), 1u);
  EXPECT_EQ(U16(doc.Connections[0].ItemNames[0]), u"B");
}

TEST_F(DialogsInProcess, OtherPeriodShowsTheTimesAndGivesThemBackInOrder) {
  double start = kNow - 3600000.0;
  double stop = kNow;
  std::wstring start_shown, stop_shown, label;
  {
    Script script({[&](HWND d) {
                     start_shown = Text(GetDlgItem(d, IDC_PERIOD_START));
                     stop_shown = Text(GetDlgItem(d, IDC_PERIOD_STOP));
                     label = Text(GetDlgItem(d, IDC_PERIOD_START_LABEL));
                     SetText(d, IDC_PERIOD_START, L"02/06/2021 00:00");
                     SetText(d, IDC_PERIOD_STOP, L"01/06/2021 12:00");
                   },
                   [](HWND d) { Press(d, IDOK); }});
    EXPECT_TRUE(AskOtherPeriod(owner_.Hwnd(), TString(u"Another period"), start, stop));
  }
  EXPECT_EQ(start_shown, L"15/06/2024 14:07:23.789");  // summer time
  EXPECT_EQ(stop_shown, L"15/06/2024 15:07:23.789");
  EXPECT_EQ(label, L"Start time:");
  EXPECT_EQ(start, 1622545200000.0);  // 01/06/2021 12:00 local, 11:00 UTC
  EXPECT_EQ(stop, 1622588400000.0);   // 02/06/2021 00:00 local

  // An empty stop is now; Cancel gives nothing back.
  {
    Script script({[](HWND d) {
                     SetText(d, IDC_PERIOD_START, L"25/12");
                     SetText(d, IDC_PERIOD_STOP, L"");
                   },
                   [](HWND d) { Press(d, IDOK); }});
    EXPECT_TRUE(AskOtherPeriod(owner_.Hwnd(), TString(u"Another period"), start, stop));
  }
  EXPECT_EQ(start, kNow);
  EXPECT_EQ(stop, CalendarDateToTime(2024, 12, 25));
  {
    Script script({[](HWND d) { SetText(d, IDC_PERIOD_START, L"01/01/2000"); },
                   [](HWND d) { Press(d, IDCANCEL); }});
    EXPECT_FALSE(AskOtherPeriod(owner_.Hwnd(), TString(u"Another period"), start, stop));
  }
  EXPECT_EQ(start, kNow);
}

TEST_F(DialogsInProcess, CalendarPicksADayAtMidnightOrClosesByItself) {
  std::wstring caption;
  {
    // The "..." beside the stop opens the calendar; the day picked shows at midnight.
    Script script({[](HWND d) { Press(d, IDC_PERIOD_PICK_STOP); },
                   [&](HWND) {
                     HWND calendar = FindWindowW(L"#32770", L"Choose the Stop Time");
                     ASSERT_NE(calendar, nullptr);
                     caption = Text(calendar);
                     SYSTEMTIME day{};
                     day.wYear = 2024;
                     day.wMonth = 2;
                     day.wDay = 29;
                     SendMessageW(GetDlgItem(calendar, IDC_DATE_CALENDAR), MCM_SETCURSEL, 0,
                                  reinterpret_cast<LPARAM>(&day));
                     Press(calendar, IDOK);
                   },
                   [&](HWND) {
                     HWND d = FindWindowW(L"#32770", L"Another period");
                     ASSERT_NE(d, nullptr);
                     caption += L"|" + Text(GetDlgItem(d, IDC_PERIOD_STOP));
                     Press(d, IDCANCEL);
                   }});
    double start = kNow, stop = kNow;
    AskOtherPeriod(owner_.Hwnd(), TString(u"Another period"), start, stop);
  }
  EXPECT_EQ(caption, L"Choose the Stop Time|29/02/2024 00:00:00.000");

  double result = 123;
  TDateTimeDlg calendar(TString(u"Choose the Start Time"), owner_.Hwnd(), &result);
  EXPECT_EQ(result, 0) << "cleared when made";
  calendar.SetAutoClose(300);
  EXPECT_EQ(calendar.DoModal(), 2);
  EXPECT_EQ(result, 0);
}

TEST_F(DialogsInProcess, FindKeepsAnEmptyTextOpenAndGivesTextOptionsAndHistory) {
  FindState state;
  state.Text = TString(u"old");
  state.History = {TString(u"old"), TString(u"older")};
  std::vector<std::wstring> offered;
  std::wstring shown, ok_text, caption;
  bool still_open = false;
  {
    Script script({[&](HWND d) {
                     caption = Text(d);
                     offered = ListTexts(GetDlgItem(d, IDC_FIND_TEXT), true);
                     shown = Text(GetDlgItem(d, IDC_FIND_TEXT));
                     ok_text = Text(GetDlgItem(d, IDOK));
                     SetText(d, IDC_FIND_TEXT, L"");
                     Press(d, IDOK);
                   },
                   [&](HWND d) {
                     still_open = IsWindowVisible(d) != FALSE;
                     SetText(d, IDC_FIND_TEXT, L"older");
                     CheckDlgButton(d, IDC_FIND_MATCH_CASE, BST_CHECKED);
                     CheckRadioButton(d, IDC_FIND_UP, IDC_FIND_DOWN, IDC_FIND_UP);
                     Press(d, IDOK);
                   }});
    EXPECT_TRUE(AskFindText(owner_.Hwnd(), state));
  }
  EXPECT_EQ(caption, L"Find");
  EXPECT_EQ(offered, (std::vector<std::wstring>{L"old", L"older"}));
  EXPECT_EQ(shown, L"old");
  EXPECT_EQ(ok_text, L"Search");
  EXPECT_TRUE(still_open) << "OK with an empty text closed the dialog";
  EXPECT_EQ(U16(state.Text), u"older");
  EXPECT_TRUE(state.MatchCase);
  EXPECT_FALSE(state.WholeWord);
  EXPECT_EQ(state.Direction, FindState::kUp);
  ASSERT_EQ(state.History.size(), 2u);
  EXPECT_EQ(U16(state.History[0]), u"older");

  // Cancel changes nothing; the French template in French; the options can be greyed.
  link_.language = 0;
  bool whole_word_enabled = true;
  {
    Script script({[&](HWND d) {
      caption = Text(d);
      whole_word_enabled = IsWindowEnabled(GetDlgItem(d, IDC_FIND_WHOLE_WORD));
      SetText(d, IDC_FIND_TEXT, L"new");
      Press(d, IDCANCEL);
    }});
    EXPECT_FALSE(AskFindText(owner_.Hwnd(), state, true));
  }
  EXPECT_EQ(caption, L"Rechercher");
  EXPECT_FALSE(whole_word_enabled);
  EXPECT_EQ(U16(state.Text), u"older");
  EXPECT_EQ(state.History.size(), 2u);
}

}  // namespace
}  // namespace dialogs
