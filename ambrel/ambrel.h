/*
 * Ambrel: a flat C interface to OPC HDA (Historical Data Access) servers.
 *
 * A caller that knows nothing of COM lists the OPC HDA servers of a machine, opens a session with
 * one of them, browses its item IDs, takes item handles, reads raw, processed and attribute
 * history, writes values, asks the historian status and is told when the server shuts down.
 *
 * Conventions
 * - Every function uses the __stdcall convention. The 32-bit Ambrel.dll exports the decorated
 *   names (_NumberOfHDAServers@4 and so on); the 64-bit one the plain names. Link the import
 *   library (libAmbrel.dll.a) or bind by name with GetProcAddress.
 * - Strings are 8-bit and zero-terminated.
 *   - Texts going to the server (machine names, ProgIDs, item IDs) are widened one byte per
 *     UTF-16 unit: each byte becomes the code unit of the same value. That is exact for ASCII
 *     and for Latin-1 (ISO 8859-1); a byte of any other code page (a Windows-1252 euro sign
 *     0x80, Cyrillic, a UTF-8 sequence) reaches the server as the Latin-1 or C1 character of
 *     that value, so item IDs with characters outside Latin-1 cannot be named through this
 *     interface.
 *   - Texts coming from the server (server ProgIDs, item IDs, attribute and aggregate names and
 *     descriptions) are converted with the system's ANSI code page; characters the code page
 *     lacks come back as its default character.
 *   - The two texts of GetHDASvrStatus keep the low 8 bits of each UTF-16 unit.
 *   - A copy into a caller's buffer of length n holds at most n-1 characters and always ends with
 *     a zero at position n-1; n must be at least 1.
 * - Times are UTC FILETIMEs (100-ns units since 1601-01-01). A FILETIME argument travels by value
 *   as two 32-bit words, the low word first. The ...VB functions take OLE automation DATEs (UTC,
 *   no time-zone shift) by reference instead.
 * - Counts returned by the reads carry AMBREL_MORE_DATA (bit 31) when the server holds further
 *   values in the period; mask with AMBREL_COUNT_MASK.
 * - VARIANTs copied into the caller's arrays belong to the caller, which clears them
 *   (VariantClear).
 * - One thread at a time. A session's functions are called from the thread (COM apartment) that
 *   connected it; COM must be initialised on that thread (by the caller or AmbrelCoInit). The
 *   exception is the shutdown callback: in a multithreaded apartment it runs on a thread of
 *   COM's, where it may call DisconnectHDA while the connecting thread opens, uses or closes
 *   sessions.
 * - Errors go to the callback set with EnableHDAErrorNotification or, while none is set, to a
 *   modal message box: programs that must not block enable the callback first.
 * - Unloading the DLL closes every session still open; the servers get their objects back and
 *   no callback is made afterwards.
 * - A server that stops answering (its process ended, its machine or the network went) is found
 *   by the call that meets the failure: a call that fails for another reason asks the server for
 *   its status to tell the two apart. From then on the session is lost: every call on it that
 *   would reach the server fails at once, and its shutdown callback is called once, before the
 *   call that found the loss returns, as if the server had sent a shutdown notice. After every
 *   function that takes a session, GetLastError() gives the HRESULT that showed the session's
 *   server gone (RPC_S_SERVER_UNAVAILABLE, RPC_E_DISCONNECTED and the like), or 0 while it
 *   answers or when the session is unknown.
 */
#ifndef AMBREL_AMBREL_H
#define AMBREL_AMBREL_H

#include <windows.h>
#include <oaidl.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef AMBREL_BUILDING_DLL
#define AMBREL_API
#else
#define AMBREL_API __declspec(dllimport)
#endif

/* A session with one server; AMBREL_NO_SESSION means none. Never reused after disconnect. */
typedef LONG AMBREL_SESSION;
#define AMBREL_NO_SESSION ((AMBREL_SESSION)-1)

/* GetHDAItemHandle's failure value. */
#define AMBREL_NO_ITEM ((DWORD)0xFFFFFFFFu)

#define AMBREL_REVISION   259
#define AMBREL_MORE_DATA  0x80000000u
#define AMBREL_COUNT_MASK 0x7FFFFFFFu

