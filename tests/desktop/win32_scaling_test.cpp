// The framework's native windows when their form moves to a monitor of other dots per inch: everything is
// laid out anew from the layout's 96-dpi units, and the list's column keeps the width it had, at the new
// scale.
#include <gtest/gtest.h>

#include "fake_services.h"
#include "framework/application.h"
#include "framework/comctrls.h"
#include "framework/image_list.h"
#include "framework/std_controls.h"
#include "framework/win32/win32_application.h"
#include "platform/win32/windows_api.h"

namespace vantrel {
namespace {

constexpr UINT kDpiChanged = 0x02E0;

HWND windowOf(const TControl& control) {
  return reinterpret_cast<HWND>(control.Handle());
}

RECT boundsOf(const TControl& control) {
  RECT bounds;
  GetWindowRect(windowOf(control), &bounds);
  MapWindowPoints(nullptr, GetParent(windowOf(control)), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

LONG fontHeight(const TControl& control) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(windowOf(control), WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

TEST(Win32Scaling, AFormMovedToAMonitorOfTwiceTheDpiLaysOutItsControlsAnew) {
  fakes::FakeServices fakes;
  TApplication application(fakes.services, win32::createApplication());
  auto* form = application.CreateForm<TForm>();
  form->SetBounds(0, 0, 300, 200);
  auto* label = new TLabel(form);
  TFont font;
  font.Height = -11;
  label->SetFont(font);
  label->SetBounds(10, 21, 100, 15);
  label->SetParent(form);
  auto* images = new TImageList(form);
  auto* list = new TListView(form);
  list->SmallImages = images;
  list->SetColumns({{"Name", 51}});
  list->SetBounds(0, 40, 200, 100);
  list->SetParent(form);

  // This process is not DPI-aware: it starts at 96 dpi, where the layout's units are pixels.
  const RECT start = boundsOf(*label);
  ASSERT_EQ(start.left, 10);
  ASSERT_EQ(start.bottom, 36);
  ASSERT_EQ(fontHeight(*label), -11);
  HWND listWindow = windowOf(*list);
  // The user widens the column before the move.
  SendMessageA(listWindow, LVM_SETCOLUMNWIDTH, 0, 61);

  RECT suggested{100, 50, 750, 520};
  SendMessageA(windowOf(*form), kDpiChanged, MAKEWPARAM(240, 240), reinterpret_cast<LPARAM>(&suggested));

  RECT frame;
  GetWindowRect(windowOf(*form), &frame);
  EXPECT_EQ(frame.left, 100);
  EXPECT_EQ(frame.right, 750);
  EXPECT_EQ(frame.bottom, 520);
  // Each edge 2.5 times, halves away from zero.
  const RECT moved = boundsOf(*label);
  EXPECT_EQ(moved.left, 25);
  EXPECT_EQ(moved.top, 53);
  EXPECT_EQ(moved.right, 275);
  EXPECT_EQ(moved.bottom, 90);
  EXPECT_EQ(fontHeight(*label), -28);
  EXPECT_EQ(SendMessageA(listWindow, LVM_GETCOLUMNWIDTH, 0, 0), 153);
  // The row images grow by whole factors only: twice at 240 dpi.
  int width = 0;
  int height = 0;
  ImageList_GetIconSize(
      reinterpret_cast<HIMAGELIST>(SendMessageA(listWindow, LVM_GETIMAGELIST, LVSIL_SMALL, 0)), &width,
      &height);
  EXPECT_EQ(width, 32);
  EXPECT_EQ(height, 32);
}

}  // namespace
}  // namespace vantrel
