// Win32 only: the standard window of each kind of control.
#pragma once

#include <memory>

#include "framework/controls.h"
#include "framework/native.h"
#include "platform/win32/windows_api.h"

namespace vantrel::win32 {

std::unique_ptr<NativeControl> createControl(TControl& control, HWND parent);

}  // namespace vantrel::win32
