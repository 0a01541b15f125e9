// mingw-w64 only. The posix-thread runtime that the toolchain links in calls GetTickCount64, which Windows XP
// lacks, and Windows does not load an executable that imports a function its DLL lacks. This file fills the
// import slot itself, ahead of kernel32's import library: the system's GetTickCount64 where it exists,
// otherwise GetTickCount widened by counting its wraps.
#include <atomic>
#include <cstdint>

#include "platform/win32/system_library.h"
#include "platform/win32/windows_api.h"

namespace {

using TickCount64Fn = ULONGLONG(WINAPI*)();

const TickCount64Fn systemTickCount64 =
    vantrel::platform::win32::SystemCall<TickCount64Fn>(GetModuleHandleA("kernel32.dll"), "GetTickCount64");

// The wraps seen so far (high half) and the last reading (low half).
std::atomic<std::uint64_t> lastTicks{0};

ULONGLONG WINAPI tickCount64() {
  if (systemTickCount64) {
    return systemTickCount64();
  }
  const DWORD now = GetTickCount();
  std::uint64_t seen = lastTicks.load();
  for (;;) {
    const auto last = static_cast<DWORD>(seen);
    std::uint64_t wraps = seen >> 32;
    // A reading a little older than the last one comes from another thread, not from a wrap.
    if (now < last && last - now > 0x80000000u) {
      ++wraps;
    } else if (now < last) {
      return wraps << 32 | now;
    }
    const std::uint64_t next = wraps << 32 | now;
    if (lastTicks.compare_exchange_weak(seen, next)) {
      return next;
    }
  }
}

}  // namespace

#ifdef _WIN64
extern "C" TickCount64Fn tickCount64Import __asm__("__imp_GetTickCount64");
#else
extern "C" TickCount64Fn tickCount64Import __asm__("__imp__GetTickCount64@0");
#endif
TickCount64Fn tickCount64Import = tickCount64;
