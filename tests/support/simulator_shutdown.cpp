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

}  // namespace test_support
