// The little COM the text view's accessible objects need: a counted
// reference, and the one base of the objects themselves, which counts their
// references, keeps exceptions inside their methods and answers for them
// once the view is gone.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <atomic>
#include <memory>
#include <new>
#include <utility>

#include "win32/text_view/text_view_link.h"

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

// COM interfaces have no virtual destructor, by COM's design: an object goes
// by Release, never by delete through an interface. This is the one place
// that tells the compiler so.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// The base of the COM interfaces the program declares itself, where the
// system headers at hand lack them (uia_declarations.h).
struct ComInterface : public IUnknown {
 protected:
  ~ComInterface() = default;
};

// The base of the view's accessible objects, implementing `Interfaces`:
// counts references (the object is destroyed through RefCounted's virtual
// destructor) and runs each method's body through Run.
template <HRESULT kGone, class... Interfaces>
class TextViewObject : public RefCounted, public Interfaces... {
 public:
  ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
  ULONG STDMETHODCALLTYPE Release() override { return DropReference(); }

 protected:
  explicit TextViewObject(std::shared_ptr<TextViewLink> link) : link_(std::move(link)) {}

  // Runs a method's body against the view, behind the guard; once the view
  // is gone, the element is too, and the method answers `kGone`. `out`,
  // where given, is checked and cleared first.
  template <class Body>
  HRESULT Run(Body&& body) {
    return Guarded([&]() -> HRESULT {
      TextView* view = link_->view;
      if (!view) return kGone;
      Refresh(*view);
      return body(*view);
    });
  }
  template <class Out, class Body>
  HRESULT Run(Out* out, Body&& body) {
    if (!out) return E_POINTER;
    *out = Out{};
    return Run(std::forward<Body>(body));
  }

  // Brings what the object keeps of the view up to date, before each body.
  virtual void Refresh(TextView&) {}

  const std::shared_ptr<TextViewLink> link_;
};

#pragma GCC diagnostic pop

}  // namespace pravex::win32
