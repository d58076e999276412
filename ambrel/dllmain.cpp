// Load and unload of the DLL: the process-wide state lives exactly as long as the DLL is mapped.
#include <windows.h>

#include "ambrel/state.h"
#include "win/barrier.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  const BOOL failure = reason == DLL_PROCESS_ATTACH ? FALSE : TRUE;
  return win::Barrier<BOOL>(failure, [&]() -> BOOL {
    switch (reason) {
      case DLL_PROCESS_ATTACH:
        DisableThreadLibraryCalls(instance);
        // A load without the task allocator fails: the loader reports it to the program (an
        // error from LoadLibrary, or a start-up message for a program linked against us).
        return ambrel::AttachState() ? TRUE : FALSE;
      case DLL_PROCESS_DETACH:
        ambrel::DetachState(reserved != nullptr);
        return TRUE;
      default:
        return TRUE;
    }
  });
}
