// Writing values of one item, and the historian status.
#include <windows.h>

#include <type_traits>

#include "ambrel/hda_server.h"
#include "ambrel/state.h"
#include "ambrel/text_conversion.h"
#include "win/co_task_memory.h"

namespace ambrel {
namespace {

// A zero-filled array of `count` T from the task allocator. Values are cleared before the block
// goes back when T is VARIANT.
template <typename T>
class TaskArray {
 public:
  TaskArray(IMalloc* allocator, DWORD count) : allocator_(allocator), count_(count) {
    const SIZE_T bytes = static_cast<SIZE_T>(count) * sizeof(T);
    if (allocator_ && count <= MAXDWORD / sizeof(T))
      data_ = static_cast<T*>(allocator_->Alloc(bytes));
    if (data_) ZeroMemory(data_, bytes);
  }
  TaskArray(const TaskArray&) = delete;
  TaskArray& operator=(const TaskArray&) = delete;
  ~TaskArray() {
    if (!data_) return;
    if constexpr (std::is_same_v<T, VARIANT>) {
      for (DWORD i = 0; i < count_; ++i) VariantClear(&data_[i]);
    }
    allocator_->Free(data_);
  }
  T* Get() const { return data_; }

 private:
  IMalloc* allocator_;
  DWORD count_;
  T* data_ = nullptr;
};

}  // namespace

HRESULT HDASvr::Write(DWORD item_handle, DWORD edit_type, DWORD count, const FILETIME* time_stamps,
                      const VARIANT* values, const DWORD* qualities, HRESULT* results) {
  if (count == 0 || edit_type > 4) return E_INVALIDARG;
  if (!sync_update_) return E_NOINTERFACE;
  if (!Answers()) return LostResult();
  OPCHDA_UPDATECAPABILITIES capabilities{};
  HRESULT hr = sync_update_->QueryCapabilities(&capabilities);
  if (FAILED(hr)) {
    CheckServer(hr);
    return hr;
  }
  if ((static_cast<DWORD>(capabilities) & edit_type) == 0) return E_NOTIMPL;
  if (edit_type == 3) return E_INVALIDARG;
  if (!time_stamps || !values || !qualities) return E_INVALIDARG;

  IMalloc* allocator = TheState() ? TheState()->task_allocator.Get() : nullptr;
  TaskArray<OPCHANDLE> handles(allocator, count);
  TaskArray<VARIANT> value_copies(allocator, count);
  TaskArray<DWORD> quality_copies(allocator, count);
  if (!handles.Get() || !value_copies.Get() || !quality_copies.Get()) return E_OUTOFMEMORY;
  for (DWORD i = 0; i < count; ++i) {
    handles.Get()[i] = item_handle;
    // A value that cannot be copied is not written as an empty one.
    hr = VariantCopy(&value_copies.Get()[i], const_cast<VARIANT*>(&values[i]));
    if (FAILED(hr)) return hr;
    quality_copies.Get()[i] = qualities[i];
  }

  FILETIME* times = const_cast<FILETIME*>(time_stamps);
  HRESULT* errors = nullptr;
  switch (edit_type) {
    case 1:
      hr = sync_update_->Insert(count, handles.Get(), times, value_copies.Get(),
                                quality_copies.Get(), &errors);
      break;
    case 2:
      hr = sync_update_->Replace(count, handles.Get(), times, value_copies.Get(),
                                 quality_copies.Get(), &errors);
      break;
    default:
      hr = sync_update_->InsertReplace(count, handles.Get(), times, value_copies.Get(),
                                       quality_copies.Get(), &errors);
      break;
  }
  win::CoTaskPtr<HRESULT> owned_errors(errors);
  if (FAILED(hr)) CheckServer(hr);
  if (errors && results) {
    for (DWORD i = 0; i < count; ++i) results[i] = errors[i];
  }
  return hr;
}

BOOL HDASvr::Status(DWORD* status, FILETIME* current_time, FILETIME* start_time, WORD* major,
                    WORD* minor, WORD* build, DWORD* max_return_values, char* status_text,
                    DWORD status_length, char* vendor_text, DWORD vendor_length) {
  if (!history_server_ || !Answers()) return FALSE;
  // Every out-argument of the interface is a reference the proxy must be able to write to, so
  // the call fills our own variables and the caller's null pointers are simply skipped.
  OPCHDA_SERVERSTATUS state{};
  FILETIME* current = nullptr;
  FILETIME* started = nullptr;
  WORD major_version = 0, minor_version = 0, build_number = 0;
  DWORD max_values = 0;
  LPWSTR status_string = nullptr;
  LPWSTR vendor_string = nullptr;
  const HRESULT hr = history_server_->GetHistorianStatus(&state, &current, &started, &major_version,
                                                         &minor_version, &build_number, &max_values,
                                                         &status_string, &vendor_string);
  win::CoTaskPtr<FILETIME> owned_current(current);
  win::CoTaskPtr<FILETIME> owned_started(started);
  win::CoTaskPtr<wchar_t> owned_status(status_string);
  win::CoTaskPtr<wchar_t> owned_vendor(vendor_string);
  if (FAILED(hr)) {
    // The status is what a failed call asks to see whether the server is still there.
    MarkLost(hr);
    return FALSE;
  }
  if (status) *status = static_cast<DWORD>(state);
  if (current_time && current) *current_time = *current;
  if (start_time && started) *start_time = *started;
  if (major) *major = major_version;
  if (minor) *minor = minor_version;
  if (build) *build = build_number;
  if (max_return_values) *max_return_values = max_values;
  if (status_string) CopyLow8Bits(status_string, status_text, status_length);
  if (vendor_string) CopyLow8Bits(vendor_string, vendor_text, vendor_length);
  return TRUE;
}

}  // namespace ambrel
