// Drives Varnel.exe as a user would: starts it in a start directory of its own, finds its
// windows, sends commands and keys, presses dialog buttons, reads texts, and asks the program's
// test channel what another process cannot read (menus, status panes, documents).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace gui {

class VarnelProcess {
 public:
  // The program beside this test program, or the one at `program_path` (an installed copy),
  // started in `start_dir` with the arguments.
  VarnelProcess(std::wstring start_dir, std::wstring arguments = L"",
                std::wstring program_path = L"");
  // Ends the program if it still runs.
  ~VarnelProcess();
  VarnelProcess(const VarnelProcess&) = delete;
  VarnelProcess& operator=(const VarnelProcess&) = delete;

  bool Start();
  // Why the last Start failed (CreateProcessW's error), 0 when it did not.
  DWORD StartError() const { return start_error_; }
  // The main window once it is shown and the program waits for input; null after the timeout.
  HWND WaitMainWindow(DWORD timeout_ms = 30000);
  HWND MainWindow() const { return main_; }
  // The answer of the test channel to a question ("menu", "status", "documents", "draw-ms").
  std::wstring Ask(const std::wstring& question) const;
  // A command as from the menu (posted: the program may open a modal window for it).
  void Command(UINT id) const;
  // A visible dialog (message box, dialog, property sheet) of the program with that title, or
  // null after the timeout.
  HWND WaitWindow(const std::wstring& title, DWORD timeout_ms = 15000) const;
  // Whether the window is gone within the timeout.
  static bool WaitGone(HWND window, DWORD timeout_ms = 15000);
  // Waits for the program to end; its exit code, or -1 when it still runs after the timeout.
  long WaitExit(DWORD timeout_ms = 30000);
  bool Running() const;
  DWORD ProcessId() const { return info_.dwProcessId; }

  // Every visible top-level window of the program.
  std::vector<HWND> TopWindows() const;
  // The program's pop-up menu while one is open (class #32768), or null after the timeout.
  HWND WaitPopupMenu(DWORD timeout_ms = 10000) const;

 private:
  std::wstring start_dir_;
  std::wstring arguments_;
  std::wstring program_path_;
  PROCESS_INFORMATION info_{};
  DWORD start_error_ = 0;
  HWND main_ = nullptr;
};

// Text of a window or control (works across processes).
std::wstring WindowText(HWND window);
// ASCII of a text for messages, "?" for the rest.
std::string Narrow(const std::wstring& text);
// The first descendant window of that class (and text, when given).
HWND FindDescendant(HWND parent, const std::wstring& class_name, const std::wstring& text = L"");
// Clicks a button of another process.
void Click(HWND button);
// Mouse buttons pressed and released at a point of a window's client area (posted), with the
// key flags (MK_SHIFT, MK_CONTROL) held.
void LeftClickAt(HWND window, POINT point, WPARAM keys = 0);
void RightClickAt(HWND window, POINT point);
// Keys pressed and released in a window (posted), one after the other.
void PressKeys(HWND window, const std::vector<UINT>& keys);
// Polls until the condition holds or the timeout passes.
template <typename F>
bool WaitUntil(F condition, DWORD timeout_ms = 10000) {
  const ULONGLONG end = GetTickCount64() + timeout_ms;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() > end) return false;
    Sleep(50);
  }
}

// Opens the clipboard for this thread, trying until the timeout: the program that just copied
// may still hold it open (it puts the formats, then closes it), and under Wine the bridge to the
// X display takes its look at a new copy.
inline bool OpenClipboardWithin(DWORD timeout_ms = 5000) {
  return WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, timeout_ms);
}

// A fresh empty directory for one run (under the temporary folder), removed by the caller; says on
// standard error when it cannot be made.
std::wstring MakeRunDirectory(const std::wstring& name);
// Removes the directory and what it holds; says on standard error when something is left.
void RemoveRunDirectory(const std::wstring& dir);
// The whole file as bytes, or empty when it cannot be read.
std::string ReadBytes(const std::wstring& path);
// A UTF-16 file with its byte-order mark, as text without the mark ("" when not UTF-16).
std::wstring ReadUtf16(const std::wstring& path);
// Writes the file whole; says on standard error when it cannot.
void WriteBytes(const std::wstring& path, const std::string& bytes);
void WriteUtf16(const std::wstring& path, const std::wstring& text);
bool FileExists(const std::wstring& path);

}  // namespace gui
