// The three reads of one item: raw, processed and attribute history, copied into the caller's
// arrays with the more-data flag.
#include <windows.h>

#include <objbase.h>

#include "ambrel/hda_server.h"

namespace ambrel {
namespace {

constexpr DWORD kMoreData = AMBREL_MORE_DATA;

// An absolute time the server may write back into; whatever text it leaves is ours to free.
struct ReadTime {
  OPCHDA_TIME time{};
  explicit ReadTime(const FILETIME& at) {
    time.bString = FALSE;
    time.szTime = nullptr;
    time.ftTime = at;
  }
  ReadTime(const ReadTime&) = delete;
  ReadTime& operator=(const ReadTime&) = delete;
  ~ReadTime() { CoTaskMemFree(time.szTime); }
};

// The result of a one-item read: the structure's arrays are freed (values cleared first), then
// the structure, then the error array.
template <typename Result>
class ReadResult {
 public:
  ReadResult() = default;
  ReadResult(const ReadResult&) = delete;
  ReadResult& operator=(const ReadResult&) = delete;
  ~ReadResult() {
    if (result_) Free(*result_);
    CoTaskMemFree(result_);
    CoTaskMemFree(errors_);
  }
  Result** ResultSlot() { return &result_; }
  HRESULT** ErrorSlot() { return &errors_; }
  Result* Get() const { return result_; }
  bool MoreData() const { return errors_ && errors_[0] == OPC_S_MOREDATA; }

 private:
  static void Free(OPCHDA_ITEM& item) {
    if (item.pvDataValues) {
      for (DWORD i = 0; i < item.dwCount; ++i) VariantClear(&item.pvDataValues[i]);
    }
    CoTaskMemFree(item.pftTimeStamps);
    CoTaskMemFree(item.pvDataValues);
    CoTaskMemFree(item.pdwQualities);
  }
  static void Free(OPCHDA_ATTRIBUTE& attribute) {
    if (attribute.vAttributeValues) {
      for (DWORD i = 0; i < attribute.dwNumValues; ++i)
        VariantClear(&attribute.vAttributeValues[i]);
    }
    CoTaskMemFree(attribute.ftTimeStamps);
    CoTaskMemFree(attribute.vAttributeValues);
  }

  Result* result_ = nullptr;
  HRESULT* errors_ = nullptr;
};

// How many values go to the caller, with the flag when the server returned more than that.
DWORD StoredCount(DWORD returned, DWORD max_values) {
  return returned > max_values ? (max_values | kMoreData) : returned;
}

void CopyValues(DWORD count, const FILETIME* from_times, const VARIANT* from_values,
                const DWORD* from_qualities, FILETIME* time_stamps, VARIANT* values,
                DWORD* qualities) {
  for (DWORD i = 0; i < count; ++i) {
    if (time_stamps) time_stamps[i] = from_times ? from_times[i] : FILETIME{};
    if (values) {
      VariantInit(&values[i]);
      if (from_values) VariantCopy(&values[i], const_cast<VARIANT*>(&from_values[i]));
    }
    if (qualities) qualities[i] = from_qualities ? from_qualities[i] : 0;
  }
}

// The server's own more-data answer sets the flag too.
template <typename Result>
DWORD WithServerFlag(const ReadResult<Result>& read, DWORD stored) {
  return read.MoreData() ? (stored | kMoreData) : stored;
}

// The caller's share of a read item's values, with the more-data flag.
DWORD CopyItem(const ReadResult<OPCHDA_ITEM>& read, DWORD max_values, FILETIME* time_stamps,
               VARIANT* values, DWORD* qualities) {
  const OPCHDA_ITEM& item = *read.Get();
  const DWORD result = StoredCount(item.dwCount, max_values);
  CopyValues(result & AMBREL_COUNT_MASK, item.pftTimeStamps, item.pvDataValues, item.pdwQualities,
             time_stamps, values, qualities);
  return WithServerFlag(read, result);
}

}  // namespace

DWORD HDASvr::ReadRaw(DWORD item_handle, BOOL bounds, const ReadPeriod& period, DWORD max_values,
                      FILETIME* time_stamps, VARIANT* values, DWORD* qualities) {
  if (!sync_read_ || !Answers()) return 0;
  ReadTime start(period.start);
  ReadTime end(period.end);
  OPCHANDLE handle = item_handle;
  ReadResult<OPCHDA_ITEM> read;
  const HRESULT hr = sync_read_->ReadRaw(&start.time, &end.time, max_values, bounds ? TRUE : FALSE,
                                         1, &handle, read.ResultSlot(), read.ErrorSlot());
  if (FAILED(hr) || !read.Get()) {
    CheckServer(hr);
    return 0;
  }
  return CopyItem(read, max_values, time_stamps, values, qualities);
}

DWORD HDASvr::ReadProcessed(DWORD item_handle, DWORD aggregate_id, const ReadPeriod& period,
                            FILETIME resample_interval, DWORD max_values, FILETIME* time_stamps,
                            VARIANT* values, DWORD* qualities) {
  if (!sync_read_ || !Answers()) return 0;
  ReadTime start(period.start);
  ReadTime end(period.end);
  OPCHANDLE handle = item_handle;
  DWORD aggregate = aggregate_id;
  ReadResult<OPCHDA_ITEM> read;
  const HRESULT hr =
      sync_read_->ReadProcessed(&start.time, &end.time, resample_interval, 1, &handle, &aggregate,
                                read.ResultSlot(), read.ErrorSlot());
  if (FAILED(hr) || !read.Get()) {
    CheckServer(hr);
    return 0;
  }
  return CopyItem(read, max_values, time_stamps, values, qualities);
}

DWORD HDASvr::ReadAttribute(DWORD item_handle, DWORD attribute_id, const ReadPeriod& period,
                            DWORD max_values, FILETIME* time_stamps, VARIANT* values) {
  if (!sync_read_ || !Answers()) return 0;
  ReadTime start(period.start);
  ReadTime end(period.end);
  DWORD attribute = attribute_id;
  ReadResult<OPCHDA_ATTRIBUTE> read;
  const HRESULT hr = sync_read_->ReadAttribute(&start.time, &end.time, item_handle, 1, &attribute,
                                               read.ResultSlot(), read.ErrorSlot());
  if (FAILED(hr) || !read.Get()) {
    CheckServer(hr);
    return 0;
  }
  const OPCHDA_ATTRIBUTE& found = *read.Get();
  const DWORD result = StoredCount(found.dwNumValues, max_values);
  CopyValues(result & AMBREL_COUNT_MASK, found.ftTimeStamps, found.vAttributeValues, nullptr,
             time_stamps, values, nullptr);
  return WithServerFlag(read, result);
}

}  // namespace ambrel
