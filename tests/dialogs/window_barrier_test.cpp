// An exception thrown by a message handler never unwinds through the system's code that called
// the window procedure: the window base and the dialog base report it, with where it was caught,
// and answer the message as a failure.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "dialogs/dialog_ids.h"
#include "ui/dialog_window.h"
#include "ui/window.h"
#include "tests/win/report_capture.h"

namespace dialogs {
namespace {

constexpr UINT kThrowMessage = WM_APP + 7;

class ThrowingWindow : public ui::Window {
 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == kThrowMessage) throw std::runtime_error("handler failed");
    return ui::Window::HandleMessage(message, wparam, lparam);
  }
};

class ThrowingDialog : public ui::DialogWindow {
 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == kThrowMessage) throw std::runtime_error("dialog handler failed");
    return ui::DialogWindow::HandleMessage(message, wparam, lparam);
  }
};

TEST(WindowProcedures, AnExceptionOfAHandlerIsReportedAndTheMessageAnsweredAsAFailure) {
  ASSERT_TRUE(ui::RegisterWindowClass({.name = L"VarnelThrowingWindow"}));
  ThrowingWindow window;
  ASSERT_TRUE(window.Create({.class_name = L"VarnelThrowingWindow", .style = WS_POPUP}));
  {
    wintest::ReportCapture capture;
    EXPECT_EQ(SendMessageW(window.Hwnd(), kThrowMessage, 0, 0), 0);
    ASSERT_EQ(capture.Reports().size(), 1u);
    EXPECT_NE(capture.Reports()[0].find("window.cpp"), std::string::npos) << capture.Reports()[0];
  }
  // The window goes on answering.
  EXPECT_TRUE(IsWindow(window.Hwnd()));
  EXPECT_EQ(SendMessageW(window.Hwnd(), WM_NULL, 0, 0), 0);
  DestroyWindow(window.Hwnd());

  ThrowingDialog dialog;
  ASSERT_TRUE(dialog.CreateModeless(nullptr, IDD_QUESTION));
  {
    wintest::ReportCapture capture;
    EXPECT_EQ(SendMessageW(dialog.Hwnd(), kThrowMessage, 0, 0), 0);
    ASSERT_EQ(capture.Reports().size(), 1u);
    EXPECT_NE(capture.Reports()[0].find("dialog_window.cpp"), std::string::npos)
        << capture.Reports()[0];
  }
  DestroyWindow(dialog.Hwnd());
}

}  // namespace
}  // namespace dialogs
