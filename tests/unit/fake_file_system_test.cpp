#include "fake_file_system.h"

#include <gtest/gtest.h>

#include "fake_profile.h"
#include "file_system_contract.h"
#include "framework/unicode.h"

namespace vantrel {
namespace {

TEST(FakeFileSystem, KeepsTheFileSystemContract) {
  fakes::FakeProcess process;
  process.moduleFileName = "C:\\Apps\\Vantrel.exe";
  fakes::FakeFileSystem fileSystem(process);
  fileSystem.addFolder("C:\\Temp");
  contract::checkFileSystem(fileSystem, u"C:\\Temp", u"c:\\apps\\VANTREL.exe");
}

TEST(FakeFileSystem, ADeniedFolderRefusesWhatAStandardUserMayNotDo) {
  fakes::FakeProcess process;
  process.moduleFileName = "C:\\Program Files\\Vantrel\\Vantrel.exe";
  fakes::FakeFileSystem fileSystem(process);
  fakes::FakeProfile profile(fileSystem);
  const std::string ini = "C:\\Program Files\\Vantrel\\Vantrel.ini";
  ASSERT_TRUE(profile.WritePrivateProfileStringW("Vantrel", "CPU", "50", Utf8ToUtf16(ini)));
  fileSystem.denyWriting("C:\\Program Files\\Vantrel");
  EXPECT_FALSE(fileSystem.CreateFileW(u"C:\\Program Files\\Vantrel\\probe"));
  EXPECT_FALSE(fileSystem.CreateDirectoryW(u"C:\\Program Files\\Vantrel\\Data"));
  EXPECT_FALSE(profile.WritePrivateProfileStringW("Vantrel", "CPU", "60", Utf8ToUtf16(ini)));
  EXPECT_EQ(profile.GetPrivateProfileStringW("Vantrel", "CPU", "", Utf8ToUtf16(ini)), "50");
  // A folder that is not there takes no file either, until it is made.
  const std::u16string user = u"C:\\Users\\Ann\\AppData\\Roaming\\Vantrel";
  EXPECT_FALSE(profile.WritePrivateProfileStringW("Vantrel", "CPU", "60", user + u"\\Vantrel.ini"));
  ASSERT_TRUE(fileSystem.CreateDirectoryW(user));
  EXPECT_TRUE(profile.WritePrivateProfileStringW("Vantrel", "CPU", "60", user + u"\\Vantrel.ini"));
}

}  // namespace
}  // namespace vantrel
