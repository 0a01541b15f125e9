// Win32 only: the benchmark's windows are the system's.
#include "bench_native.h"
#include "framework/win32/win32_application.h"

namespace vantrel::bench {

std::unique_ptr<NativeApplication> nativeApplication() {
  return win32::createApplication();
}

}  // namespace vantrel::bench
