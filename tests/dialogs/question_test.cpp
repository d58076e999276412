// The question and input boxes and the dialog base run in this process: each case starts a box
// modally and acts on it from a timer, as a user would, then checks what the box answered.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/dialog.h"
#include "dialogs/dialog_ids.h"
#include "dialogs/question.h"
#include "tests/dialogs/dialog_script.h"
#include "text/assert_report.h"

namespace dialogs {
namespace {

QuestionArgs YesNo(HWND owner) {
  return {.owner = owner,
          .caption = u"Warning:",
          .heading = u"Discard changes?",
          .text = u"Some changes have been detected.",
          .buttons = {u"Yes", u"No", TString()},
          .answers = {1, 2, 3}};
}

TEST(Question, AnswersByButtonEscAndTimeout) {
  Owner owner;
  struct Case {
    const char* what;
    std::int32_t timeout;
    std::function<void(HWND)> act;
    INT_PTR expected;
  };
  const Case cases[] = {
      {"first button", 0,
       [](HWND d) { SendMessageW(GetDlgItem(d, IDC_QUESTION_BUTTON1), BM_CLICK, 0, 0); }, 1},
      {"second button", 0,
       [](HWND d) { SendMessageW(GetDlgItem(d, IDC_QUESTION_BUTTON2), BM_CLICK, 0, 0); }, 2},
      {"Esc", 0, [](HWND d) { PressKey(d, VK_ESCAPE, 1, false); }, 2},
      {"Alt+F4", 0, [](HWND d) { PressKey(d, VK_F4, 0x3E, false, true); }, 2},
      {"timeout", 300, [](HWND) {}, 2},
  };
  for (const Case& c : cases) {
    QuestionArgs args = YesNo(owner.Hwnd());
    args.timeout_ms = c.timeout;
    TQuestion timed(args);
    Script script({c.act});
    EXPECT_EQ(timed.Ask(), c.expected) << c.what;
  }
}

TEST(Question, HeldDownEscIsIgnoredUntilAFreshPress) {
  Owner owner;
  TQuestion question(YesNo(owner.Hwnd()));
  bool still_open_after_repeat = false;
  Script script({[](HWND d) { PressKey(d, VK_ESCAPE, 1, true); },
                 [&](HWND d) { still_open_after_repeat = IsWindowVisible(d) != FALSE; },
                 [](HWND d) { PressKey(d, VK_ESCAPE, 1, false); }});
  EXPECT_EQ(question.Ask(), 2);
  EXPECT_TRUE(still_open_after_repeat);
}

TEST(Question, ShowsItsTextsAndOnlyTheButtonsThatHaveOne) {
  Owner owner;
  TQuestion question(YesNo(owner.Hwnd()));
  std::wstring caption, heading, first, second;
  bool third_hidden = false;
  HWND focus_button = nullptr;
  Script script({[&](HWND d) {
    wchar_t text[256];
    GetWindowTextW(d, text, 256);
    caption = text;
    GetDlgItemTextW(d, IDC_QUESTION_HEADING, text, 256);
    heading = text;
    GetDlgItemTextW(d, IDC_QUESTION_BUTTON1, text, 256);
    first = text;
    GetDlgItemTextW(d, IDC_QUESTION_BUTTON2, text, 256);
    second = text;
    third_hidden = !IsWindowVisible(GetDlgItem(d, IDC_QUESTION_BUTTON3));
    focus_button = GetDlgItem(d, IDC_QUESTION_BUTTON1);
    focus_button = GetFocus() == focus_button ? focus_button : nullptr;
    SendMessageW(GetDlgItem(d, IDC_QUESTION_BUTTON2), BM_CLICK, 0, 0);
  }});
  question.Ask();
  EXPECT_EQ(caption, L"Warning:");
  EXPECT_EQ(heading, L"Discard changes?");
  EXPECT_EQ(first, L"Yes");
  EXPECT_EQ(second, L"No");
  EXPECT_TRUE(third_hidden);
  EXPECT_NE(focus_button, nullptr) << "the focus is not on the first button";
}

TEST(Question, WithoutAnAnswerTwoItReportsThatEscStillAnswersTwo) {
  static std::vector<std::u16string> reports;
  reports.clear();
  const AssertSink previous =
      SetAssertSink([](const char16_t* line) { reports.emplace_back(line); });
  Owner owner;
  QuestionArgs args = YesNo(owner.Hwnd());
  args.answers = {1, 3, 4};
  TQuestion question(args);
  SetAssertSink(previous);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find(u"Warning : pressing the Esc key will return IDCANCEL"),
            std::u16string::npos);
}

TEST(Input, GivesTheTypedTextBackWhicheverWayItEnds) {
  Owner owner;
  for (bool by_esc : {false, true}) {
    TString value = u"old";
    TInput input(owner.Hwnd(), 0, u"Machine", u"Enter a machine name", u"", u"OK", &value);
    std::wstring shown;
    Script script({[&](HWND d) {
      wchar_t text[64];
      GetDlgItemTextW(d, IDC_INPUT_EDIT, text, 64);
      shown = text;
      SetDlgItemTextW(d, IDC_INPUT_EDIT, L"PLANT-07");
      if (by_esc) {
        PressKey(d, VK_ESCAPE, 1, false);
      } else {
        SendMessageW(GetDlgItem(d, IDC_QUESTION_BUTTON1), BM_CLICK, 0, 0);
      }
    }});
    EXPECT_EQ(input.Ask(), by_esc ? 2 : 1);
    EXPECT_EQ(shown, L"old");
    EXPECT_TRUE(value == TString(u"PLANT-07")) << "ended by Esc: " << by_esc;
  }
}

// A plain dialog on the question template, remembering its rectangle.
class PlainDialog : public TDialog {
 public:
  PlainDialog(HWND owner, TRect* remembered) : TDialog(owner, IDD_QUESTION, remembered) {}
};

TEST(Dialog, OpensInsideTheScreenAndStoresWhereItWasOnOk) {
  Owner owner;
  const int screen_width = GetSystemMetrics(SM_CXSCREEN);
  TRect remembered{screen_width - 100, 200, screen_width + 300, 400};  // partly off the right edge
  PlainDialog dialog(owner.Hwnd(), &remembered);
  RECT shown{};
  Script script({[&](HWND d) {
                   GetWindowRect(d, &shown);
                   SetWindowPos(d, nullptr, 120, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                 },
                 [](HWND d) { PostMessageW(d, WM_COMMAND, IDOK, 0); }});
  EXPECT_EQ(dialog.DoModal(), 1);
  EXPECT_LE(shown.right, screen_width) << "not shifted onto the screen";
  EXPECT_EQ(shown.top, 200);
  EXPECT_EQ(remembered.left, 120);
  EXPECT_EQ(remembered.top, 130);
}

TEST(Dialog, CarriesTheFileMenuAndTellsTheOwnerOfCtrlTab) {
  Owner owner;
  PlainDialog dialog(owner.Hwnd(), nullptr);
  dialog.SetUserData(77);
  UINT save_state = 0;
  int items = 0;
  Script script({[&](HWND d) {
                   HMENU file = GetSubMenu(GetMenu(d), 0);
                   items = GetMenuItemCount(file);
                   save_state = GetMenuState(file, 57603, MF_BYCOMMAND);
                   BYTE keys[256] = {};
                   GetKeyboardState(keys);
                   keys[VK_CONTROL] = 0x80;
                   SetKeyboardState(keys);
                   PressKey(d, VK_TAB, 0x0F, false);
                 },
                 [](HWND d) {
                   BYTE keys[256] = {};
                   GetKeyboardState(keys);
                   keys[VK_CONTROL] = 0;
                   SetKeyboardState(keys);
                   PressKey(d, VK_ESCAPE, 1, false);
                 }});
  Owner::Received().clear();
  EXPECT_EQ(dialog.DoModal(), 2);
  EXPECT_GE(items, 4);
  EXPECT_TRUE(save_state & MF_GRAYED) << "Save is greyed in the dialogs' File menu";
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  bool told = false;
  for (const auto& m : Owner::Received()) {
    if (m.message == kDialogCtrlTabMessage && m.wparam == IDD_QUESTION && m.lparam == 77)
      told = true;
  }
  EXPECT_TRUE(told) << "Ctrl+Tab did not post 1030 with the template id and the user data";
}

TEST(Dialog, NullOwnerIsReported) {
  static std::vector<std::u16string> reports;
  reports.clear();
  const AssertSink previous =
      SetAssertSink([](const char16_t* line) { reports.emplace_back(line); });
  { PlainDialog dialog(nullptr, nullptr); }
  SetAssertSink(previous);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find(u"NULL parent in TDialog()"), std::u16string::npos);
}

}  // namespace
}  // namespace dialogs
