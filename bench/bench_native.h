// The native side a benchmark's windows stand on: the system's windows on Windows, none elsewhere.
#pragma once

#include <memory>

#include "framework/native.h"

namespace vantrel::bench {

std::unique_ptr<NativeApplication> nativeApplication();

}  // namespace vantrel::bench
