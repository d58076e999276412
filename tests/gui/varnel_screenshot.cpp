// Shows a document in Varnel.exe for a screenshot taken from outside: starts the program in a
// start directory with the document, maximises the main window and the document window, waits for
// the graph to be painted, touches <ready>, waits for <done>, then closes the program (answering
// No when it asks to save the document).
// Usage: varnel_screenshot <start-dir> <document.xml> <ready-file> <done-file>
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/gui/varnel_driver.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 5) {
    std::fwprintf(stderr, L"usage: varnel_screenshot <start-dir> <document.xml> <ready> <done>\n");
    return 2;
  }
  gui::VarnelProcess program(argv[1], L"\"" + std::wstring(argv[2]) + L"\"");
  if (!program.Start() || !program.WaitMainWindow()) {
    std::fwprintf(stderr, L"varnel_screenshot: Varnel.exe did not show its main window\n");
    return 1;
  }
  ShowWindow(program.MainWindow(), SW_MAXIMIZE);
  HWND child = nullptr;
  gui::WaitUntil([&] {
    return (child = gui::FindDescendant(program.MainWindow(), L"VarnelMdiChild")) != nullptr;
  });
  if (child) PostMessageW(child, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  gui::WaitUntil([&] { return std::stod(program.Ask(L"draw-ms") + L"0") > 0; }, 20000);
  Sleep(1500);  // the repaint after maximising
  gui::WriteBytes(argv[3], "ready\n");
  gui::WaitUntil([&] { return gui::FileExists(argv[4]); }, 120000);
  PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
  if (HWND ask = program.WaitWindow(L"Varnel", 5000)) gui::Click(GetDlgItem(ask, IDNO));
  const long code = program.WaitExit();
  if (code != 0) std::fwprintf(stderr, L"varnel_screenshot: Varnel.exe ended with %ld\n", code);
  return code == 0 ? 0 : 1;
}
