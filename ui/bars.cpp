#include "ui/bars.h"

#include <commctrl.h>

#include "ui/dpi.h"
#include "ui/gdi_select.h"

namespace ui {

ToolBar::~ToolBar() {
  if (images_) ImageList_Destroy(images_);
}

bool ToolBar::Create(const ToolBarArgs& args) {
  HWND hwnd = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                              WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                  CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                              0, 0, 0, 0, args.parent,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(args.id)),
                              GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return false;
  Attach(hwnd);
  buttons_ = args.buttons;
  SendMessageW(hwnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  const int size = ScaleForWindow(args.parent, args.image_size);
  images_ = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 0, 16);
  if (HBITMAP strip = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                      MAKEINTRESOURCEW(args.bitmap_resource),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))) {
    BITMAP info{};
    GetObjectW(strip, sizeof(info), &info);
    const int count = info.bmHeight > 0 ? info.bmWidth / info.bmHeight : 0;
    if (size == info.bmHeight) {
      ImageList_AddMasked(images_, strip, RGB(255, 0, 255));
    } else {
      // Scaled for the DPI, nearest neighbour keeps the pixel art crisp.
      WindowDc screen(nullptr);
      win::UniqueDc from(CreateCompatibleDC(screen.Get()));
      win::UniqueDc to(CreateCompatibleDC(screen.Get()));
      win::UniqueGdiObject scaled(CreateCompatibleBitmap(screen.Get(), size * count, size));
      {
        SelectGuard a(from.Get(), strip), b(to.Get(), scaled.Get());
        SetStretchBltMode(to.Get(), COLORONCOLOR);
        StretchBlt(to.Get(), 0, 0, size * count, size, from.Get(), 0, 0, info.bmWidth,
                   info.bmHeight, SRCCOPY);
      }
      ImageList_AddMasked(images_, static_cast<HBITMAP>(scaled.Get()), RGB(255, 0, 255));
    }
    DeleteObject(strip);
  }
  SendMessageW(hwnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
  std::vector<TBBUTTON> tb;
  int image = 0;
  for (UINT id : buttons_) {
    TBBUTTON b{};
    if (id == 0) {
      b.fsStyle = BTNS_SEP;
    } else {
      b.iBitmap = image++;
      b.idCommand = static_cast<int>(id);
      b.fsState = TBSTATE_ENABLED;
      b.fsStyle = BTNS_BUTTON;
    }
    tb.push_back(b);
  }
  SendMessageW(hwnd, TB_ADDBUTTONSW, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
  SendMessageW(hwnd, TB_AUTOSIZE, 0, 0);
  return true;
}

SIZE ToolBar::IdealSize() const {
  SIZE size{};
  SendMessageW(Hwnd(), TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
  return size;
}

void ToolBar::UpdateButtons(const CommandChain& chain) {
  for (UINT id : buttons_) {
    if (id == 0) continue;
    CommandState state{id};
    chain.Update(state);
    const LRESULT old = SendMessageW(Hwnd(), TB_GETSTATE, id, 0);
    LRESULT now = old & ~(TBSTATE_ENABLED | TBSTATE_CHECKED);
    if (state.enabled) now |= TBSTATE_ENABLED;
    if (state.checked) now |= TBSTATE_CHECKED;
    if (now != old) SendMessageW(Hwnd(), TB_SETSTATE, id, MAKELPARAM(now, 0));
  }
}

bool StatusBar::Create(HWND parent, UINT id) {
  // Each pane's text is its tip too: the bar shows it when the pane is too narrow for the text (a
  // long notice at a high DPI, a narrow window).
  HWND hwnd = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr,
                              WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | SBT_TOOLTIPS, 0, 0, 0, 0,
                              parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return false;
  Attach(hwnd);
  return true;
}

void StatusBar::SetPaneWidths(const std::vector<int>& fixed_widths) {
  fixed_widths_ = fixed_widths;
  Relayout();
}

void StatusBar::Relayout() {
  if (!Hwnd()) return;
  SendMessageW(Hwnd(), WM_SIZE, 0, 0);
  RECT r;
  GetClientRect(Hwnd(), &r);
  const int grip = GetSystemMetrics(SM_CXVSCROLL);
  std::vector<int> rights(fixed_widths_.size() + 1);
  int right = r.right - grip;
  for (std::size_t i = fixed_widths_.size(); i > 0; --i) {
    rights[i] = right;
    right -= fixed_widths_[i - 1];
  }
  rights[0] = right;
  rights.back() = -1;  // the last pane runs to the grip
  SendMessageW(Hwnd(), SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
}

void SetStatusText(HWND bar, int pane, const std::wstring& text) {
  SendMessageW(bar, SB_SETTEXTW, pane, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageW(bar, SB_SETTIPTEXTW, pane, reinterpret_cast<LPARAM>(text.c_str()));
}

void StatusBar::SetText(int pane, const std::wstring& text) { SetStatusText(Hwnd(), pane, text); }

std::wstring StatusBar::Tip(int pane) const {
  wchar_t tip[512] = {};
  SendMessageW(Hwnd(), SB_GETTIPTEXTW, MAKEWPARAM(pane, 512), reinterpret_cast<LPARAM>(tip));
  return tip;
}

std::wstring StatusBar::Text(int pane) const {
  const auto length = LOWORD(SendMessageW(Hwnd(), SB_GETTEXTLENGTHW, pane, 0));
  std::wstring text(length + 1, L'\0');
  SendMessageW(Hwnd(), SB_GETTEXTW, pane, reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return text;
}

int StatusBar::Height() const {
  RECT r{};
  if (Hwnd()) GetWindowRect(Hwnd(), &r);
  return r.bottom - r.top;
}

int StatusBar::TextWidth(const wchar_t* text) const {
  WindowDc dc(Hwnd());
  SIZE size{};
  SelectGuard font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(Hwnd(), WM_GETFONT, 0, 0)));
  GetTextExtentPoint32W(dc.Get(), text, lstrlenW(text), &size);
  return size.cx;
}

}  // namespace ui
