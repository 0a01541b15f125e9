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

  int MessageBoxW(platform::WindowHandle owner, const std::u16string& text, const std::u16string& caption,
                  std::uint32_t type) override;
  bool MessageBeep(std::uint32_t type) override;
  bool GetOpenFileNameW(platform::WindowHandle owner, std::u16string& fileName) override;

  FaultPlan faults;        // calls: "MessageBoxW", "MessageBeep", "GetOpenFileNameW"
  std::vector<Box> boxes;  // texts in UTF-8
  int beeps = 0;
  // Answers of the file-open dialog (UTF-8), first one first; an empty answer (or none left) cancels.
  std::deque<std::string> chosenFiles;
};

}  // namespace vantrel::fakes
