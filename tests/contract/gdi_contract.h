// What the program relies on from drawing and image lists, real or fake: run against the fake natively and
// against the system's under Wine.
#pragma once

#include <functional>

#include "platform/gdi.h"

namespace vantrel::contract {

// The colour of a pixel of the bitmap selected into a context.
using PixelReader = std::function<platform::ColorRef(platform::GdiObject dc, int x, int y)>;

// Leaves no object behind.
void checkGdi(platform::Gdi& gdi, const PixelReader& pixel);

}  // namespace vantrel::contract
