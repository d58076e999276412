// Unloading the library with sessions still open: every session is destroyed, so the server gets
// every object back, and nothing of the unmapped library is called afterwards.
#include <objbase.h>

#include <memory>

#include "opc/opc.h"
#include "tests/ambrel/ambrel_test_support.h"
#include "tests/ambrel/fresh_library.h"
#include "win/com_ptr.h"

namespace ambrel_test {
namespace {

// Asks the simulator, through COM of its own, how many server objects it has alive.
class ServerObjects {
 public:
  ServerObjects() {
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(L"Varnel.HdaSim.1", &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IOPCHDA_Server,
                                reinterpret_cast<void**>(&server_))) ||
        FAILED(server_.As(IID_IOPCHDA_SyncRead, std::addressof(read_))))
      return;
    wchar_t id[] = L"Control/Server objects";
    LPWSTR ids[1] = {id};
    OPCHANDLE client = 1;
    OPCHANDLE* handles = nullptr;
    HRESULT* errors = nullptr;
    if (server_->GetItemHandles(1, ids, &client, &handles, &errors) == S_OK) handle_ = handles[0];
    CoTaskMemFree(handles);
    CoTaskMemFree(errors);
  }
  ServerObjects(const ServerObjects&) = delete;
  ServerObjects& operator=(const ServerObjects&) = delete;

  bool Ok() const { return handle_ != 0; }

  // -1 when the server does not answer.
  double Count() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    OPCHDA_ITEM* items = nullptr;
    HRESULT* errors = nullptr;
    double count = -1;
    if (SUCCEEDED(read_->ReadAtTime(1, &now, 1, &handle_, &items, &errors)) && items &&
        items[0].dwCount == 1 && items[0].pvDataValues[0].vt == VT_R8) {
      count = items[0].pvDataValues[0].dblVal;
    }
    if (items) {
      for (DWORD i = 0; i < items[0].dwCount; ++i) VariantClear(&items[0].pvDataValues[i]);
      CoTaskMemFree(items[0].pftTimeStamps);
      CoTaskMemFree(items[0].pdwQualities);
      CoTaskMemFree(items[0].pvDataValues);
    }
    CoTaskMemFree(items);
    CoTaskMemFree(errors);
    return count;
  }

 private:
  win::ComPtr<IOPCHDA_Server> server_;
  win::ComPtr<IOPCHDA_SyncRead> read_;
  OPCHANDLE handle_ = 0;
};

int g_shutdown_notices = 0;
void __stdcall OnShutdown(AMBREL_SESSION) { ++g_shutdown_notices; }
void __stdcall OnError(HRESULT, const char*) {}

TEST(Unload, FreeLibraryWithSessionsOpenGivesTheServerEveryObjectBack) {
  auto objects_owner = std::make_unique<ServerObjects>();
  ServerObjects& objects = *objects_owner;
  ASSERT_TRUE(objects.Ok());
  const double before = objects.Count();
  ASSERT_GE(before, 1.0);

  FreshLibrary fresh;
  ASSERT_TRUE(fresh.Loaded());
  fresh.enable_errors(&OnError);
  // One session advised for shutdown notices with a callback, one without the connection point,
  // and one with a browse behind it: each holds another set of interfaces and lists.
  const AMBREL_SESSION advised = fresh.connect("", kFullServer);
  const AMBREL_SESSION silent = fresh.connect("", kNoShutdownServer);
  const AMBREL_SESSION empty = fresh.connect("", kEmptyServer);
  ASSERT_NE(advised, AMBREL_NO_SESSION);
  ASSERT_NE(silent, AMBREL_NO_SESSION);
  ASSERT_NE(empty, AMBREL_NO_SESSION);
  EXPECT_EQ(fresh.enable_shutdown(advised, &OnShutdown), TRUE);
  EXPECT_GT(fresh.number_of_attributes(silent), 0u);
  EXPECT_EQ(fresh.number_of_items(empty), 0u);
  ASSERT_EQ(objects.Count(), before + 3);

  EXPECT_TRUE(fresh.Free());
  EXPECT_EQ(objects.Count(), before) << "a session of the unloaded library still holds its server";

  // Calls the server may still make into this apartment (releases of the sink) come in now,
  // and ending the apartment lets go of every stub it keeps: none may reach the unmapped code.
  PumpUntil([] { return false; }, 500);
  EXPECT_EQ(g_shutdown_notices, 0);
  objects_owner.reset();
  CoUninitialize();
  EXPECT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
}

}  // namespace
}  // namespace ambrel_test
