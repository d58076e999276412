// An exception thrown by a message handler never unwinds through the system's code that called
// the window procedure: the window base and the dialog base report it, with where it was caught,
// and answer the message as a failure.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "dialogs/dialog_ids.h"
#include "ui/dialog_window.h"
#include "ui/window.h"
#include "win/report.h"

namespace dialogs {
namespace {

constexpr UINT kThrowMessage = WM_APP + 7;

// What the window base reports while it lives.
class Reports {
 public:
  Reports() : previous_(win::SetReportSink(&Collect)) { Store().clear(); }
  ~Reports() { win::SetReportSink(previous_); }
  Reports(const Reports&) = delete;
  Reports& operator=(const Reports&) = delete;
  const std::vector<std::string>& Lines() const { return Store(); }

 private:
  static std::vector<std::string>& Store() {
    static std::vector<std::string> lines;
    return lines;
  }
  static void Collect(const char* text) { Store().push_back(text); }
  win::ReportSink previous_;
};

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
    Reports capture;
    EXPECT_EQ(SendMessageW(window.Hwnd(), kThrowMessage, 0, 0), 0);
    ASSERT_EQ(capture.Lines().size(), 1u);
    EXPECT_NE(capture.Lines()[0].find("window.cpp"), std::string::npos) << capture.Lines()[0];
  }
  // The window goes on answering.
  EXPECT_TRUE(IsWindow(window.Hwnd()));
  EXPECT_EQ(SendMessageW(window.Hwnd(), WM_NULL, 0, 0), 0);
  DestroyWindow(window.Hwnd());

  ThrowingDialog dialog;
  ASSERT_TRUE(dialog.CreateModeless(nullptr, IDD_QUESTION));
  {
    Reports capture;
    EXPECT_EQ(SendMessageW(dialog.Hwnd(), kThrowMessage, 0, 0), 0);
    ASSERT_EQ(capture.Lines().size(), 1u);
    EXPECT_NE(capture.Lines()[0].find("dialog_window.cpp"), std::string::npos)
        << capture.Lines()[0];
  }
  DestroyWindow(dialog.Hwnd());
}

}  // namespace
}  // namespace dialogs
