// Owned character storage for the string classes: a small inline array that every string starts
// with, replaced by a heap block when the text outgrows it. A moved-from holder falls back to its
// inline array, so a string always has a buffer without allocating in a move.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <utility>

namespace text {
namespace detail {
// Heap blocks for the string classes; nullptr when the allocation fails (never throws).
void* AllocateBytes(std::size_t bytes);
void FreeBytes(void* block);
}  // namespace detail

namespace faults {
// The next `count` string allocations fail, for tests of the failure paths.
void FailNextAllocations(int count);
}  // namespace faults

template <typename Unit, std::uint32_t kInlineUnits>
class UnitBuffer {
 public:
  UnitBuffer() = default;
  ~UnitBuffer() { FreeHeap(); }
  UnitBuffer(const UnitBuffer&) = delete;
  UnitBuffer& operator=(const UnitBuffer&) = delete;

  UnitBuffer(UnitBuffer&& other) noexcept { TakeFrom(other); }
  UnitBuffer& operator=(UnitBuffer&& other) noexcept {
    if (this != &other) {
      FreeHeap();
      TakeFrom(other);
    }
    return *this;
  }

  Unit* Data() { return data_; }
  const Unit* Data() const { return data_; }
  std::uint32_t Capacity() const { return capacity_; }
  bool Contains(const Unit* p) const {
    std::less<const Unit*> before;  // defined for pointers into unrelated objects too
    return !before(p, data_) && before(p, data_ + capacity_);
  }

  // Moves to a new heap block of `capacity` units keeping the first `keep` units.
  // Returns true when the allocation fails; the old block is then kept.
  bool Reallocate(std::uint32_t capacity, std::uint32_t keep) {
    auto* block = static_cast<Unit*>(detail::AllocateBytes(std::size_t{capacity} * sizeof(Unit)));
    if (block == nullptr) return true;
    std::memcpy(block, data_, std::size_t{keep} * sizeof(Unit));
    FreeHeap();
    data_ = block;
    capacity_ = capacity;
    return false;
  }

  // Back to the inline array; its content is undefined afterwards.
  void Reset() {
    FreeHeap();
    data_ = inline_;
    capacity_ = kInlineUnits;
  }

 private:
  bool OnHeap() const { return data_ != inline_; }
  void FreeHeap() {
    if (OnHeap()) detail::FreeBytes(data_);
  }
  // Expects this holder's heap block to be released already; leaves `other` on its inline array.
  void TakeFrom(UnitBuffer& other) {
    if (other.OnHeap()) {
      data_ = other.data_;
      capacity_ = other.capacity_;
    } else {
      std::memcpy(inline_, other.inline_, sizeof inline_);
      data_ = inline_;
      capacity_ = kInlineUnits;
    }
    other.data_ = other.inline_;
    other.capacity_ = kInlineUnits;
    other.inline_[0] = Unit{};
  }

  Unit inline_[kInlineUnits] = {};
  Unit* data_ = inline_;
  std::uint32_t capacity_ = kInlineUnits;
};

}  // namespace text
