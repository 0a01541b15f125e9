// Dialogs that record what they were asked to show and answer as a test says.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "fault_plan.h"
#include "platform/dialogs.h"

namespace vantrel::fakes {

class FakeDialogs final : public platform::Dialogs {
 public:
  struct Box {
    std::string text;
    std::string caption;
    std::uint32_t type;
  };

  int MessageBoxA(platform::WindowHandle owner, const std::string& text, const std::string& caption,
                  std::uint32_t type) override;
  bool MessageBeep(std::uint32_t type) override;
  bool GetOpenFileNameA(platform::WindowHandle owner, std::string& fileName) override;

  FaultPlan faults;  // calls: "MessageBoxA", "MessageBeep", "GetOpenFileNameA"
  std::vector<Box> boxes;
  int beeps = 0;
  // Answers of the file-open dialog, first one first; an empty answer (or none left) cancels.
  std::deque<std::string> chosenFiles;
};

}  // namespace vantrel::fakes
