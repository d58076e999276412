// ReadRaw of 32000 values from the simulation server, VT_R8 and VT_BSTR, once through the
// proxy/stub into hdasim.exe and once on the server's own object in this process, in one run.
// The ratio is what crossing the process boundary costs. Then the flat browse of every item ID
// through the proxy/stub, fetching one name a call and 512 names a call. Run in a prefix where
// hdasim.exe and the proxy/stub are registered (the HdaServers fixture or scripts/hda-servers
// setup).
#include <objbase.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "opc/opc.h"
#include "tools/hdasim/server/hda_server.h"
#include "win/com_ptr.h"
#include "win/stopwatch.h"

namespace {

constexpr int kRepetitions = 15;
constexpr DWORD kValues = 32000;

FILETIME June2021() {
  SYSTEMTIME st{};
  st.wYear = 2021;
  st.wMonth = 6;
  st.wDay = 1;
  FILETIME ft;
  SystemTimeToFileTime(&st, &ft);
  return ft;
}

OPCHANDLE Handle(IOPCHDA_Server* server, const wchar_t* id) {
  LPWSTR ids[] = {const_cast<LPWSTR>(id)};
  OPCHANDLE client = 1, handle = 0;
  OPCHANDLE* handles = nullptr;
  HRESULT* errors = nullptr;
  if (SUCCEEDED(server->GetItemHandles(1, ids, &client, &handles, &errors)) && errors[0] == S_OK)
    handle = handles[0];
  CoTaskMemFree(handles);
  CoTaskMemFree(errors);
  return handle;
}

// One ReadRaw of kValues values from the start time, and freeing the result as a client must.
bool ReadOnce(IOPCHDA_SyncRead* read, OPCHANDLE handle) {
  LPWSTR empty_start = static_cast<LPWSTR>(CoTaskMemAlloc(sizeof(wchar_t)));
  LPWSTR empty_end = static_cast<LPWSTR>(CoTaskMemAlloc(sizeof(wchar_t)));
  empty_start[0] = empty_end[0] = L'\0';
  OPCHDA_TIME start{FALSE, empty_start, June2021()};
  OPCHDA_TIME end{TRUE, empty_end, {}};  // no end time: kValues values from the start
  OPCHDA_ITEM* items = nullptr;
  HRESULT* errors = nullptr;
  const HRESULT hr = read->ReadRaw(&start, &end, kValues, FALSE, 1, &handle, &items, &errors);
  const bool ok = SUCCEEDED(hr) && items && items[0].dwCount == kValues;
  if (items) {
    for (DWORD i = 0; i < items[0].dwCount; ++i) VariantClear(&items[0].pvDataValues[i]);
    CoTaskMemFree(items[0].pvDataValues);
    CoTaskMemFree(items[0].pftTimeStamps);
    CoTaskMemFree(items[0].pdwQualities);
  }
  CoTaskMemFree(items);
  CoTaskMemFree(errors);
  CoTaskMemFree(start.szTime);
  CoTaskMemFree(end.szTime);
  return ok;
}

// Median of the repetitions, after one read to warm up.
double MedianMs(IUnknown* server, const wchar_t* item) {
  win::ComPtr<IOPCHDA_Server> hda;
  win::ComPtr<IOPCHDA_SyncRead> read;
  server->QueryInterface(IID_IOPCHDA_Server, reinterpret_cast<void**>(&hda));
  server->QueryInterface(IID_IOPCHDA_SyncRead, reinterpret_cast<void**>(&read));
  if (!hda || !read) return -1;
  const OPCHANDLE handle = Handle(hda.Get(), item);
  if (!handle || !ReadOnce(read.Get(), handle)) return -1;
  std::vector<double> times;
  for (int i = 0; i < kRepetitions; ++i) {
    const win::Stopwatch watch;
    if (!ReadOnce(read.Get(), handle)) return -1;
    times.push_back(watch.Milliseconds());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// One flat browse of every item ID, `batch` names a call; the number of names, or -1.
long BrowseOnce(IOPCHDA_Server* server, ULONG batch) {
  DWORD attribute = OPCHDA_ITEMID;
  OPCHDA_OPERATORCODES op = OPCHDA_EQUAL;
  VARIANT filter;
  VariantInit(&filter);
  filter.vt = VT_BSTR;
  filter.bstrVal = SysAllocString(L"*");
  win::ComPtr<IOPCHDA_Browser> browser;
  HRESULT* errors = nullptr;
  HRESULT hr = server->CreateBrowse(1, &attribute, &op, &filter, &browser, &errors);
  VariantClear(&filter);
  CoTaskMemFree(errors);
  win::ComPtr<IEnumString> names;
  if (FAILED(hr) || !browser || FAILED(browser->GetEnum(OPCHDA_FLAT, &names)) || !names) return -1;
  std::vector<LPOLESTR> got(batch);
  long count = 0;
  for (;;) {
    ULONG fetched = 0;
    hr = names->Next(batch, got.data(), &fetched);
    if (FAILED(hr)) return -1;
    for (ULONG i = 0; i < fetched && i < batch; ++i) CoTaskMemFree(got[i]);
    count += static_cast<long>(fetched);
    if (hr != S_OK || fetched == 0) return count;
  }
}

// Median of five browses and the number of names.
double BrowseMedianMs(IUnknown* server, ULONG batch, long& count) {
  win::ComPtr<IOPCHDA_Server> hda;
  server->QueryInterface(IID_IOPCHDA_Server, reinterpret_cast<void**>(&hda));
  if (!hda) return -1;
  std::vector<double> times;
  for (int i = 0; i < 5; ++i) {
    const win::Stopwatch watch;
    count = BrowseOnce(hda.Get(), batch);
    if (count < 0) return -1;
    times.push_back(watch.Milliseconds());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  int status = 0;
  {
    CLSID clsid{};
    win::ComPtr<IUnknown> remote;
    if (FAILED(CLSIDFromProgID(L"Varnel.HdaSim.1", &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                reinterpret_cast<void**>(&remote)))) {
      std::fprintf(stderr, "hdasim.exe is not registered in this prefix\n");
      status = 1;
    } else {
      const auto local = win::ComPtr<IUnknown>::Attach(
          static_cast<IOPCHDA_Server*>(new hdasim::HdaServer(hdasim::ServerFeatures{})));
      struct Case {
        const char* type;
        const wchar_t* item;
      } cases[] = {{"VT_R8", L"Waves/Sine 1s"}, {"VT_BSTR", L"Text/Clock 1s"}};
      std::printf("ReadRaw of %lu values, median of %d\n", static_cast<unsigned long>(kValues),
                  kRepetitions);
      std::printf("%-8s %14s %14s %8s\n", "type", "out of process", "in process", "ratio");
      for (const Case& c : cases) {
        const double out = MedianMs(remote.Get(), c.item);
        const double in = MedianMs(local.Get(), c.item);
        if (out < 0 || in < 0) {
          std::fprintf(stderr, "%s: a read failed\n", c.type);
          status = 1;
          continue;
        }
        std::printf("%-8s %11.1f ms %11.1f ms %7.1fx\n", c.type, out, in, out / in);
      }
      long one_count = 0, many_count = 0;
      const double one = BrowseMedianMs(remote.Get(), 1, one_count);
      const double many = BrowseMedianMs(remote.Get(), 512, many_count);
      if (one < 0 || many < 0 || one_count != many_count) {
        std::fprintf(stderr, "a browse failed or the two browses differ (%ld, %ld names)\n",
                     one_count, many_count);
        status = 1;
      } else {
        std::printf(
            "flat browse of %ld item IDs out of process, median of 5: one a call %.1f ms, "
            "512 a call %.1f ms, %.1fx\n",
            many_count, one, many, one / many);
      }
    }
  }
  CoUninitialize();
  return status;
}
