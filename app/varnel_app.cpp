#include "app/varnel_app.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include "app/doc_template.h"
#include "app/print_commands.h"
#include "app/resource.h"
#include "app/test_channel.h"
#include "app_core/start_directory.h"
#include "ui/mdi_child.h"
#include "ui/message_loop.h"
#include "views/printer_settings.h"
#include "views/varnel_view.h"

namespace app {

UINT PrinterChangedMessage() { return views::PrinterChangedMessage(); }

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
  // 2. The common controls.
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES;
  InitCommonControlsEx(&controls);
  // 3. The start directory.
  SetStartDirectory(ReadCurrentDirectory());
  // 4-6. The profile's recent files, the printers, the document template.
  frame_ = std::make_unique<TMainFrame>();
  documents_ = MakeDocManager(*frame_);
  documents_->Recent().Load();
  views::CurrentPrinter().SelectDefault();
  views::TVarnelView::SendToAllViews(PrinterChangedMessage(), 0, 0);
  AddPrintCommands(*frame_);
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
  // The configured printer, once the configuration is loaded (the frame's creation step 9).
  SelectConfiguredPrinter(frame_->Config());
  documents_->SetOwner(frame_->Hwnd());
  accelerators_ = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
  // 8. The command line; 9. the window shown.
  if (!ProcessCommandLine()) {
    DestroyWindow(frame_->Hwnd());
    return false;
  }
  ShowWindow(frame_->Hwnd(), show_command);
  UpdateWindow(frame_->Hwnd());
  return true;
}

bool TVarnelApp::ProcessCommandLine() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::wstring file;
  if (arguments) {
    for (int i = 1; i < count; ++i) {
      const wchar_t* a = arguments[i];
      if (a[0] == L'/' || a[0] == L'-') continue;  // switches are the system's, not ours
      file = a;
      break;
    }
    LocalFree(arguments);
  }
  if (file.empty()) return documents_->NewDocument() != nullptr;
  return documents_->OpenDocument(file) != nullptr;
}

int TVarnelApp::Run(int show_command) {
  if (!InitInstance(show_command)) return 1;
  return ui::RunMessageLoop(*frame_, accelerators_);
}

}  // namespace app
