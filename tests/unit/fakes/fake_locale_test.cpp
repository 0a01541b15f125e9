#include "fake_locale.h"

#include <gtest/gtest.h>

#include "locale_contract.h"

namespace vantrel {
namespace {

TEST(FakeLocale, KeepsTheLocaleContract) {
  fakes::FakeLocale locale;
  contract::checkLocale(locale);
}

}  // namespace
}  // namespace vantrel
