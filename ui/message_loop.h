// The program's message loop: modeless dialogs get their keyboard first, then the MDI system
// keys, then the frame's accelerators; when no message waits, the frame's idle work runs once.
#pragma once

#include <windows.h>

#include <functional>

namespace ui {

class MdiFrame;

// Registers a modeless dialog so that its keyboard filter and then Tab and Enter work in it;
// unregistered when destroyed.
void AddModelessDialog(HWND dialog, std::function<bool(MSG&)> pretranslate);
void RemoveModelessDialog(HWND dialog);

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop(MdiFrame& frame, HACCEL accelerators);

}  // namespace ui
