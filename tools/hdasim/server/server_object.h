// A COM object of the simulation server: the shared COM object base, and while it lives it keeps
// the server process running.
#pragma once

#include "tools/hdasim/server/module.h"
#include "win/com_object.h"

namespace hdasim {

template <typename... Interfaces>
class ServerObject : public win::ComObject<Interfaces...> {
 protected:
  ServerObject() { ServerModule::AddRef(); }
  ~ServerObject() override { ServerModule::Release(); }
};

}  // namespace hdasim
