#include "fake_system_memory.h"

#include <algorithm>

namespace vantrel::fakes {

FakeSystemMemory::FakeSystemMemory()
    : held{platform::kSeProfileSingleProcessPrivilege, platform::kSeIncreaseQuotaPrivilege} {}

// Every privilege of Windows is named "Se...Privilege"; LookupPrivilegeValue knows no other name.
bool FakeSystemMemory::known(const std::string& name) {
  const std::string prefix = "Se";
  const std::string suffix = "Privilege";
  return name.size() > prefix.size() + suffix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
         name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string FakeSystemMemory::enabledNames() const {
  std::string names;
  for (const std::string& name : enabled) {
    names += names.empty() ? name : " " + name;
  }
  return "[" + names + "]";
}

bool FakeSystemMemory::HoldsPrivilege(const char* name) {
  if (onCall) {
    onCall();
  }
  return !faults.shouldFail("HoldsPrivilege") && held.count(name) != 0;
}

long FakeSystemMemory::AdjustTokenPrivileges(const char* name, bool enable, bool& wasEnabled) {
  if (onCall) {
    onCall();
  }
  if (faults.shouldFail("AdjustTokenPrivileges")) {
    return failureError;
  }
  if (held.count(name) == 0) {
    return known(name) ? platform::kErrorNotAllAssigned : platform::kErrorNoSuchPrivilege;
  }
  wasEnabled = enabled.count(name) != 0;
  if (enable) {
    enabled.insert(name);
  } else {
    enabled.erase(name);
  }
  return 0;
}

std::uint32_t FakeSystemMemory::NtSetSystemInformation(std::uint32_t infoClass, std::uint32_t command) {
  if (onCall) {
    onCall();
  }
  log.push_back("NtSetSystemInformation " + std::to_string(infoClass) + " " + std::to_string(command) + " " +
                enabledNames());
  if (faults.shouldFail("NtSetSystemInformation")) {
    return failureStatus;
  }
  const auto answer = statusOfCommand.find(command);
  return answer == statusOfCommand.end() ? platform::kStatusSuccess : answer->second;
}

std::uint32_t FakeSystemMemory::classCall(std::uint32_t infoClass, const char* input) {
  if (onCall) {
    onCall();
  }
  log.push_back("NtSetSystemInformation " + std::to_string(infoClass) + " " + input + " " + enabledNames());
  if (faults.shouldFail("NtSetSystemInformation")) {
    return failureStatus;
  }
  const auto answer = statusOfClass.find(infoClass);
  return answer == statusOfClass.end() ? platform::kStatusSuccess : answer->second;
}

std::uint32_t FakeSystemMemory::NtSetSystemInformation_CombinePages(std::uint64_t& pages) {
  const std::uint32_t status = classCall(platform::kSystemCombinePhysicalMemoryInformation, "combine");
  pages = status < 0x80000000u ? pagesCombined : 0;
  return status;
}

std::uint32_t FakeSystemMemory::NtSetSystemInformation_NoInput(std::uint32_t infoClass) {
  return classCall(infoClass, "none");
}

long FakeSystemMemory::SetSystemFileCacheSize(std::uint64_t minimum, std::uint64_t maximum,
                                              std::uint32_t flags) {
  if (onCall) {
    onCall();
  }
  log.push_back("SetSystemFileCacheSize " + std::to_string(minimum) + " " + std::to_string(maximum) + " " +
                std::to_string(flags) + " " + enabledNames());
  if (faults.shouldFail("SetSystemFileCacheSize")) {
    return failureError;
  }
  return fileCacheError;
}

std::vector<std::uint32_t> FakeSystemMemory::EnumProcesses() {
  if (onCall) {
    onCall();
  }
  if (faults.shouldFail("EnumProcesses")) {
    return {};
  }
  return processes;
}

long FakeSystemMemory::EmptyWorkingSet(std::uint32_t processId) {
  if (onCall) {
    onCall();
  }
  log.push_back("EmptyWorkingSet " + std::to_string(processId) + " " + enabledNames());
  if (faults.shouldFail("EmptyWorkingSet")) {
    return failureError;
  }
  if (std::find(processes.begin(), processes.end(), processId) == processes.end()) {
    return platform::kErrorInvalidParameter;
  }
  const auto refusal = refusingProcesses.find(processId);
  return refusal == refusingProcesses.end() ? 0 : refusal->second;
}

}  // namespace vantrel::fakes
