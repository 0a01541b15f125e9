// Win32 only: the user's regional settings.
#pragma once

#include "platform/locale.h"

namespace vantrel::platform::win32 {

class Win32Locale final : public Locale {
 public:
  std::string GetLocaleInfoA(std::uint32_t type) override;
  int lstrcmpW(const char16_t* a, const char16_t* b) override;
};

}  // namespace vantrel::platform::win32
