// Win32 only: the native side of the application object.
#pragma once

#include <memory>

#include "framework/native.h"

namespace vantrel::win32 {

std::unique_ptr<NativeApplication> createApplication();

}  // namespace vantrel::win32
