// Who may change the fake disks' files and folders, as Windows answers on a machine set up as it ships: the
// drive's root lets every user make folders; Program Files and the Windows folder belong to TrustedInstaller
// and only administrators may change them; ProgramData lets users add to it, and what a user makes there or
// under the root is theirs; the profile is its user's. A folder made for administrators only is owned by
// Administrators. A test may give any path a descriptor of its own.
#pragma once

#include <map>
#include <string>

#include "fake_file_system.h"
#include "fault_plan.h"
#include "platform/file_security.h"

namespace vantrel::fakes {

class FakeFileSecurity final : public platform::FileSecurity {
 public:
  explicit FakeFileSecurity(const FakeFileSystem& fileSystem) : fileSystem_(fileSystem) {}

  long GetNamedSecurityInfoW(const std::u16string& path, platform::SecurityInfo* info) override;
  std::string GetTokenInformation_User() override { return user; }

  std::string user = "S-1-5-21-1-2-3-1001";  // Ann's
  std::string profile = "C:\\Users\\Ann";
  std::map<std::string, platform::SecurityInfo> descriptors;  // path -> what it answers instead, UTF-8
  FaultPlan faults;  // calls: "GetNamedSecurityInfoW", which then answers kErrorAccessDenied

 private:
  const FakeFileSystem& fileSystem_;
};

}  // namespace vantrel::fakes
