#include "fake_file_system.h"

#include <gtest/gtest.h>

#include "fake_file_security.h"
#include "fake_profile.h"
#include "file_security_contract.h"
#include "file_system_contract.h"
#include "platform/unicode.h"

namespace vantrel {
namespace {

TEST(FakeFileSystem, KeepsTheFileSystemContract) {
  fakes::FakeProcess process;
  process.moduleFileName = "C:\\Apps\\Vantrel.exe";
  fakes::FakeFileSystem fileSystem(process);
  fileSystem.addFolder("C:\\Temp");
  contract::checkFileSystem(fileSystem, u"C:\\Temp", u"c:\\apps\\VANTREL.exe");
  fileSystem.addFolder("C:\\Empty");
  fileSystem.addFolder("D:\\Other");
  fileSystem.addFile("C:\\Apps\\tool.bat", "@echo off");
  contract::checkFileOperations(fileSystem, u"C:\\Empty", u"D:\\Other", u"c:\\apps\\TOOL.bat");
  contract::checkFolderPermissions(fileSystem, u"C:\\Temp", [&](const std::u16string& folder) {
    return fileSystem.administratorsOnly(Utf16ToUtf8(folder));
  });
}

TEST(FakeFileSecurity, KeepsTheFileSecurityContract) {
  fakes::FakeProcess process;
  fakes::FakeFileSystem fileSystem(process);
  fakes::FakeFileSecurity security(fileSystem);
  contract::checkFileSecurity(security, fileSystem, fileSystem.appData, false);
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
  EXPECT_FALSE(fileSystem.CreateDirectoryW(u"C:\\Program Files\\Vantrel\\Data",
                                           platform::FolderPermissions::Inherited));
  EXPECT_FALSE(profile.WritePrivateProfileStringW("Vantrel", "CPU", "60", Utf8ToUtf16(ini)));
  EXPECT_EQ(profile.GetPrivateProfileStringW("Vantrel", "CPU", "", Utf8ToUtf16(ini)), "50");
  // A folder that is not there takes no file either, until it is made.
  const std::u16string user = u"C:\\Users\\Ann\\AppData\\Roaming\\Vantrel";
  EXPECT_FALSE(profile.WritePrivateProfileStringW("Vantrel", "CPU", "60", user + u"\\Vantrel.ini"));
  ASSERT_TRUE(fileSystem.CreateDirectoryW(user, platform::FolderPermissions::Inherited));
  EXPECT_TRUE(profile.WritePrivateProfileStringW("Vantrel", "CPU", "60", user + u"\\Vantrel.ini"));

  // All users' Startup folder, as a standard user meets it: its files are there to read, not to change.
  const std::string startup = fileSystem.commonStartup + "\\a.bat";
  fileSystem.addFile(startup, "a");
  fileSystem.denyWriting(fileSystem.commonStartup);
  const std::u16string copy = user + u"\\a.bat";
  EXPECT_EQ(fileSystem.MoveFileExW(Utf8ToUtf16(startup), copy), platform::kErrorAccessDenied);
  EXPECT_EQ(fileSystem.CopyFileW(Utf8ToUtf16(startup), copy), platform::kErrorSuccess);
  EXPECT_EQ(fileSystem.CopyFileW(copy, Utf8ToUtf16(fileSystem.commonStartup + "\\b.bat")),
            platform::kErrorAccessDenied);
  EXPECT_EQ(fileSystem.DeleteFileW(Utf8ToUtf16(startup)), platform::kErrorAccessDenied);
  EXPECT_EQ(fileSystem.SHFileOperationW(Utf8ToUtf16(startup)), platform::kDeAccessDeniedSource);
  EXPECT_EQ(fileSystem.files[startup], "a");

  // A folder for administrators only, as a standard user meets it.
  const std::u16string shared = u"C:\\ProgramData\\Vantrel";
  ASSERT_TRUE(fileSystem.CreateDirectoryW(shared, platform::FolderPermissions::AdministratorsOnly));
  fileSystem.administrator = false;
  EXPECT_FALSE(fileSystem.CreateDirectoryW(shared + u"\\Startup-", platform::FolderPermissions::Inherited));
  EXPECT_EQ(fileSystem.CopyFileW(copy, shared + u"\\a.bat"), platform::kErrorAccessDenied);
  EXPECT_EQ(fileSystem.SetNamedSecurityInfoW(shared), platform::kErrorAccessDenied);
  EXPECT_TRUE(fileSystem.CreateDirectoryW(u"C:\\ProgramData\\Other", platform::FolderPermissions::Inherited));
}

}  // namespace
}  // namespace vantrel
