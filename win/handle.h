// One move-only owner for every kind of Win32 handle; a traits class per kind says what an
// empty handle is and how to close one.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <memory>
#include <utility>

namespace win {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : handle_(h) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    // std::addressof: the overloaded & would close the source's handle.
    if (this != std::addressof(other)) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }
  Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
  void Reset(Handle h = Traits::Invalid()) {
    if (handle_ != Traits::Invalid()) Traits::Close(handle_);
    handle_ = h;
  }
  // For out-parameters: closes what is held and hands out the slot.
  Handle* operator&() {
    Reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { CloseHandle(h); }
};

struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { CloseHandle(h); }
};

struct RegKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { RegCloseKey(h); }
};

struct GdiObjectTraits {
  using Handle = HGDIOBJ;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
};

struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { GlobalFree(h); }
};

struct WindowsHookTraits {
  using Handle = HHOOK;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { UnhookWindowsHookEx(h); }
};

// Window handles, menus and memory DCs built for one use.
struct WindowTraits {
  using Handle = HWND;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DestroyWindow(h); }
};

struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DestroyMenu(h); }
};

struct DcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DeleteDC(h); }
};

struct PaletteTraits {
  using Handle = HPALETTE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
};

struct EnhMetaFileTraits {
  using Handle = HENHMETAFILE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DeleteEnhMetaFile(h); }
};

struct PrinterTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ClosePrinter(h); }
};

struct LocalMemoryTraits {
  using Handle = HLOCAL;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { LocalFree(h); }
};

// FindFirstFileW's search handle.
struct FindTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { FindClose(h); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueGlobalMemory = UniqueHandle<GlobalMemoryTraits>;
using UniqueWindowsHook = UniqueHandle<WindowsHookTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueDc = UniqueHandle<DcTraits>;
using UniquePalette = UniqueHandle<PaletteTraits>;
using UniqueEnhMetaFile = UniqueHandle<EnhMetaFileTraits>;
using UniquePrinter = UniqueHandle<PrinterTraits>;
using UniqueLocalMemory = UniqueHandle<LocalMemoryTraits>;
using UniqueFind = UniqueHandle<FindTraits>;

}  // namespace win
