// Win32 only: COM on the calling thread, and the interface pointers it hands out.
#pragma once

#include "platform/win32/windows_api.h"
// After <windows.h>, which it needs.
#include <objbase.h>

namespace vantrel::platform::win32 {

// COM on this thread for as long as it lives, where the thread does not have it already.
class ComApartment {
 public:
  ComApartment() : initialised_(SUCCEEDED(::CoInitialize(nullptr))) {}
  ~ComApartment() {
    if (initialised_) {
      ::CoUninitialize();
    }
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_;
};

// A COM interface pointer, released when it goes.
template <typename Interface>
class ComPointer {
 public:
  ComPointer() = default;
  ~ComPointer() {
    if (pointer_ != nullptr) {
      pointer_->Release();
    }
  }
  ComPointer(const ComPointer&) = delete;
  ComPointer& operator=(const ComPointer&) = delete;
  Interface* operator->() const { return pointer_; }
  // For the calls that hand out an interface of a type they are told at run time.
  void** out() { return reinterpret_cast<void**>(&pointer_); }
  Interface** put() { return &pointer_; }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace vantrel::platform::win32
