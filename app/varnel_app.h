// TVarnelApp: the program. Start-up (COM, common controls, start directory, profile, printer,
// document template, main frame, command line) and the message loop until the main frame closes.
#pragma once

#include <windows.h>

#include <memory>

#include "app/main_frame.h"
#include "ui/commands.h"
#include "ui/doc_manager.h"

namespace app {

class TVarnelApp : public ui::CommandTarget {
 public:
  TVarnelApp();
  ~TVarnelApp() override;
  // Runs the program; the exit code.
  int Run(int show_command);

 private:
  bool InitInstance(int show_command);
  bool ProcessCommandLine();

  bool com_initialised_ = false;
  std::unique_ptr<ui::DocManager> documents_;
  std::unique_ptr<TMainFrame> frame_;
  HACCEL accelerators_ = nullptr;
};

// "VarnelPrinterChanged", sent to the windows that show printable output.
UINT PrinterChangedMessage();

}  // namespace app
