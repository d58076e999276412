#include "ui/window.h"

#include "win/barrier.h"

namespace ui {

namespace {

constexpr wchar_t kWindowProperty[] = L"ui.Window";

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

// The creation parameter: for an MDI child it travels inside the MDICREATESTRUCT.
Window* CreationObject(const CREATESTRUCTW& create) {
  if (create.dwExStyle & WS_EX_MDICHILD) {
    const auto* mdi = static_cast<const MDICREATESTRUCTW*>(create.lpCreateParams);
    return mdi ? reinterpret_cast<Window*>(mdi->lParam) : nullptr;
  }
  return static_cast<Window*>(create.lpCreateParams);
}

}  // namespace

bool RegisterWindowClass(const WindowClassArgs& args) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(Instance(), args.name, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = args.style;
  wc.lpfnWndProc = Window::ClassProcedure();
  wc.hInstance = Instance();
  wc.hIcon = args.icon;
  wc.hIconSm = args.small_icon;
  wc.hCursor = args.cursor ? args.cursor : LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = args.background;
  wc.lpszClassName = args.name;
  return RegisterClassExW(&wc) != 0;
}

Window::~Window() {
  if (!hwnd_) return;
  if (attached_) {
    Detach();
  } else {
    DestroyWindow(hwnd_);
  }
}

Window* Window::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<Window*>(GetPropW(hwnd, kWindowProperty)) : nullptr;
}

bool Window::Create(const WindowArgs& args) {
  HWND created =
      CreateWindowExW(args.ex_style, args.class_name, args.title, args.style, args.x, args.y,
                      args.width, args.height, args.parent, args.menu, Instance(), this);
  return created != nullptr && hwnd_ == created;
}

void Window::Attach(HWND hwnd) {
  hwnd_ = hwnd;
  attached_ = true;
  SetPropW(hwnd, kWindowProperty, this);
  attached_proc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::Proc)));
}

void Window::Detach() {
  if (attached_proc_) {
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(attached_proc_));
  }
  RemovePropW(hwnd_, kWindowProperty);
  hwnd_ = nullptr;
  attached_proc_ = nullptr;
}

LRESULT Window::DefaultProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (attached_proc_) return CallWindowProcW(attached_proc_, hwnd_, message, wparam, lparam);
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      if (!OnCreate(*reinterpret_cast<const CREATESTRUCTW*>(lparam))) return -1;
      break;
    case WM_DESTROY:
      OnDestroy();
      break;
    case WM_SIZE:
      OnSize(static_cast<UINT>(wparam), LOWORD(lparam), HIWORD(lparam));
      break;
    case WM_PAINT:
      if (OnPaint()) return 0;
      break;
    case WM_ERASEBKGND:
      if (OnEraseBackground(reinterpret_cast<HDC>(wparam))) return 1;
      break;
    case WM_COMMAND: {
      const auto control = reinterpret_cast<HWND>(lparam);
      if (control) {
        Window* child = FromHandle(control);
        if (child && child != this && child->ReflectCommand(HIWORD(wparam))) return 0;
      }
      if (OnCommand(LOWORD(wparam), HIWORD(wparam), control)) return 0;
      break;
    }
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lparam);
      LRESULT result = 0;
      Window* child = FromHandle(header.hwndFrom);
      if (child && child != this && child->ReflectNotify(header, result)) return result;
      if (OnNotify(header, result)) return result;
      break;
    }
    case WM_TIMER:
      if (OnTimer(wparam)) return 0;
      break;
    case WM_CLOSE:
      if (OnClose()) return 0;
      break;
    case WM_GETMINMAXINFO:
      if (OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lparam))) return 0;
      break;
    case WM_SETFOCUS:
      if (OnSetFocus(reinterpret_cast<HWND>(wparam))) return 0;
      break;
    default:
      break;
  }
  return DefaultProc(message, wparam, lparam);
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Window* self = FromHandle(hwnd);
  if (!self && message == WM_NCCREATE) {
    self = CreationObject(*reinterpret_cast<const CREATESTRUCTW*>(lparam));
    if (self) SetPropW(hwnd, kWindowProperty, self);
  }
  if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
  if (!self->hwnd_) self->hwnd_ = hwnd;
  // No exception may unwind through the system's code that called us: it is reported here, and
  // the message answered 0 (for WM_NCCREATE: the window is not made).
  const LRESULT result = win::Barrier<LRESULT>(
      0, [&]() -> LRESULT { return self->HandleMessage(message, wparam, lparam); });
  if (message == WM_NCDESTROY) {
    RemovePropW(hwnd, kWindowProperty);
    self->hwnd_ = nullptr;
    self->attached_proc_ = nullptr;
    self->OnFinalMessage();  // may delete self
  }
  return result;
}

}  // namespace ui
