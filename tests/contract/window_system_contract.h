// What the tray icon and the simple timer rely on from any window system, real or fake: run against the fake
// natively and against the system under Wine, so that the fake cannot drift from the real thing.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/window_system.h"

namespace vantrel::contract {

// `wait(ms)` lets that much time pass with messages delivered (the fake's clock, or a message loop).
void checkWindowSystem(platform::WindowSystem& windows, const std::function<void(std::uint32_t ms)>& wait);

}  // namespace vantrel::contract
