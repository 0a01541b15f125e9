// Win32 only: the real operating-system services of the product.
#pragma once

#include "platform/services.h"

namespace vantrel::platform::win32 {

Services& services();

// From here on, the libraries that the program or Windows loads for it by name come from the system folder
// only. Where Windows lacks the call (before 8, and Vista or 7 without the update that adds it), nothing
// changes: the program loads its own by full path anyway (system_library.h).
void SearchSystemFolderOnly();

}  // namespace vantrel::platform::win32
