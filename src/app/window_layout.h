// Where the Startup Manager's lists go in a window of any size: they take the page's whole width and share
// the height it gained beyond the smallest window, the upper list the first half, the lower the rest; the
// button panel between them keeps its height and moves with the upper list's end, and the row of the box
// "Hide Windows' own entries" keeps its height above the upper list.
#pragma once

#include "startup/startup_page.h"

namespace vantrel {

// For a window's client area of that size (layout units); a size below the smallest window's counts as it.
StartupLayout LayOutStartupPage(int width, int height);

}  // namespace vantrel
