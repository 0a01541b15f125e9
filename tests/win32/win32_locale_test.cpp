#include "platform/win32/win32_locale.h"

#include <gtest/gtest.h>

#include "locale_contract.h"

namespace vantrel {
namespace {

TEST(Win32Locale, KeepsTheLocaleContract) {
  platform::win32::Win32Locale locale;
  contract::checkLocale(locale);
}

}  // namespace
}  // namespace vantrel
