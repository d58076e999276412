#include "tests/support/simulator_shutdown.h"

namespace test_support {

bool WriteShutdownControl(AMBREL_SESSION session) {
  const DWORD control = GetHDAItemHandle(session, "Control/Shutdown", 0);
  if (control == AMBREL_NO_ITEM) return false;
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_R8;
  value.dblVal = 1;
  const FILETIME time{0, 30000000};
  const DWORD quality = 0xC0;
  return SUCCEEDED(WriteHDAItemValues(session, control, AMBREL_EDIT_INSERT_REPLACE, 1, &time,
                                      &value, &quality, nullptr));
}

bool ShutDownSimulator(const char* prog_id) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  EnableHDAErrorNotification([](HRESULT, const char*) {});
  const AMBREL_SESSION session = ConnectHDA("", prog_id);
  const bool written = session != AMBREL_NO_SESSION && WriteShutdownControl(session);
  const ULONGLONG end = GetTickCount64() + 3000;
  while (written && GetTickCount64() < end) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(20);
  }
  if (session != AMBREL_NO_SESSION) DisconnectHDA(session);
  CoUninitialize();
  return written;
}

}  // namespace test_support
