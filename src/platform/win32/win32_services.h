// Win32 only: the real operating-system services of the product.
#pragma once

#include "platform/services.h"

namespace vantrel::platform::win32 {

Services& services();

}  // namespace vantrel::platform::win32
