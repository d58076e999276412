// /RegServer and /UnregServer: the classes, their ProgIDs, the AppID and the OPC HDA category.
#pragma once

#include <windows.h>

#include <string>

namespace hdasim {

// `exe_path` is the full path of hdasim.exe. The server-list class is registered only when no
// other program serves it already, and unregistered only when it points at us.
HRESULT RegisterServer(const std::wstring& exe_path);
HRESULT UnregisterServer();

// Whether the registered server-list class is served by hdasim.exe (any copy of it).
bool ServerListIsOurs();

}  // namespace hdasim
