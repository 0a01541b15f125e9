// Win32 only: the standard window of each kind of control.
#pragma once

#include <memory>

#include "framework/controls.h"
#include "framework/image_list.h"
#include "framework/native.h"
#include "platform/win32/windows_api.h"

namespace vantrel::win32 {

std::unique_ptr<NativeControl> createControl(TControl& control, HWND parent);
// The images of a list, loaded from the resources at their size times a whole factor; the caller owns it.
HIMAGELIST createImageList(const TImageList& list, int factor);

}  // namespace vantrel::win32
