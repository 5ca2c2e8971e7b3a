// The little COM the text view's accessible objects need: a counted
// reference, reference counting for objects of our own, and the guard that
// keeps exceptions inside a COM method.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <atomic>
#include <memory>
#include <new>
#include <utility>

namespace pravex::win32 {

// One reference to a COM object, released when this goes.
template <class T>
class ComRef {
 public:
  ComRef() = default;
  // Takes over a reference the caller holds.
  explicit ComRef(T* adopted) noexcept : p_(adopted) {}
  ComRef(const ComRef& other) noexcept : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  ComRef(ComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComRef& operator=(ComRef other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComRef() { reset(); }

  // A new reference to `p`.
  static ComRef Share(T* p) noexcept {
    if (p) p->AddRef();
    return ComRef(p);
  }

  T* get() const noexcept { return p_; }
  T* operator->() const noexcept { return p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }
  // For an out parameter that hands over a reference.
  T** Receive() noexcept {
    reset();
    return &p_;
  }
  // Gives the reference to the caller, as an out parameter does.
  T* Detach() noexcept { return std::exchange(p_, nullptr); }
  void reset() noexcept {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }

 private:
  T* p_ = nullptr;
};

// Reference counting for the objects the view hands out. Made through
// MakeCom, which holds the first reference; the last Release destroys it.
// Counted atomically: a COM runtime may add and drop references from any
// thread, though every call comes on the window's thread.
class RefCounted {
 public:
  RefCounted() = default;
  RefCounted(const RefCounted&) = delete;
  RefCounted& operator=(const RefCounted&) = delete;
  virtual ~RefCounted() = default;

 protected:
  ULONG AddReference() noexcept { return ++references_; }
  ULONG DropReference() noexcept {
    const ULONG left = --references_;
    if (left == 0) std::unique_ptr<RefCounted> last(this);
    return left;
  }

 private:
  std::atomic<ULONG> references_{1};
};

template <class T, class... Args>
ComRef<T> MakeCom(Args&&... args) {
  return ComRef<T>(std::make_unique<T>(std::forward<Args>(args)...).release());
}

// Runs a COM method's body: no exception leaves it.
template <class Body>
HRESULT Guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

// Hands a new reference to `p` out through `out`, as QueryInterface does.
template <class Interface>
HRESULT GiveOut(Interface* p, void** out) noexcept {
  p->AddRef();
  *out = p;
  return S_OK;
}

}  // namespace pravex::win32
