#include "app/test_channel.h"

#include <cstdlib>
#include <string>

#include "app/child_frame.h"
#include "app/main_frame.h"
#include "ui/doc_manager.h"

namespace app {

namespace {

bool ChannelOpen() {
  static const bool open = [] {
    wchar_t value[8] = {};
    return GetEnvironmentVariableW(L"VARNEL_TEST_CHANNEL", value, 8) > 0 && value[0] == L'1';
  }();
  return open;
}

void DescribeMenu(HMENU menu, int depth, std::wstring& out) {
  for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 255;
    if (!GetMenuItemInfoW(menu, i, TRUE, &info)) continue;
    std::wstring flags;
    if (info.fState & MFS_GRAYED) flags += L'g';
    if (info.fState & MFS_CHECKED) flags += L'c';
    if (info.hSubMenu) flags += L'p';
    if (info.fType & MFT_SEPARATOR) flags += L's';
    out += std::to_wstring(depth) + L"|" + std::to_wstring(info.wID) + L"|" + flags + L"|" + text + L"\n";
    if (info.hSubMenu) DescribeMenu(info.hSubMenu, depth + 1, out);
  }
}

}  // namespace

class TTestChannel {
 public:
  static std::wstring Answer(TMainFrame& frame, const std::wstring& question) {
    std::wstring out;
    if (question == L"menu") {
      // Bring the greyed and checked states up to date, as a menu about to drop down would be.
      HMENU bar = GetMenu(frame.Hwnd());
      for (int i = 0, n = bar ? GetMenuItemCount(bar) : 0; i < n; ++i) {
        if (HMENU sub = GetSubMenu(bar, i)) {
          frame.OnMenuPopup(sub);
          frame.UpdateMenuItems(sub);
        }
      }
      if (bar) DescribeMenu(bar, 0, out);
    } else if (question == L"status") {
      for (int pane = 0; pane < 3; ++pane) out += frame.status_.Text(pane) + L"\n";
    } else if (question == L"documents") {
      for (const auto& d : frame.Documents().Documents()) {
        auto* doc = static_cast<views::VarnelDocument*>(d.get());
        out += doc->Title() + L"|" + doc->PathName() + L"|" + (doc->IsModified() ? L"1" : L"0") +
               L"|" + std::to_wstring(doc->Doc().Waves.size()) + L"|" +
               std::to_wstring(doc->Doc().ItemCount()) + L"\n";
      }
    } else if (question == L"draw-ms") {
      TChildFrame* child = frame.ActiveChildFrame();
      out = child ? std::to_wstring(child->GraphView().GraphPane().LastDrawMilliseconds()) : L"-1";
    } else {
      out = L"?";
    }
    return out;
  }
};

bool TestChannel(TMainFrame& frame, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  if (message != WM_COPYDATA || !ChannelOpen()) return false;
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
  if (!data || data->dwData != kTestChannelKind) return false;
  const std::wstring question(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
  const std::wstring answer = TTestChannel::Answer(frame, question);
  COPYDATASTRUCT reply{kTestChannelKind, static_cast<DWORD>((answer.size() + 1) * sizeof(wchar_t)),
                       const_cast<wchar_t*>(answer.c_str())};
  SendMessageW(reinterpret_cast<HWND>(wparam), WM_COPYDATA, reinterpret_cast<WPARAM>(frame.Hwnd()),
               reinterpret_cast<LPARAM>(&reply));
  result = TRUE;
  return true;
}

}  // namespace app
