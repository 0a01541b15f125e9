// A notification area in memory: it records every Shell_NotifyIconA call and keeps the icons it shows, and
// refuses what the shell refuses (adding a shown icon, changing or deleting a missing one).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fault_plan.h"
#include "platform/shell.h"

namespace vantrel::fakes {

class FakeShell final : public platform::Shell {
 public:
  bool Shell_NotifyIconA(std::uint32_t message, const platform::NotifyIconDataA& data) override;
  bool DllGetVersion(const char* library, std::uint32_t& major, std::uint32_t& minor) override;

  struct Call {
    std::uint32_t message;
    platform::NotifyIconDataA data;
    bool succeeded;
  };
  std::vector<Call> calls;
  // The icons shown, by window and id, as last added or changed.
  std::map<std::pair<platform::HWnd, std::uint32_t>, platform::NotifyIconDataA> icons;
  // The messages of the calls, in order.
  std::vector<std::uint32_t> messages() const;

  std::uint32_t comctlMajor = 5;
  std::uint32_t comctlMinor = 82;
  std::uint32_t shellMajor = 6;  // "shell32.dll"
  std::uint32_t shellMinor = 0;
  FaultPlan faults;  // calls: "Shell_NotifyIconA", "DllGetVersion"
};

}  // namespace vantrel::fakes
