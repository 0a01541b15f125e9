// A system version you set.
#pragma once

#include "fault_plan.h"
#include "platform/version.h"

namespace vantrel::fakes {

class FakeVersion final : public platform::Version {
 public:
  bool GetVersionExA(std::uint32_t& platformId) override;

  FaultPlan faults;  // calls: "GetVersionExA"
  std::uint32_t platformId = platform::kVerPlatformWin32Nt;
};

}  // namespace vantrel::fakes
