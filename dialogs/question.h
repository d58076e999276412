// TQuestion: the program's question box, a caption, a heading on white, a text and up to three
// answer buttons with icons, and an optional timeout that answers 2 like Esc. TInput adds one
// line of text to type.
#pragma once

#include <array>
#include <cstdint>

#include "dialogs/dialog.h"
#include "text/tstring.h"
#include "win/handle.h"

namespace dialogs {

inline constexpr std::uint16_t kQuestionTemplate = 10996;
inline constexpr std::uint16_t kInputTemplate = 10997;
inline constexpr int kAnswerIconBase = 11100;  // answer 1: icon 11100, answer 2: icon 11101

struct QuestionArgs {
  HWND owner = nullptr;
  std::int32_t timeout_ms = 0;  // 0: none; cut to one hour
  TString caption;
  TString heading;
  TString text;
  std::array<TString, 3> buttons;  // an empty text hides buttons 2 and 3
  std::array<std::int32_t, 3> answers{1, 2, 3};
  std::uint16_t template_id = kQuestionTemplate;
};

class TQuestion : public TDialog {
 public:
  explicit TQuestion(const QuestionArgs& args);
  // The answer of the button pressed, 2 for Esc and the timeout.
  INT_PTR Ask() { return DoModal(); }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnCancel() override;
  // Ends with the answer (TInput copies its text first).
  virtual void Answer(std::int32_t answer);

  std::int32_t timeout_ms_;
  QuestionArgs args_;

 private:
  void SetButton(int index, int control);

  win::UniqueGdiObject heading_brush_;
  std::array<HICON, 3> icons_{};
};

class TInput : public TQuestion {
 public:
  // The edit field shows `value` and gives its text back into it (at most 256 characters),
  // whichever way the box ends.
  TInput(HWND owner, std::int32_t timeout_ms, const TString& caption, const TString& heading,
         const TString& text, const TString& ok_text, TString* value);

 protected:
  bool OnInitDialog() override;
  void Answer(std::int32_t answer) override;

 private:
  void CopyText();
  TString* value_;
};

}  // namespace dialogs
