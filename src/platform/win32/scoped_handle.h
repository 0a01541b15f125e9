// Win32 only: one owner per kind of system handle, which gives the handle back when it goes.
#pragma once

#include <utility>

#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

template <typename Traits>
class ScopedHandle {
 public:
  using Handle = typename Traits::Handle;

  ScopedHandle() = default;
  explicit ScopedHandle(Handle handle) : handle_(handle) {}
  ~ScopedHandle() { reset(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return Traits::valid(handle_); }
  Handle release() { return std::exchange(handle_, Traits::invalid()); }
  void reset(Handle handle = Traits::invalid()) {
    if (Traits::valid(handle_)) {
      Traits::close(handle_);
    }
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::invalid();
};

// Traits for handles whose null value means none.
template <typename H, auto Close>
struct NullHandleTraits {
  using Handle = H;
  static Handle invalid() { return nullptr; }
  static bool valid(Handle handle) { return handle != nullptr; }
  static void close(Handle handle) { Close(handle); }
};

using ScopedIcon = ScopedHandle<NullHandleTraits<HICON, ::DestroyIcon>>;
using ScopedMenu = ScopedHandle<NullHandleTraits<HMENU, ::DestroyMenu>>;
using ScopedWindow = ScopedHandle<NullHandleTraits<HWND, ::DestroyWindow>>;
using ScopedImageList = ScopedHandle<NullHandleTraits<HIMAGELIST, ::ImageList_Destroy>>;
using ScopedBitmap = ScopedHandle<NullHandleTraits<HBITMAP, ::DeleteObject>>;
// A kernel object (a token, a mutex) that names none with null.
using ScopedKernelHandle = ScopedHandle<NullHandleTraits<HANDLE, ::CloseHandle>>;

// Memory that a system call allocated for its caller to give back with LocalFree (CommandLineToArgvW's).
using ScopedLocal = ScopedHandle<NullHandleTraits<HLOCAL, ::LocalFree>>;

// An open file, whose none is INVALID_HANDLE_VALUE.
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle invalid() { return INVALID_HANDLE_VALUE; }
  static bool valid(Handle handle) { return handle != INVALID_HANDLE_VALUE; }
  static void close(Handle handle) { ::CloseHandle(handle); }
};
using ScopedFile = ScopedHandle<FileHandleTraits>;

// A folder's listing, whose none is INVALID_HANDLE_VALUE too.
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle invalid() { return INVALID_HANDLE_VALUE; }
  static bool valid(Handle handle) { return handle != INVALID_HANDLE_VALUE; }
  static void close(Handle handle) { ::FindClose(handle); }
};
using ScopedFind = ScopedHandle<FindHandleTraits>;

// An icon in the notification area, named by its window and id; it goes with NIM_DELETE.
struct NotifyIconTraits {
  struct Handle {
    HWND window = nullptr;
    UINT id = 0;
  };
  static Handle invalid() { return {}; }
  static bool valid(Handle handle) { return handle.window != nullptr; }
  static void close(Handle handle) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = handle.window;
    data.uID = handle.id;
    ::Shell_NotifyIconA(NIM_DELETE, &data);
  }
};
using ScopedNotifyIcon = ScopedHandle<NotifyIconTraits>;

}  // namespace vantrel::platform::win32
