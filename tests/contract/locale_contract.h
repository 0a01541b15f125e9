// What the program relies on from the user's regional settings, real or fake: run against the fake natively
// and against the system under Wine.
#pragma once

#include "platform/locale.h"

namespace vantrel::contract {

void checkLocale(platform::Locale& locale);

}  // namespace vantrel::contract
