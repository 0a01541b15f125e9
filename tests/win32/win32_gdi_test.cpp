#include "platform/win32/win32_gdi.h"

#include <gtest/gtest.h>

#include "gdi_contract.h"
#include "platform/win32/windows_api.h"

namespace vantrel {
namespace {

TEST(Win32Gdi, KeepsTheDrawingContract) {
  platform::win32::Win32Gdi gdi;
  const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  contract::checkGdi(gdi, [](platform::GdiObject dc, int x, int y) {
    return static_cast<platform::ColorRef>(GetPixel(reinterpret_cast<HDC>(dc), x, y));
  });
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
}

}  // namespace
}  // namespace vantrel
