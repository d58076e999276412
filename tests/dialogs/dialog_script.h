// What the in-process dialog tests share: an owner window that records the private messages
// dialogs send it, the dialog shown now, a script of steps run on it from a timer while the
// dialog's own loop runs, and key presses as the keyboard sends them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace dialogs {

// A hidden owner that records the private messages dialogs send it.
class Owner {
 public:
  Owner() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
      if (message >= WM_USER) Received().push_back({message, wparam, lparam});
      return DefWindowProcW(hwnd, message, wparam, lparam);
    };
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuestionTestOwner";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"owner", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300,
                            nullptr, nullptr, wc.hInstance, nullptr);
    Received().clear();
  }
  ~Owner() { DestroyWindow(hwnd_); }
  HWND Hwnd() const { return hwnd_; }
  struct Message {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
  };
  static std::vector<Message>& Received() {
    static std::vector<Message> received;
    return received;
  }

 private:
  HWND hwnd_;
};

// The dialog of this thread that is shown now, or null.
inline HWND ShownDialog() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM p) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(w, name, 16);
        if (std::wstring(name) == L"#32770" && IsWindowVisible(w)) {
          *reinterpret_cast<HWND*>(p) = w;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Runs the steps one after the other, 150 ms apart, on the dialog shown at that time.
class Script {
 public:
  explicit Script(std::vector<std::function<void(HWND)>> steps) {
    Steps() = std::move(steps);
    Next() = 0;
    timer_ = SetTimer(nullptr, 0, 150, [](HWND, UINT, UINT_PTR, DWORD) {
      if (Next() < Steps().size()) {
        if (HWND dialog = ShownDialog()) Steps()[Next()++](dialog);
      }
    });
  }
  ~Script() { KillTimer(nullptr, timer_); }
  static std::size_t& Next() {
    static std::size_t next = 0;
    return next;
  }
  static std::vector<std::function<void(HWND)>>& Steps() {
    static std::vector<std::function<void(HWND)>> steps;
    return steps;
  }

 private:
  UINT_PTR timer_;
};

// A key press as the keyboard sends it: repetition count 1, the key's scan code, and bit 30 set
// for a key that was already down.
inline void PressKey(HWND dialog, WPARAM key, UINT scan, bool already_down, bool system = false) {
  HWND target = GetFocus() ? GetFocus() : dialog;
  const LPARAM lparam = 1 | (static_cast<LPARAM>(scan) << 16) | (already_down ? (1L << 30) : 0);
  PostMessageW(target, system ? WM_SYSKEYDOWN : WM_KEYDOWN, key, lparam);
}

}  // namespace dialogs
