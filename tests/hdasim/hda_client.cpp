#include "tests/hdasim/hda_client.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <cwchar>

#include "tests/support/process_ids.h"

namespace hdatest {

Ticks At(int year, int month, int day, int hour, int minute, int second, int ms) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  st.wHour = static_cast<WORD>(hour);
  st.wMinute = static_cast<WORD>(minute);
  st.wSecond = static_cast<WORD>(second);
  st.wMilliseconds = static_cast<WORD>(ms);
  FILETIME ft{};
  SystemTimeToFileTime(&st, &ft);
  return FromFileTime(ft);
}

FILETIME ToFileTime(Ticks t) {
  const auto u = static_cast<ULONGLONG>(t);
  return FILETIME{static_cast<DWORD>(u), static_cast<DWORD>(u >> 32)};
}

Ticks FromFileTime(const FILETIME& ft) {
  return static_cast<Ticks>((static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}

Ticks SystemNow() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  return FromFileTime(ft);
}

std::wstring HexCode(HRESULT hr) {
  wchar_t text[16];
  std::swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

HdaTime HdaTime::Absolute(Ticks t) {
  HdaTime time = Text(L"");
  time.time_.bString = FALSE;
  time.time_.ftTime = ToFileTime(t);
  return time;
}

HdaTime HdaTime::Text(const wchar_t* text) {
  HdaTime time;
  const std::size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
  time.time_.szTime = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
  std::memcpy(time.time_.szTime, text, bytes);
  time.time_.bString = TRUE;
  return time;
}

HdaTime::HdaTime(HdaTime&& other) noexcept : time_(other.time_) { other.time_.szTime = nullptr; }

HdaTime::~HdaTime() { CoTaskMemFree(time_.szTime); }

ComPtr<IUnknown> CreateServer(const wchar_t* prog_id, HRESULT* result) {
  CLSID clsid{};
  HRESULT hr = CLSIDFromProgID(prog_id, &clsid);
  ComPtr<IUnknown> server;
  if (SUCCEEDED(hr))
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown,
                          reinterpret_cast<void**>(&server));
  if (result) *result = hr;
  return server;
}

Point ToPoint(const FILETIME& time, const VARIANT& value, DWORD quality) {
  Point p;
  p.time = FromFileTime(time);
  p.type = V_VT(&value);
  p.quality = quality;
  switch (V_VT(&value)) {
    case VT_BSTR:
      p.text.assign(V_BSTR(&value), SysStringLen(V_BSTR(&value)));
      break;
    case VT_I1:
      p.number = V_I1(&value);
      break;
    case VT_UI1:
      p.number = V_UI1(&value);
      break;
    case VT_I2:
      p.number = V_I2(&value);
      break;
    case VT_UI2:
      p.number = V_UI2(&value);
      break;
    case VT_I4:
      p.number = V_I4(&value);
      break;
    case VT_UI4:
      p.number = V_UI4(&value);
      break;
    case VT_INT:
      p.number = V_INT(&value);
      break;
    case VT_UINT:
      p.number = V_UINT(&value);
      break;
    case VT_R4:
      p.number = V_R4(&value);
      break;
    case VT_R8:
      p.number = V_R8(&value);
      break;
    case VT_DATE:
      p.number = V_DATE(&value);
      break;
    case VT_BOOL:
      p.number = V_BOOL(&value);
      break;
    case VT_CY:
      p.number = static_cast<double>(V_CY(&value).int64) / 10000.0;
      break;
    case VT_I8:
      p.number = static_cast<double>(V_I8(&value));
      break;
    case VT_UI8:
      p.number = static_cast<double>(V_UI8(&value));
      break;
    default:
      p.number = std::nan("");
      break;
  }
  return p;
}

void FreeItems(OPCHDA_ITEM* items, DWORD count) {
  if (!items) return;
  for (DWORD i = 0; i < count; ++i) {
    for (DWORD k = 0; items[i].pvDataValues && k < items[i].dwCount; ++k)
      VariantClear(&items[i].pvDataValues[k]);
    CoTaskMemFree(items[i].pvDataValues);
    CoTaskMemFree(items[i].pftTimeStamps);
    CoTaskMemFree(items[i].pdwQualities);
  }
  CoTaskMemFree(items);
}

std::vector<ItemResult> TakeItems(OPCHDA_ITEM* items, HRESULT* errors, DWORD count) {
  std::vector<ItemResult> results;
  for (DWORD i = 0; items && errors && i < count; ++i) {
    ItemResult r;
    r.error = errors[i];
    r.client = items[i].hClient;
    r.aggregate = items[i].haAggregate;
    for (DWORD k = 0; k < items[i].dwCount; ++k)
      r.points.push_back(
          ToPoint(items[i].pftTimeStamps[k], items[i].pvDataValues[k], items[i].pdwQualities[k]));
    results.push_back(std::move(r));
  }
  FreeItems(items, count);
  CoTaskMemFree(errors);
  return results;
}

Session::Session(const wchar_t* prog_id) {
  unknown_ = CreateServer(prog_id);
  server_ = Query<IOPCHDA_Server>(unknown_.Get());
  read_ = Query<IOPCHDA_SyncRead>(unknown_.Get());
  update_ = Query<IOPCHDA_SyncUpdate>(unknown_.Get());
}

DWORD Session::MaxReturnValues() {
  OPCHDA_SERVERSTATUS status;
  FILETIME *now = nullptr, *started = nullptr;
  WORD major, minor, build;
  DWORD max = 0;
  LPWSTR text = nullptr, vendor = nullptr;
  const HRESULT call = server_->GetHistorianStatus(&status, &now, &started, &major, &minor, &build,
                                                   &max, &text, &vendor);
  if (FAILED(call)) ADD_FAILURE() << "GetHistorianStatus failed: " << HexCode(call);
  CoTaskMemFree(now);
  CoTaskMemFree(started);
  CoTaskMemFree(text);
  CoTaskMemFree(vendor);
  return max;
}

OPCHANDLE Session::Handle(const std::wstring& item_id, OPCHANDLE client) {
  LPWSTR id = const_cast<LPWSTR>(item_id.c_str());
  OPCHANDLE* handles = nullptr;
  HRESULT* errors = nullptr;
  const HRESULT call = server_->GetItemHandles(1, &id, &client, &handles, &errors);
  if (FAILED(call)) {
    ADD_FAILURE() << "GetItemHandles failed: " << HexCode(call);
    return 0;
  }
  const OPCHANDLE handle = errors[0] == S_OK ? handles[0] : 0;
  if (errors[0] != S_OK) ADD_FAILURE() << "GetItemHandles refused the item: " << HexCode(errors[0]);
  CoTaskMemFree(handles);
  CoTaskMemFree(errors);
  return handle;
}

ReadResult Session::ReadRaw(HdaTime start, HdaTime end, DWORD count, bool bounds,
                            const std::vector<OPCHANDLE>& handles) {
  ReadResult result;
  OPCHDA_ITEM* items = nullptr;
  HRESULT* errors = nullptr;
  result.call =
      read_->ReadRaw(start.Get(), end.Get(), count, bounds, static_cast<DWORD>(handles.size()),
                     const_cast<OPCHANDLE*>(handles.data()), &items, &errors);
  result.outputs_null = !items && !errors;
  result.items = TakeItems(items, errors, static_cast<DWORD>(handles.size()));
  return result;
}

ReadResult Session::ReadProcessed(HdaTime start, HdaTime end, Ticks interval,
                                  const std::vector<OPCHANDLE>& handles,
                                  const std::vector<DWORD>& aggregates) {
  ReadResult result;
  OPCHDA_ITEM* items = nullptr;
  HRESULT* errors = nullptr;
  result.call = read_->ReadProcessed(start.Get(), end.Get(), ToFileTime(interval),
                                     static_cast<DWORD>(handles.size()),
                                     const_cast<OPCHANDLE*>(handles.data()),
                                     const_cast<DWORD*>(aggregates.data()), &items, &errors);
  result.outputs_null = !items && !errors;
  result.items = TakeItems(items, errors, static_cast<DWORD>(handles.size()));
  return result;
}

ReadResult Session::ReadAtTime(const std::vector<Ticks>& times,
                               const std::vector<OPCHANDLE>& handles) {
  std::vector<FILETIME> stamps;
  for (Ticks t : times) stamps.push_back(ToFileTime(t));
  ReadResult result;
  OPCHDA_ITEM* items = nullptr;
  HRESULT* errors = nullptr;
  result.call = read_->ReadAtTime(static_cast<DWORD>(stamps.size()), stamps.data(),
                                  static_cast<DWORD>(handles.size()),
                                  const_cast<OPCHANDLE*>(handles.data()), &items, &errors);
  result.outputs_null = !items && !errors;
  result.items = TakeItems(items, errors, static_cast<DWORD>(handles.size()));
  return result;
}

std::vector<HRESULT> Session::Write(Edit edit, const std::vector<OPCHANDLE>& handles,
                                    const std::vector<Ticks>& times,
                                    const std::vector<VARIANT>& values,
                                    const std::vector<DWORD>& qualities, HRESULT* call) {
  std::vector<FILETIME> stamps;
  for (Ticks t : times) stamps.push_back(ToFileTime(t));
  const DWORD n = static_cast<DWORD>(handles.size());
  auto* h = const_cast<OPCHANDLE*>(handles.data());
  auto* v = const_cast<VARIANT*>(values.data());
  auto* q = const_cast<DWORD*>(qualities.data());
  HRESULT* errors = nullptr;
  switch (edit) {
    case Edit::kInsert:
      *call = update_->Insert(n, h, stamps.data(), v, q, &errors);
      break;
    case Edit::kReplace:
      *call = update_->Replace(n, h, stamps.data(), v, q, &errors);
      break;
    case Edit::kInsertReplace:
      *call = update_->InsertReplace(n, h, stamps.data(), v, q, &errors);
      break;
  }
  std::vector<HRESULT> codes;
  if (errors) codes.assign(errors, errors + n);
  CoTaskMemFree(errors);
  return codes;
}

VARIANT Real(double x) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_R8;
  V_R8(&v) = x;
  return v;
}

VARIANT Text(const wchar_t* text) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = SysAllocString(text);
  return v;
}

std::vector<DWORD> ServerProcessIds() { return test_support::ProcessIdsOf(L"hdasim.exe"); }

bool WaitForNoServer(DWORD timeout_ms) {
  // Pumping, because a server on its way out may still call into this apartment.
  ULONGLONG next_check = 0;
  return PumpUntil(
      [&] {
        if (GetTickCount64() < next_check) return false;
        next_check = GetTickCount64() + 100;
        return ServerProcessIds().empty();
      },
      timeout_ms);
}

bool ShutDownServer(DWORD timeout_ms) {
  Session session(L"Varnel.HdaSim.2");
  if (!session.Ok()) return false;
  const OPCHANDLE control = session.Handle(L"Control/Shutdown");
  HRESULT call = E_FAIL;
  VARIANT one = Real(1);
  session.Write(Session::Edit::kInsertReplace, {control}, {SystemNow()}, {one}, {0xC0}, &call);
  if (FAILED(call)) return false;
  return WaitForNoServer(timeout_ms);
}

std::wstring SelfPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

}  // namespace hdatest
