// Initialisation files held as text in memory, read and written with the system's rules.
#pragma once

#include <map>
#include <set>
#include <string>

#include "fault_plan.h"
#include "platform/profile.h"

namespace vantrel::fakes {

class FakeProfile final : public platform::Profile {
 public:
  std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                       const std::string& defaultValue, const std::string& file) override;
  bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                  const std::string& value, const std::string& file) override;

  FaultPlan faults;  // calls: "GetPrivateProfileStringA", "WritePrivateProfileStringA"
  std::map<std::string, std::string> files;  // path -> content, lines ending in "\r\n"
  std::set<std::string> readOnly;            // paths that cannot be written
};

}  // namespace vantrel::fakes
