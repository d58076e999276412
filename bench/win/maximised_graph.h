// The benchmarks' way to show a document as an operator works with it: the main window at
// 1600 x 900, the document window maximised, its first drawing and the repaint after maximising
// done.
#pragma once

#include <windows.h>

#include <string>

#include "tests/gui/varnel_driver.h"

namespace bench {

// The graph window of the started program's document; null when it did not appear in 30 s.
inline HWND MaximisedGraph(gui::VarnelProcess& program) {
  SetWindowPos(program.MainWindow(), nullptr, 0, 0, 1600, 900, SWP_NOZORDER);
  HWND child = nullptr;
  gui::WaitUntil(
      [&] {
        return (child = gui::FindDescendant(program.MainWindow(), L"VarnelMdiChild")) != nullptr;
      },
      30000);
  if (child) PostMessageW(child, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  HWND graph = nullptr;
  gui::WaitUntil(
      [&] { return (graph = gui::FindDescendant(program.MainWindow(), L"TGraph")) != nullptr; },
      30000);
  gui::WaitUntil([&] { return std::stod(program.Ask(L"draw-ms") + L"0") > 0; }, 30000);
  Sleep(1000);  // the repaint after maximising
  return graph;
}

}  // namespace bench
