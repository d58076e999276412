// Errors while no error callback is enabled: the library shows each in a modal message box with
// an OK button only, and the call that failed returns once the box is closed.
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "tests/ambrel/ambrel_test_support.h"
#include "tests/ambrel/fresh_library.h"

namespace ambrel_test {
namespace {

struct SeenBox {
  bool found = false;
  std::string caption;
  std::string text;
  std::vector<int> buttons;  // control ids of the visible buttons
};

HWND DialogOf(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(
      thread,
      [](HWND window, LPARAM param) -> BOOL {
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

std::vector<int> VisibleButtons(HWND box) {
  std::vector<int> ids;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM param) -> BOOL {
        char name[16] = {};
        GetClassNameA(child, name, sizeof name);
        if (std::string(name) == "Button" && IsWindowVisible(child)) {
          reinterpret_cast<std::vector<int>*>(param)->push_back(GetDlgCtrlID(child));
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&ids));
  return ids;
}

// Runs `call` on this thread while another thread waits for a message box of this thread,
// reads it and presses its OK button. `call` returns only when the box is gone.
template <typename Call>
SeenBox CloseTheBoxOf(Call call) {
  SeenBox seen;
  std::atomic<bool> returned{false};
  const DWORD thread = GetCurrentThreadId();
  std::thread closer([&] {
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (!returned && GetTickCount64() < deadline) {
      if (HWND box = DialogOf(thread)) {
        char caption[64] = {};
        char text[256] = {};
        GetWindowTextA(box, caption, sizeof caption);
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the text of every message box
        seen = {true, caption, text, VisibleButtons(box)};
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        return;
      }
      Sleep(20);
    }
  });
  call();
  returned = true;
  closer.join();
  return seen;
}

std::vector<Report> g_fresh_errors;
void __stdcall OnFreshError(HRESULT hr, const char* text) { g_fresh_errors.push_back({hr, text}); }

TEST(ErrorBox, ShowsTheErrorUntilTheUserClosesItThenTheCallbackTakesOver) {
  FreshLibrary fresh;
  ASSERT_TRUE(fresh.Loaded());
  AMBREL_SESSION session = 0;
  const SeenBox seen = CloseTheBoxOf([&] { session = fresh.connect("", "Varnel.NoSuchServer"); });
  EXPECT_EQ(session, AMBREL_NO_SESSION);
  ASSERT_TRUE(seen.found) << "no message box";
  EXPECT_EQ(seen.caption, "Ambrel");
  EXPECT_EQ(seen.text, "CLSIDFromProgID failed for Varnel.NoSuchServer\n");
  EXPECT_EQ(seen.buttons, std::vector<int>{IDOK});

  // Once a callback is enabled, the same failure goes there and no box appears.
  g_fresh_errors.clear();
  ASSERT_EQ(fresh.enable_errors(&OnFreshError), TRUE);
  const SeenBox none = CloseTheBoxOf([&] { session = fresh.connect("", "Varnel.NoSuchServer"); });
  EXPECT_EQ(session, AMBREL_NO_SESSION);
  EXPECT_FALSE(none.found);
  ASSERT_EQ(g_fresh_errors.size(), 1u);
  EXPECT_EQ(g_fresh_errors[0].text, "CLSIDFromProgID failed for Varnel.NoSuchServer\n");
  EXPECT_TRUE(fresh.Free());
}

}  // namespace
}  // namespace ambrel_test
