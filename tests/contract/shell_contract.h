// What the tray icon relies on from any notification area, real or fake: run against the fake natively and
// against the shell under Wine on a desktop with a tray host.
#pragma once

#include "platform/shell.h"

namespace vantrel::contract {

// Adds, changes and removes an icon of `window`, which takes its callbacks; leaves none behind.
void checkShell(platform::Shell& shell, platform::HWnd window);

}  // namespace vantrel::contract
