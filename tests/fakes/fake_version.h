// A system version you set.
#pragma once

#include "fault_plan.h"
#include "platform/version.h"

namespace vantrel::fakes {

class FakeVersion final : public platform::Version {
 public:
  bool GetVersionExA(platform::OsVersionInfo& info) override;
  std::string wine_get_version() override { return wine; }

  FaultPlan faults;  // calls: "GetVersionExA"
  std::uint32_t platformId = platform::kVerPlatformWin32Nt;
  // Windows XP unless a test says otherwise.
  std::uint32_t majorVersion = 5;
  std::uint32_t minorVersion = 1;
  std::string wine;  // empty: Windows itself
};

}  // namespace vantrel::fakes
