// Owners for blocks the COM task allocator hands us: server results, strings, arrays of strings.
#pragma once

#include <objbase.h>

#include <memory>

namespace win {

struct CoTaskMemDeleter {
  void operator()(void* p) const { CoTaskMemFree(p); }
};

// One block from CoTaskMemAlloc (an array of plain values or one string).
template <typename T>
using CoTaskPtr = std::unique_ptr<T, CoTaskMemDeleter>;

// An array of `count` strings, each a block of its own, in one block: every string is freed,
// then the array. Null arrays and null entries are allowed.
class CoTaskStringArray {
 public:
  CoTaskStringArray() = default;
  CoTaskStringArray(const CoTaskStringArray&) = delete;
  CoTaskStringArray& operator=(const CoTaskStringArray&) = delete;
  ~CoTaskStringArray() { Reset(); }

  // Call after the server has filled Slot() and the count.
  void SetCount(DWORD count) { count_ = count; }
  LPWSTR** Slot() {
    Reset();
    return &strings_;
  }
  const wchar_t* At(DWORD i) const { return strings_ && i < count_ ? strings_[i] : nullptr; }
  void Reset() {
    if (strings_) {
      for (DWORD i = 0; i < count_; ++i) CoTaskMemFree(strings_[i]);
      CoTaskMemFree(strings_);
    }
    strings_ = nullptr;
    count_ = 0;
  }

 private:
  LPWSTR* strings_ = nullptr;
  DWORD count_ = 0;
};

}  // namespace win
