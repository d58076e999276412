#include "dialogs/question.h"

#include "app_context/main_frame_text.h"
#include "dialogs/core/dialog_placement.h"
#include "dialogs/dialog_ids.h"
#include "dialogs/dialog_text.h"
#include "strings/string_ids.h"
#include "text/assert_report.h"
#include "ui/dpi.h"

namespace dialogs {

namespace {

constexpr UINT_PTR kTimeoutTimer = 1;
constexpr int kButtonIds[3] = {IDC_QUESTION_BUTTON1, IDC_QUESTION_BUTTON2, IDC_QUESTION_BUTTON3};

}  // namespace

TQuestion::TQuestion(const QuestionArgs& args)
    : TDialog(args.owner, args.template_id, nullptr),
      timeout_ms_(ClampQuestionTimeout(args.timeout_ms)),
      args_(args) {
  const bool esc_is_an_answer =
      args.answers[0] == 2 || args.answers[1] == 2 || args.answers[2] == 2;
  if (!esc_is_an_answer) {
    AssertReport(u"Warning : pressing the Esc key will return IDCANCEL", "Question", false);
  }
}

void TQuestion::SetButton(int index, int control) {
  HWND button = Item(control);
  if (!button) return;
  const std::int32_t answer = args_.answers[index];
  const int icon_id = answer == 1 ? kAnswerIconBase : answer == 2 ? kAnswerIconBase + 1 : answer;
  icons_[index] = ui::LoadSmallIcon(Hwnd(), icon_id);
  if (icons_[index])
    SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icons_[index]));
}

bool TQuestion::OnInitDialog() {
  TDialog::OnInitDialog();
  SetWindowTextW(Hwnd(), W(args_.caption));
  SetItemText(IDC_QUESTION_HEADING, W(args_.heading));
  SetItemText(IDC_QUESTION_TEXT, W(args_.text));
  heading_brush_.Reset(CreateSolidBrush(RGB(255, 255, 255)));
  // The first button keeps the template's text when it is given none; "Close" then goes into
  // the second, which its own text replaces.
  if (args_.buttons[0].Length() > 0) {
    SetItemText(kButtonIds[0], W(args_.buttons[0]));
  } else {
    SetItemText(kButtonIds[1], W(TString(RString(IDS_CLOSE))));
  }
  SetButton(0, kButtonIds[0]);
  for (int i = 1; i < 3; ++i) {
    if (args_.buttons[i].Length() > 0) {
      SetItemText(kButtonIds[i], W(args_.buttons[i]));
      SetButton(i, kButtonIds[i]);
      ShowWindow(Item(kButtonIds[i]), SW_SHOW);
    } else {
      ShowWindow(Item(kButtonIds[i]), SW_HIDE);
    }
  }
  if (timeout_ms_ > 0) SetTimer(Hwnd(), kTimeoutTimer, static_cast<UINT>(timeout_ms_), nullptr);
  SetFocus(Item(kButtonIds[0]));
  return false;  // the focus is set
}

void TQuestion::Answer(std::int32_t answer) {
  KillTimer(Hwnd(), kTimeoutTimer);
  Finish(answer);
}

void TQuestion::OnCancel() { Answer(2); }

bool TQuestion::OnCommand(UINT id, UINT code, HWND control) {
  for (int i = 0; i < 3; ++i) {
    if (static_cast<int>(id) == kButtonIds[i] && code == BN_CLICKED) {
      Answer(args_.answers[i]);
      return true;
    }
  }
  if (id == IDOK) {  // Enter on a box whose focus is not on a button
    Answer(args_.answers[0]);
    return true;
  }
  return TDialog::OnCommand(id, code, control);
}

INT_PTR TQuestion::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      if (wparam == kTimeoutTimer) {
        Answer(2);
        return TRUE;
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lparam) == Item(IDC_QUESTION_HEADING)) {
        const auto dc = reinterpret_cast<HDC>(wparam);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<INT_PTR>(heading_brush_.Get());
      }
      break;
    default:
      break;
  }
  return TDialog::HandleMessage(message, wparam, lparam);
}

TInput::TInput(HWND owner, std::int32_t timeout_ms, const TString& caption, const TString& heading,
               const TString& text, const TString& ok_text, TString* value)
    : TQuestion(QuestionArgs{.owner = owner,
                             .timeout_ms = timeout_ms,
                             .caption = caption,
                             .heading = heading,
                             .text = text,
                             .buttons = {ok_text, TString(), TString()},
                             .answers = {1, 2, 3},
                             .template_id = kInputTemplate}),
      value_(value) {}

bool TInput::OnInitDialog() {
  TQuestion::OnInitDialog();
  ShowWindow(Item(IDC_QUESTION_BUTTON2), SW_HIDE);
  ShowWindow(Item(IDC_QUESTION_BUTTON3), SW_HIDE);
  HWND edit = Item(IDC_INPUT_EDIT);
  SendMessageW(edit, EM_LIMITTEXT, kMaxFieldUnits, 0);
  if (value_) SetWindowTextW(edit, W(*value_));
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SetFocus(edit);
  return false;
}

void TInput::CopyText() {
  if (value_) *value_ = FieldText(Item(IDC_INPUT_EDIT));
}

void TInput::Answer(std::int32_t answer) {
  CopyText();
  TQuestion::Answer(answer);
}

}  // namespace dialogs
