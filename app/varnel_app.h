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
  // What the command line asked for: the program runs, or a print request was carried out and
  // the program ends, or the document could not be made or opened.
  enum class StartRequest { Run, Printed, Failed };

  bool InitInstance(int show_command);
  StartRequest ProcessCommandLine();

  bool com_initialised_ = false;
  std::unique_ptr<ui::DocManager> documents_;
  std::unique_ptr<TMainFrame> frame_;
  HACCEL accelerators_ = nullptr;
};

// "VarnelPrinterChanged", sent to the windows that show printable output.
UINT PrinterChangedMessage();

}  // namespace app
