#include "fake_gdi.h"

#include <gtest/gtest.h>

#include "gdi_contract.h"

namespace vantrel {
namespace {

TEST(FakeGdi, KeepsTheDrawingContract) {
  fakes::FakeGdi gdi;
  contract::checkGdi(gdi, [&gdi](platform::GdiObject dc, int x, int y) { return gdi.image(dc)->at(x, y); });
  EXPECT_EQ(gdi.liveObjects(), 0);
}

}  // namespace
}  // namespace vantrel
