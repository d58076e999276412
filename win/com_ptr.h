// The project's one COM smart pointer: owns one reference, moves, copies by AddRef, and hands
// out its slot for out-parameters.
#pragma once

#include <unknwn.h>

#include <memory>
#include <utility>

namespace win {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes over a reference the caller already owns.
  static ComPtr Attach(T* p) {
    ComPtr result;
    result.p_ = p;
    return result;
  }
  // Adds a reference of its own.
  static ComPtr Share(T* p) {
    if (p) p->AddRef();
    return Attach(p);
  }
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr& operator=(const ComPtr& other) {
    if (this != std::addressof(other)) *this = Share(other.p_);
    return *this;
  }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    // std::addressof: the overloaded & would release the source.
    if (this != std::addressof(other)) {
      Reset();
      p_ = std::exchange(other.p_, nullptr);
    }
    return *this;
  }

  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // Gives up ownership without releasing.
  T* Detach() { return std::exchange(p_, nullptr); }
  void Reset() {
    if (T* old = std::exchange(p_, nullptr)) old->Release();
  }
  // For out-parameters: releases what is held and hands out the slot.
  T** operator&() {
    Reset();
    return &p_;
  }
  // QueryInterface into another smart pointer; an empty pointer on failure.
  template <typename U>
  HRESULT As(const IID& iid, ComPtr<U>* out) const {
    if (!p_) return E_POINTER;
    return p_->QueryInterface(iid, reinterpret_cast<void**>(&*out));
  }
  // Hands a new reference to a raw out-parameter.
  HRESULT CopyTo(T** out) const {
    if (!out) return E_POINTER;
    *out = p_;
    if (p_) p_->AddRef();
    return S_OK;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace win
