// The one window base: the object pointer arrives with WM_NCCREATE (also through an MDI child's
// MDICREATESTRUCT), is kept as a window property, and one switch cracks the messages into typed
// handlers. Notifications from a child control are first offered to the wrapper of that control
// (reflection), so a control handles its own events. Unhandled messages go to DefaultProc, which
// frames and MDI children override.
#pragma once

#include <windows.h>

namespace ui {

struct WindowArgs {
  const wchar_t* class_name = nullptr;  // a class registered with RegisterWindowClass
  const wchar_t* title = L"";
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD ex_style = 0;
  int x = CW_USEDEFAULT;
  int y = CW_USEDEFAULT;
  int width = CW_USEDEFAULT;
  int height = CW_USEDEFAULT;
  HWND parent = nullptr;
  HMENU menu = nullptr;  // or the control identifier of a child window
};

struct WindowClassArgs {
  const wchar_t* name = nullptr;
  UINT style = CS_DBLCLKS;
  HICON icon = nullptr;
  HICON small_icon = nullptr;
  HCURSOR cursor = nullptr;     // the arrow when null
  HBRUSH background = nullptr;  // nothing erased when null
};

// Registers a class whose window procedure is the window base's; safe to call again.
bool RegisterWindowClass(const WindowClassArgs& args);

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  // Destroys the window if it still exists.
  virtual ~Window();

  // Creates the window for this object; false when CreateWindowEx failed.
  bool Create(const WindowArgs& args);
  // Wraps a window made elsewhere (a standard control), so reflection reaches this object.
  void Attach(HWND hwnd);
  HWND Hwnd() const { return hwnd_; }
  // The wrapper of a window, or null when the window has none.
  static Window* FromHandle(HWND hwnd);
  // Offers a notification of this control to its wrapper (its parent calls these).
  bool ReflectCommand(UINT code) { return OnReflectedCommand(code); }
  bool ReflectNotify(const NMHDR& header, LRESULT& result) {
    return OnReflectedNotify(header, result);
  }
  // The window procedure of every class registered through RegisterWindowClass.
  static WNDPROC ClassProcedure() { return &Proc; }

 protected:
  // The message switch; derived windows override the typed handlers, or this for messages the
  // switch does not crack. Returns the message's result.
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  virtual LRESULT DefaultProc(UINT message, WPARAM wparam, LPARAM lparam);

  // Typed handlers. Those returning bool answer whether they handled the message.
  virtual bool OnCreate(const CREATESTRUCTW&) { return true; }
  virtual void OnDestroy() {}
  virtual void OnSize(UINT /*type*/, int /*cx*/, int /*cy*/) {}
  virtual bool OnPaint() { return false; }
  virtual bool OnEraseBackground(HDC) { return false; }
  virtual bool OnCommand(UINT /*id*/, UINT /*code*/, HWND /*control*/) { return false; }
  virtual bool OnNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
  virtual bool OnTimer(UINT_PTR /*id*/) { return false; }
  virtual bool OnClose() { return false; }
  virtual bool OnGetMinMaxInfo(MINMAXINFO&) { return false; }
  virtual bool OnSetFocus(HWND /*previous*/) { return false; }
  // A notification of this control, reflected from its parent.
  virtual bool OnReflectedCommand(UINT /*code*/) { return false; }
  virtual bool OnReflectedNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
  // After WM_NCDESTROY, when the window is gone; a window that owns itself deletes itself here.
  virtual void OnFinalMessage() {}

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void Detach();

  HWND hwnd_ = nullptr;
  WNDPROC attached_proc_ = nullptr;  // the original procedure of an attached control
  bool attached_ = false;
};

}  // namespace ui
