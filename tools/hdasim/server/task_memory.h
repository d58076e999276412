// Results handed to a client live in CoTaskMem blocks. A TaskArray owns one such array, frees
// whatever its elements own if the call fails half-way, and lets go of it on success.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <cstring>
#include <new>
#include <string_view>
#include <utility>

#include "opc/opc.h"

namespace hdasim {

// What an element of a result array owns, freed the way the client would free it.
inline void FreeOwned(VARIANT& v) { VariantClear(&v); }
inline void FreeOwned(LPWSTR& s) {
  CoTaskMemFree(s);
  s = nullptr;
}
void FreeOwned(OPCHDA_ITEM& item);
void FreeOwned(OPCHDA_MODIFIEDITEM& item);
void FreeOwned(OPCHDA_ATTRIBUTE& attribute);
template <typename T>
void FreeOwned(T&) {}  // plain data

template <typename T>
class TaskArray {
 public:
  TaskArray() = default;
  // Zero-filled; throws std::bad_alloc when the allocator refuses. Zero elements hold nothing.
  explicit TaskArray(std::size_t count) : count_(count) {
    if (count == 0) return;
    if (count > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
    data_ = static_cast<T*>(CoTaskMemAlloc(count * sizeof(T)));
    if (!data_) throw std::bad_alloc();
    std::memset(static_cast<void*>(data_), 0, count * sizeof(T));
  }
  ~TaskArray() { Reset(); }
  TaskArray(TaskArray&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)), count_(std::exchange(other.count_, 0)) {}
  TaskArray& operator=(TaskArray&& other) noexcept {
    if (this != &other) {
      Reset();
      data_ = std::exchange(other.data_, nullptr);
      count_ = std::exchange(other.count_, 0);
    }
    return *this;
  }
  TaskArray(const TaskArray&) = delete;
  TaskArray& operator=(const TaskArray&) = delete;

  T& operator[](std::size_t i) { return data_[i]; }
  T* Get() const { return data_; }
  std::size_t Size() const { return count_; }
  T* Release() {
    count_ = 0;
    return std::exchange(data_, nullptr);
  }

 private:
  void Reset() {
    if (!data_) return;
    for (std::size_t i = 0; i < count_; ++i) FreeOwned(data_[i]);
    CoTaskMemFree(data_);
    data_ = nullptr;
    count_ = 0;
  }

  T* data_ = nullptr;
  std::size_t count_ = 0;
};

// S_FALSE when any per-item code is not S_OK (success codes included), else S_OK.
inline HRESULT CallResult(const TaskArray<HRESULT>& errors) {
  for (std::size_t i = 0; i < errors.Size(); ++i)
    if (errors.Get()[i] != S_OK) return S_FALSE;
  return S_OK;
}

// A CoTaskMem copy of a string; throws std::bad_alloc.
LPWSTR TaskString(std::wstring_view text);

}  // namespace hdasim
