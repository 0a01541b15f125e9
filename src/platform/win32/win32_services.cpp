// Win32 only: the real operating-system services of the product.
#include "platform/win32/win32_services.h"

#include "platform/win32/win32_memory.h"
#include "platform/win32/win32_performance_data.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_version.h"

namespace vantrel::platform::win32 {

Services& services() {
  static Win32Memory memory;
  static Win32Registry registry;
  static Win32Version version;
  static Win32PerformanceData performanceData;
  static Services real{&memory, &registry, &version, &performanceData};
  return real;
}

}  // namespace vantrel::platform::win32
