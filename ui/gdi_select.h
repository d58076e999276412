// GDI helpers next to the handle template: an owned device context and guards that select an
// object into a DC and put the previous one back when they go out of scope.
#pragma once

#include <windows.h>

#include <utility>

#include "win/handle.h"

namespace ui {

struct DcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DeleteDC(h); }
};
using UniqueDc = win::UniqueHandle<DcTraits>;

// Selects `object` into `dc` and restores the object it replaced. Move-only, so exactly one guard
// restores.
class SelectGuard {
 public:
  SelectGuard() = default;
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectGuard() { Restore(); }
  SelectGuard(SelectGuard&& other) noexcept
      : dc_(std::exchange(other.dc_, nullptr)), previous_(std::exchange(other.previous_, nullptr)) {}
  SelectGuard& operator=(SelectGuard&& other) noexcept {
    if (this != &other) {
      Restore();
      dc_ = std::exchange(other.dc_, nullptr);
      previous_ = std::exchange(other.previous_, nullptr);
    }
    return *this;
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

  // Puts the previous object back now; the guard is then empty.
  void Restore() {
    if (dc_ && previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    dc_ = nullptr;
    previous_ = nullptr;
  }
  HGDIOBJ Previous() const { return previous_; }

 private:
  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

}  // namespace ui
