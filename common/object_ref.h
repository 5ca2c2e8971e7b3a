// A variable holding one of the shared objects. Using it while it is empty
// (start-up failed before creating the object) raises error 91, as the host
// does for an object variable that was never set.
#pragma once

#include <memory>

#include "common/errors.h"

namespace pravex {

template <class T>
class ObjectRef {
 public:
  ObjectRef() = default;
  ObjectRef(std::unique_ptr<T> object) : object_(std::move(object)) {}  // NOLINT: assignment form

  ObjectRef& operator=(std::unique_ptr<T> object) {
    object_ = std::move(object);
    return *this;
  }

  T* operator->() const {
    if (!object_) Raise(error::kObjectNotSet);
    return object_.get();
  }
  T& operator*() const { return *operator->(); }

  explicit operator bool() const noexcept { return object_ != nullptr; }

 private:
  std::unique_ptr<T> object_;
};

}  // namespace pravex