/* Edit types of WriteHDAItemValues. */
#define AMBREL_EDIT_INSERT         1
#define AMBREL_EDIT_REPLACE        2
#define AMBREL_EDIT_INSERT_REPLACE 4

/* Historian states of GetHDASvrStatus (the OPCHDA_SERVERSTATUS values). */
#define AMBREL_STATUS_UP            1
#define AMBREL_STATUS_DOWN          2
#define AMBREL_STATUS_INDETERMINATE 3

/* Called with the HRESULT of a failure (0 where it has none) and its text. */
typedef void(__stdcall* AMBREL_ERROR_CALLBACK)(HRESULT hr, const char* text);
/* Called with one step-by-step trace text, at most 199 characters. */
typedef void(__stdcall* AMBREL_EVENT_CALLBACK)(const char* text);
/* Called when the server of the session asks its clients to disconnect. It may call
 * DisconnectHDA on the session it is given. */
typedef void(__stdcall* AMBREL_SHUTDOWN_CALLBACK)(AMBREL_SESSION session);

/* 259 (0x0103). */
AMBREL_API WORD __stdcall AmbrelRevision(void);

/* CoInitializeEx (multithreaded) and CoInitializeSecurity (no authentication, impersonate) on the
 * calling thread: 1 when both succeed, else 0 (a thread already in a single-threaded apartment
 * gets 0). */
AMBREL_API BOOL __stdcall AmbrelCoInit(void);

/* Lists the OPC HDA servers of a machine ("", "local" in any case, or a machine name) and replaces
 * the server list with them. Returns their number; 0 when none or on failure. */
AMBREL_API DWORD __stdcall NumberOfHDAServers(const char* machine);

/* 1 and the ProgID of server-list entry `index`; 0 (buffer untouched) when index >= the count. */
AMBREL_API BOOL __stdcall GetHDAServerName(DWORD index, char* buffer, DWORD length);

/* Opens a session; machine "" means this machine. AMBREL_NO_SESSION on failure (reported). */
AMBREL_API AMBREL_SESSION __stdcall ConnectHDA(const char* machine, const char* prog_id);

/* Closes the session. Returns 1 when the session existed, 0 otherwise (nothing happens then). */
AMBREL_API BOOL __stdcall DisconnectHDA(AMBREL_SESSION session);

/* Browses every item ID of the server (flat): their number, 0 on failure. GetHDAItemName serves
 * them by index until the next browse. */
AMBREL_API DWORD __stdcall NumberOfHDAItems(AMBREL_SESSION session);
AMBREL_API BOOL __stdcall GetHDAItemName(AMBREL_SESSION session, DWORD index, char* buffer,
                                         DWORD length);

/* The server's handle for an item (client_handle is echoed by the server), AMBREL_NO_ITEM on
 * any failure. */
AMBREL_API DWORD __stdcall GetHDAItemHandle(AMBREL_SESSION session, const char* item_id,
                                            DWORD client_handle);
/* 1 when the server released the handle. */
AMBREL_API BOOL __stdcall ReleaseHDAItemHandle(AMBREL_SESSION session, DWORD item_handle);

/* Reloads the session's attribute list: its length, 0 on failure. */
AMBREL_API DWORD __stdcall NumberOfHDAAttributes(AMBREL_SESSION session);
AMBREL_API BOOL __stdcall GetHDAAttributeDescr(AMBREL_SESSION session, DWORD index,
                                               DWORD* attribute_id, VARTYPE* data_type, char* name,
                                               DWORD name_length, char* description,
                                               DWORD description_length);

/* Reloads the session's aggregate list: its length, 0 on failure. */
AMBREL_API DWORD __stdcall NumberOfHDAAggregates(AMBREL_SESSION session);
AMBREL_API BOOL __stdcall GetHDAAggregateDescr(AMBREL_SESSION session, DWORD index,
                                               DWORD* aggregate_id, char* name, DWORD name_length,
                                               char* description, DWORD description_length);

/* The reads fill at most `max_values` entries of the caller's arrays and return the count
 * (with AMBREL_MORE_DATA when the server holds more); 0 on failure. Pass a positive maximum. */
