/*
 * A plain C program that knows Ambrel only through ambrel.h and its import library: it finds the
 * simulator, connects, browses, reads raw, processed and attribute history, writes, asks the
 * status, and waits for the shutdown notice. Exit code 0 when every step worked.
 */
#include "ambrel/ambrel.h"

#include <stdio.h>
#include <string.h>

static volatile LONG g_shutdown_session = -1;
static int g_failures = 0;

static void __stdcall OnError(HRESULT hr, const char* text) {
  printf("error 0x%08lx: %s\n", (unsigned long)hr, text);
}

static void __stdcall OnShutdown(AMBREL_SESSION session) {
  InterlockedExchange(&g_shutdown_session, session);
}

static void Check(int ok, const char* step) {
  printf("%s: %s\n", ok ? "ok" : "FAILED", step);
  if (!ok) ++g_failures;
}

static FILETIME Utc(WORD year, WORD month, WORD day) {
  SYSTEMTIME system;
  FILETIME time;
  memset(&system, 0, sizeof system);
  system.wYear = year;
  system.wMonth = month;
  system.wDay = day;
  SystemTimeToFileTime(&system, &time);
  return time;
}

static FILETIME Plus(FILETIME time, ULONGLONG ticks) {
  ULARGE_INTEGER value;
  value.LowPart = time.dwLowDateTime;
  value.HighPart = time.dwHighDateTime;
  value.QuadPart += ticks;
  time.dwLowDateTime = value.LowPart;
  time.dwHighDateTime = value.HighPart;
  return time;
}

int main(void) {
  const char* server = "Varnel.HdaSim.3";
  char name[256];
  DWORD count, i, found = 0;
  AMBREL_SESSION session;
  DWORD ramp, store, control;
  FILETIME start = Utc(2020, 6, 1), end = Plus(start, 100ULL * 10000000ULL);
  FILETIME times[10];
  VARIANT values[10];
  DWORD qualities[10];
  HRESULT results[1];
  VARIANT value;
  DWORD quality = 0xC0, status = 0, max_values = 0;
  FILETIME now, started;
  WORD major, minor, build;
  char vendor[64];
  DWORD waited;

  Check(AmbrelRevision() == 259, "revision");
  Check(AmbrelCoInit() == 1, "AmbrelCoInit");
  EnableHDAErrorNotification(OnError);

  count = NumberOfHDAServers("");
  for (i = 0; i < count; ++i) {
    if (GetHDAServerName(i, name, sizeof name) && strcmp(name, server) == 0) found = 1;
  }
  Check(found, "discover");

  session = ConnectHDA("", server);
  Check(session != AMBREL_NO_SESSION, "connect");
  if (session == AMBREL_NO_SESSION) return 1;
  Check(EnableHDAShutdownNotification(session, OnShutdown) == 1, "shutdown notification");

  count = NumberOfHDAItems(session);
  Check(count > 0 && GetHDAItemName(session, 0, name, sizeof name), "browse");

  ramp = GetHDAItemHandle(session, "Waves/Ramp 1s", 1);
  Check(ramp != AMBREL_NO_ITEM, "item handle");

  for (i = 0; i < 10; ++i) VariantInit(&values[i]);
  count = ReadHDAItemValues(session, ramp, FALSE, start.dwLowDateTime, start.dwHighDateTime,
                            end.dwLowDateTime, end.dwHighDateTime, 10, times, values, qualities);
  Check(count == (AMBREL_MORE_DATA | 10) && values[3].vt == VT_R8 && values[3].dblVal == 3.0,
        "read raw");
  for (i = 0; i < 10; ++i) VariantClear(&values[i]);

  count = ReadHDAProcessedItemValues(session, ramp, 3, start.dwLowDateTime, start.dwHighDateTime,
                                     end.dwLowDateTime, end.dwHighDateTime, 100000000, 0, 10,
                                     times, values, qualities);
  Check(count == 10 && values[0].vt == VT_R8 && values[0].dblVal == 4.5, "read processed");
  for (i = 0; i < 10; ++i) VariantClear(&values[i]);

  count = ReadHDAItemAttributes(session, ramp, 2, start.dwLowDateTime, start.dwHighDateTime,
                                end.dwLowDateTime, end.dwHighDateTime, 10, times, values);
  Check((count & AMBREL_COUNT_MASK) >= 1 && values[0].vt == VT_BSTR, "read attribute");
  for (i = 0; i < 10; ++i) VariantClear(&values[i]);
  ReleaseHDAItemHandle(session, ramp);

  store = GetHDAItemHandle(session, "Writable/Empty R8", 2);
  VariantInit(&value);
  value.vt = VT_R8;
  value.dblVal = 12.5;
  Check(SUCCEEDED(WriteHDAItemValues(session, store, AMBREL_EDIT_INSERT_REPLACE, 1, &start, &value,
                                     &quality, results)) &&
            SUCCEEDED(results[0]),
        "write");
  ReleaseHDAItemHandle(session, store);

  Check(GetHDASvrStatus(session, &status, &now, &started, &major, &minor, &build, &max_values,
                        name, sizeof name, vendor, sizeof vendor) == 1 &&
            status == AMBREL_STATUS_UP,
        "status");

  control = GetHDAItemHandle(session, "Control/Shutdown", 3);
  WriteHDAItemValues(session, control, AMBREL_EDIT_INSERT_REPLACE, 1, &start, &value, &quality,
                     NULL);
  for (waited = 0; waited < 10000 && g_shutdown_session == -1; waited += 50) Sleep(50);
  Check(g_shutdown_session == session, "shutdown notice");

  DisconnectHDA(session);
  printf("%d failed\n", g_failures);
  return g_failures == 0 ? 0 : 1;
}
