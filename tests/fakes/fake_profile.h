// Initialisation files held as text on the fake disk, read and written with the system's rules: a file is
// written only where the disk lets this user write, and without a byte-order mark, so a value keeps only what
// the ANSI code page (Latin-1 here) holds.
#pragma once

#include <map>
#include <set>
#include <string>

#include "fake_file_system.h"
#include "fault_plan.h"
#include "platform/profile.h"

namespace vantrel::fakes {

class FakeProfile final : public platform::Profile {
 public:
  explicit FakeProfile(FakeFileSystem& disk) : files(disk.files), disk_(disk) {}

  std::string GetPrivateProfileStringW(const std::string& section, const std::string& key,
                                       const std::string& defaultValue, const std::u16string& file) override;
  bool WritePrivateProfileStringW(const std::string& section, const std::string& key,
                                  const std::string& value, const std::u16string& file) override;

  FaultPlan faults;  // calls: "GetPrivateProfileStringW", "WritePrivateProfileStringW"
  std::map<std::string, std::string>& files;  // the disk's: UTF-8 path -> content, lines ending in "\r\n"
  std::set<std::string> readOnly;             // paths that cannot be written

 private:
  const FakeFileSystem& disk_;
};

}  // namespace vantrel::fakes
