#include "app/varnel_app.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/core/shell_command.h"
#include "app/doc_template.h"
#include "app/export_command.h"
#include "app/library_errors.h"
#include "app/print_commands.h"
#include "app/resource.h"
#include "app/test_channel.h"
#include "app/user_directory.h"
#include "strings/command_ids.h"
#include "app_context/start_directory.h"
#include "document/log_entry.h"
#include "document/log_message.h"
#include "platform/wide.h"
#include "ui/mdi_child.h"
#include "ui/message_loop.h"
#include "views/print_job.h"
#include "views/printer_settings.h"
#include "views/varnel_view.h"

namespace app {

UINT PrinterChangedMessage() { return views::PrinterChangedMessage(); }

namespace {

// The program's arguments, without its name.
std::vector<std::u16string> CommandLineArguments() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::u16string> words;
  if (arguments) {
    for (int i = 1; i < count; ++i) words.emplace_back(platform::U16(arguments[i]));
    LocalFree(arguments);
  }
  return words;
}

}  // namespace

TVarnelApp::TVarnelApp() = default;

TVarnelApp::~TVarnelApp() {
  frame_.reset();
  documents_.reset();
  if (com_initialised_) CoUninitialize();
}

bool TVarnelApp::InitInstance(int show_command) {
  // 1. COM for this user-interface thread, and the process's security.
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return false;
  com_initialised_ = true;
  CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_NONE,
                       RPC_C_IMP_LEVEL_IDENTIFY, nullptr, EOAC_NONE, nullptr);
  RouteLibraryErrors();
  // 2. The common controls.
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES;
  InitCommonControlsEx(&controls);
  // 3. The start directory: where the program was started, or with /PerUser the user's own folder.
  std::wstring unusable_user_directory;
  if (ParseShellCommand(CommandLineArguments()).per_user)
    unusable_user_directory = EnterPerUserDirectory();
  SetStartDirectory(ReadCurrentDirectory());
  // 4-6. The profile's recent files, the printers, the document template.
  frame_ = std::make_unique<TMainFrame>();
  documents_ = MakeDocManager(*frame_);
  documents_->Recent().Load();
  views::CurrentPrinter().SelectDefault();
  views::TVarnelView::SendToAllViews(PrinterChangedMessage(), 0, 0);
  AddPrintCommands(*frame_);
  AddExportCommand(*frame_);
  frame_->SetDocuments(documents_.get());
  frame_->SetMessageFilter([this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    if (HandleWindowPrint(*frame_, message, wparam, lparam)) {
      result = 0;
      return true;
    }
    return TestChannel(*frame_, message, wparam, lparam, result);
  });
  frame_->AddFallbackTarget(this);
  frame_->AddFallbackTarget(documents_.get());
  documents_->SetActiveDocumentSource([this]() -> ui::Document* {
    ui::MdiChild* child = frame_->ActiveChild();
    return child ? child->GetDocument() : nullptr;
  });
  // 7. The main frame.
  if (!frame_->LoadFrame()) return false;
  if (!unusable_user_directory.empty()) {
    const std::u16string folder(unusable_user_directory.begin(), unusable_user_directory.end());
    LogMessage(kTypeOther, kLevelWarning, u"Can not use the folder ", folder.c_str(),
               u"; configuration and log are in ", StartDirectory().Str());
  }
  // The configured printer, once the configuration is loaded (the frame's creation step 9).
  SelectConfiguredPrinter(frame_->Config());
  documents_->SetOwner(frame_->Hwnd());
  accelerators_ = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
  // 8. The command line; 9. the window shown.
  switch (ProcessCommandLine()) {
    case StartRequest::Failed:
      DestroyWindow(frame_->Hwnd());
      return false;
    case StartRequest::Printed:
      // Closed through its closing steps; the message loop runs until they are done.
      PostMessageW(frame_->Hwnd(), WM_CLOSE, 0, 0);
      return true;
    case StartRequest::Run:
      break;
  }
  ShowWindow(frame_->Hwnd(), show_command);
  UpdateWindow(frame_->Hwnd());
  return true;
}

TVarnelApp::StartRequest TVarnelApp::ProcessCommandLine() {
  const TShellCommand command = ParseShellCommand(CommandLineArguments());
  const std::wstring file(command.file.begin(), command.file.end());
  switch (command.action) {
    case TShellAction::NewDocument:
      return documents_->NewDocument() ? StartRequest::Run : StartRequest::Failed;
    case TShellAction::Open:
      return documents_->OpenDocument(file) ? StartRequest::Run : StartRequest::Failed;
    case TShellAction::Print:
    case TShellAction::PrintTo:
      break;
  }
  // A shell request to print: the document is printed directly, on the named printer for a
  // print-to request, and the program ends without showing its window.
  if (!documents_->OpenDocument(file)) return StartRequest::Failed;
  if (command.action == TShellAction::PrintTo) {
    auto wide = [](const std::u16string& s) { return std::wstring(s.begin(), s.end()); };
    views::SetShellPrinter({wide(command.printer), wide(command.driver), wide(command.port)});
  }
  SendMessageW(frame_->Hwnd(), WM_COMMAND, ID_FILE_PRINT_DIRECT, 0);
  return StartRequest::Printed;
}

int TVarnelApp::Run(int show_command) {
  if (!InitInstance(show_command)) return 1;
  return ui::RunMessageLoop(*frame_, accelerators_);
}

}  // namespace app
