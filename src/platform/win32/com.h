// Win32 only: COM on the calling thread, and the interface pointers it hands out.
#pragma once

#include "platform/win32/system_library.h"
#include "platform/win32/windows_api.h"
// After <windows.h>, which it needs.
#include <objbase.h>

namespace vantrel::platform::win32 {

// A system library held for as long as this lives, and let go of when it goes.
class HeldLibrary {
 public:
  explicit HeldLibrary(const wchar_t* name) : module_(LoadSystemLibrary(name)) {}
  ~HeldLibrary() {
    if (module_ != nullptr) {
      ::FreeLibrary(module_);
    }
  }
  HeldLibrary(const HeldLibrary&) = delete;
  HeldLibrary& operator=(const HeldLibrary&) = delete;
  HMODULE get() const { return module_; }

 private:
  HMODULE module_;
};

// COM on this thread for as long as it lives, where the thread does not have it already. Its library is
// loaded only for the calls that need it, not imported: a program that sits in the tray and never needs COM
// holds none of it (its library, its threads, its heaps).
class ComApartment {
 public:
  ComApartment()
      : uninitialise_(SystemCall<decltype(&::CoUninitialize)>(library_.get(), "CoUninitialize")),
        create_(SystemCall<decltype(&::CoCreateInstance)>(library_.get(), "CoCreateInstance")) {
    const auto initialise = SystemCall<decltype(&::CoInitialize)>(library_.get(), "CoInitialize");
    initialised_ = initialise != nullptr && uninitialise_ != nullptr && SUCCEEDED(initialise(nullptr));
  }
  ~ComApartment() {
    if (initialised_) {
      uninitialise_();
    }
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  // CoCreateInstance of an in-process server; REGDB_E_CLASSNOTREG where COM itself is missing.
  HRESULT CreateInstance(const CLSID& type, const IID& wanted, void** out) const {
    return create_ != nullptr ? create_(type, nullptr, CLSCTX_INPROC_SERVER, wanted, out)
                              : REGDB_E_CLASSNOTREG;
  }

 private:
  // First in, last out: COM is uninitialised before its library is let go of.
  HeldLibrary library_{L"ole32.dll"};
  decltype(&::CoUninitialize) uninitialise_;
  decltype(&::CoCreateInstance) create_;
  bool initialised_ = false;
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
