// The system's memory calls in memory: the privileges a token holds and which are enabled, the answers each
// call gives, the processes and which of them refuse; every call is logged with the privileges enabled at the
// time, so a test sees that a privilege was on for its call only.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fault_plan.h"
#include "platform/system_memory.h"

namespace vantrel::fakes {

class FakeSystemMemory final : public platform::SystemMemory {
 public:
  // An administrator's token: both privileges held, neither enabled.
  FakeSystemMemory();

  bool HoldsPrivilege(const char* name) override;
  long AdjustTokenPrivileges(const char* name, bool enable, bool& wasEnabled) override;
  std::uint32_t NtSetSystemInformation(std::uint32_t infoClass, std::uint32_t command) override;
  std::uint32_t NtSetSystemInformation_CombinePages(std::uint64_t& pagesCombined) override;
  std::uint32_t NtSetSystemInformation_NoInput(std::uint32_t infoClass) override;
  long SetSystemFileCacheSize(std::uint64_t minimum, std::uint64_t maximum, std::uint32_t flags) override;
  std::vector<std::uint32_t> EnumProcesses() override;
  long EmptyWorkingSet(std::uint32_t processId) override;
  std::string ProcessName(std::uint32_t processId) override {
    const auto name = processNames.find(processId);
    return name == processNames.end() ? std::string() : name->second;
  }
  bool NtQuerySystemInformation_PageReadCount(std::uint32_t& pages) override {
    if (pageReadCount) {
      pages = *pageReadCount;
    }
    return pageReadCount.has_value();
  }

  bool GetPerformanceInfo_Commit(platform::CommitCharge& figures) override {
    if (commit) {
      figures = *commit;
    }
    return commit.has_value();
  }
  std::optional<platform::PageFileUse> NtQuerySystemInformation_PageFiles() override { return pageFiles; }

  // A standard user's token: neither privilege held.
  void asStandardUser() { held.clear(); }

  FaultPlan faults;  // calls as named above; a failed call answers failureStatus or failureError
  std::uint32_t failureStatus = platform::kStatusAccessDenied;
  long failureError = platform::kErrorAccessDenied;

  // The pages read in from disk since start-up; none: the system gives no count.
  std::optional<std::uint32_t> pageReadCount;
  // The commit charge and the page files; none: the system cannot tell.
  std::optional<platform::CommitCharge> commit;
  std::optional<platform::PageFileUse> pageFiles;
  std::set<std::string> held;
  std::set<std::string> enabled;
  // What NtSetSystemInformation answers, by command (kStatusSuccess for any other).
  std::map<std::uint32_t, std::uint32_t> statusOfCommand;
  // What the calls without a list command answer, by information class (kStatusSuccess for any other), and
  // the pages the combining reports where it succeeds.
  std::map<std::uint32_t, std::uint32_t> statusOfClass;
  std::uint64_t pagesCombined = 0;
  long fileCacheError = 0;
  // The running processes, this one among them; EmptyWorkingSet of any other id answers
  // kErrorInvalidParameter, as OpenProcess does.
  std::vector<std::uint32_t> processes = {0, 4, 100, 200};
  std::uint32_t ownProcessId = 100;
  // Processes whose EmptyWorkingSet answers this error instead of 0.
  std::map<std::uint32_t, long> refusingProcesses;
  // The executables' file names, by process; a process not named here cannot be named.
  std::map<std::uint32_t, std::string> processNames;

  // One line per call that reached the system, as "NtSetSystemInformation 80 4 [SeProfile...Privilege]"
  // ("combine" or "none" in place of the command for the calls without one).
  std::vector<std::string> log;
  // Runs at each call, before it answers (a test can make a call take long, or watch what it may touch).
  std::function<void()> onCall;

 private:
  static bool known(const std::string& name);
  std::string enabledNames() const;
  std::uint32_t classCall(std::uint32_t infoClass, const char* input);
};

}  // namespace vantrel::fakes
