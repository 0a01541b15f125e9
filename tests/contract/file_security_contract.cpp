#include "file_security_contract.h"

#include <gtest/gtest.h>

#include "platform/unicode.h"

namespace vantrel::contract {

void checkFileSecurity(platform::FileSecurity& security, platform::FileSystem& fileSystem,
                       const std::string& folder, bool wine) {
  const std::string user = security.GetTokenInformation_User();
  EXPECT_EQ(user.rfind("S-1-5-", 0), 0u) << user;
  platform::SecurityInfo info;
  const long missing = security.GetNamedSecurityInfoW(Utf8ToUtf16(folder + "\\Own\\none.exe"), &info);
  EXPECT_TRUE(missing == platform::kErrorFileNotFound || missing == platform::kErrorPathNotFound) << missing;

  // The user's own folder: theirs to fill.
  const std::string own = folder + "\\Own";
  ASSERT_TRUE(fileSystem.CreateDirectoryW(Utf8ToUtf16(own), platform::FolderPermissions::Inherited));
  ASSERT_EQ(security.GetNamedSecurityInfoW(Utf8ToUtf16(own), &info), platform::kErrorSuccess);
  EXPECT_NE(info.attributes & platform::kFileAttributeDirectory, 0u);
  EXPECT_EQ(info.attributes & platform::kFileAttributeReparsePoint, 0u);
  EXPECT_NE(platform::OthersRights(info, user) & platform::kFileWriteData, 0u);

  // One for administrators only: no one else may add to it, delete it or change its permissions, and it
  // belongs to Administrators.
  const std::string locked = folder + "\\Locked";
  ASSERT_TRUE(
      fileSystem.CreateDirectoryW(Utf8ToUtf16(locked), platform::FolderPermissions::AdministratorsOnly));
  ASSERT_EQ(security.GetNamedSecurityInfoW(Utf8ToUtf16(locked + "\\"), &info), platform::kErrorSuccess);
  const std::uint32_t rights = platform::OthersRights(info, user);
  if (wine && info.owner == user) {
    return;
  }
  EXPECT_EQ(rights & (platform::kFileWriteData | platform::kFileAppendData | platform::kDelete), 0u)
      << rights;
  EXPECT_TRUE(platform::OwnedByAdministrators(info)) << info.owner;
}

}  // namespace vantrel::contract