AMBREL_API DWORD __stdcall ReadHDAItemAttributes(AMBREL_SESSION session, DWORD item_handle,
                                                 DWORD attribute_id, DWORD start_low,
                                                 DWORD start_high, DWORD end_low, DWORD end_high,
                                                 DWORD max_values, FILETIME* time_stamps,
                                                 VARIANT* values);
AMBREL_API DWORD __stdcall ReadHDAItemValues(AMBREL_SESSION session, DWORD item_handle, BOOL bounds,
                                             DWORD start_low, DWORD start_high, DWORD end_low,
                                             DWORD end_high, DWORD max_values,
                                             FILETIME* time_stamps, VARIANT* values,
                                             DWORD* qualities);
AMBREL_API DWORD __stdcall ReadHDAProcessedItemValues(
    AMBREL_SESSION session, DWORD item_handle, DWORD aggregate_id, DWORD start_low,
    DWORD start_high, DWORD end_low, DWORD end_high, DWORD resample_low, DWORD resample_high,
    DWORD max_values, FILETIME* time_stamps, VARIANT* values, DWORD* qualities);

/* Inserts (1), replaces (2) or inserts-or-replaces (4) `count` values of one item. Returns the
 * server's HRESULT, or E_INVALIDARG (count 0, edit type 3 or above 4), E_NOINTERFACE (the server
 * cannot update), E_NOTIMPL (edit type 0 or not among the server's capabilities),
 * E_OUTOFMEMORY, or CONNECT_E_NOCONNECTION (0x80040200) for an unknown session. `results`, when
 * not null, receives the server's code per value. */
AMBREL_API HRESULT __stdcall WriteHDAItemValues(AMBREL_SESSION session, DWORD item_handle,
                                                DWORD edit_type, DWORD count,
                                                const FILETIME* time_stamps, const VARIANT* values,
                                                const DWORD* qualities, HRESULT* results);

/* 1 and the historian's status; 0 on failure. A start time the server does not give is left
 * as the caller set it. */
AMBREL_API BOOL __stdcall GetHDASvrStatus(AMBREL_SESSION session, DWORD* status,
                                          FILETIME* current_time, FILETIME* start_time,
                                          WORD* major_version, WORD* minor_version,
                                          WORD* build_number, DWORD* max_return_values,
                                          char* status_text, DWORD status_length, char* vendor_text,
                                          DWORD vendor_length);

/* Always 1. The callbacks stay in force until the library is unloaded; pass no null pointer. */
AMBREL_API BOOL __stdcall EnableHDAErrorNotification(AMBREL_ERROR_CALLBACK callback);
AMBREL_API BOOL __stdcall EnableHDAEventMsgs(AMBREL_EVENT_CALLBACK callback);
/* 1 when the session exists (the callback is stored in it), else 0. */
AMBREL_API BOOL __stdcall EnableHDAShutdownNotification(AMBREL_SESSION session,
                                                        AMBREL_SHUTDOWN_CALLBACK callback);

/* The same reads and write with UTC DATEs by reference, 32-bit qualities and a resample interval
 * in whole seconds. */
AMBREL_API DWORD __stdcall ReadHDAItemAttributesVB(AMBREL_SESSION session, DWORD item_handle,
                                                   DWORD attribute_id, DATE* start, DATE* end,
                                                   DWORD max_values, DATE* time_stamps,
                                                   VARIANT* values);
AMBREL_API DWORD __stdcall ReadHDAItemValuesVB(AMBREL_SESSION session, DWORD item_handle,
                                               BOOL bounds, DATE* start, DATE* end,
                                               DWORD max_values, DATE* time_stamps, VARIANT* values,
                                               LONG* qualities);
AMBREL_API DWORD __stdcall ReadHDAProcessedItemValuesVB(AMBREL_SESSION session, DWORD item_handle,
                                                        DWORD aggregate_id, DATE* start, DATE* end,
                                                        LONG* resample_seconds, DWORD max_values,
                                                        DATE* time_stamps, VARIANT* values,
                                                        LONG* qualities);
AMBREL_API HRESULT __stdcall WriteHDAItemValuesVB(AMBREL_SESSION session, DWORD item_handle,
                                                  DWORD edit_type, DWORD count,
                                                  const DATE* time_stamps, const VARIANT* values,
                                                  const LONG* qualities, HRESULT* results);

#ifdef __cplusplus
}
#endif

#endif /* AMBREL_AMBREL_H */
