// An owned menu handle (pop-up menus built for one use), destroyed with its owner.
#pragma once

#include <windows.h>

#include "win/handle.h"

namespace ui {

struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DestroyMenu(h); }
};
using UniqueMenu = win::UniqueHandle<MenuTraits>;

}  // namespace ui
