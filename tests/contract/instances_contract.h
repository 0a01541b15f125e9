// What the one-copy rule relies on from the session's named objects, real or fake: run against the fake
// natively and against the system under Wine.
#pragma once

#include "platform/instances.h"

namespace vantrel::contract {

// Makes, opens and closes a mutex of `name`, which no one else may hold; leaves none behind.
void checkInstances(platform::Instances& instances, const char* name);
// Takes and gives back a mutex of `name` held in turn by this thread and by others, as copies of the program
// hold it; leaves none behind.
void checkMutexHolding(platform::Instances& instances, const char* name);
// Finds `window`, a top-level window of `className` titled `title` that the caller made, among the windows of
// its class, and reads its title.
void checkWindowFinding(platform::Instances& instances, platform::HWnd window, const char* className,
                        const char* title);

}  // namespace vantrel::contract
