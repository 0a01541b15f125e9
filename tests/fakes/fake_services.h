// Every fake service in one place, wired into the Services a program instance takes.
#pragma once

#include "fake_dialogs.h"
#include "fake_locale.h"
#include "fake_memory.h"
#include "fake_process.h"
#include "fake_profile.h"
#include "fake_registry.h"
#include "platform/services.h"

namespace vantrel::fakes {

struct FakeServices {
  FakeMemory memory;
  FakeRegistry registry;
  FakeProfile profile;
  FakeProcess process;
  FakeDialogs dialogs;
  FakeLocale locale;
  platform::Services services{&memory, &registry, &profile, &process, &dialogs, &locale};
};

}  // namespace vantrel::fakes
