// Win32 only: the real operating-system services of the product.
#include "platform/win32/win32_services.h"

#include "platform/win32/win32_memory.h"
#include "platform/win32/win32_registry.h"

namespace vantrel::platform::win32 {

Services& services() {
  static Win32Memory memory;
  static Win32Registry registry;
  static Services real{&memory, &registry};
  return real;
}

}  // namespace vantrel::platform::win32
