// hdasim.exe: /RegServer, /UnregServer, or -Embedding when COM starts it.
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <string>

#include "tools/hdasim/server/local_server.h"
#include "tools/hdasim/server/registration.h"
#include "win/apartment.h"
#include "win/barrier.h"

namespace {

bool IsSwitch(const wchar_t* arg, const wchar_t* name) {
  return (arg[0] == L'/' || arg[0] == L'-') && _wcsicmp(arg + 1, name) == 0;
}

int Register(bool add) {
  HRESULT hr = E_FAIL;
  {
    const win::Apartment apartment(COINIT_APARTMENTTHREADED);
    if (!apartment) return 1;
    wchar_t path[MAX_PATH] = {};
    if (GetModuleFileNameW(nullptr, path, MAX_PATH) > 0)
      hr = add ? hdasim::RegisterServer(path) : hdasim::UnregisterServer();
  }
  if (FAILED(hr))
    std::fwprintf(stderr, L"hdasim: %ls failed (0x%08lX)\n",
                  add ? L"registration" : L"unregistration", static_cast<unsigned long>(hr));
  return FAILED(hr) ? 1 : 0;
}

// COM under Wine starts a local server in its client's current directory, which the server would
// then hold (the folder cannot be removed) for as long as it runs; Windows starts it in the system
// folder, and so the server moves there.
void LeaveTheLaunchDirectory() {
  wchar_t system[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH || !SetCurrentDirectoryW(system))
    std::fwprintf(stderr, L"hdasim: cannot move to the system folder (error %lu)\n",
                  GetLastError());
}

int Run(int argc, wchar_t** argv) {
  for (int i = 1; i < argc; ++i) {
    if (IsSwitch(argv[i], L"RegServer")) return Register(true);
    if (IsSwitch(argv[i], L"UnregServer")) return Register(false);
    if (IsSwitch(argv[i], L"Embedding")) {
      LeaveTheLaunchDirectory();
      return hdasim::RunLocalServer();
    }
  }
  std::fwprintf(stderr, L"usage: hdasim /RegServer | /UnregServer | -Embedding\n");
  return 2;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  return win::Barrier(1, [] {
    int argc = 0;
    const std::unique_ptr<wchar_t*, decltype(&LocalFree)> argv(
        CommandLineToArgvW(GetCommandLineW(), &argc), &LocalFree);
    if (!argv) return 1;
    return Run(argc, argv.get());
  });
}
