#include "file_system_contract.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/unicode.h"

namespace vantrel::contract {

namespace {

enum class Found { Nothing, File, Folder, Unknown };

Found look(platform::FileSystem& fileSystem, const std::u16string& path) {
  bool missing = false;
  const std::uint32_t attributes = fileSystem.GetFileAttributesW(path, &missing);
  if (attributes == platform::kInvalidFileAttributes) {
    return missing ? Found::Nothing : Found::Unknown;
  }
  return (attributes & platform::kFileAttributeDirectory) != 0 ? Found::Folder : Found::File;
}

// The folder's entries as "name" for a file and "name\\" for a folder, sorted; "error N" when it cannot be
// listed.
std::vector<std::string> listing(platform::FileSystem& fileSystem, const std::u16string& folder) {
  std::vector<platform::FindData> found{{u"left over", 0}};
  const long error = fileSystem.FindFirstFileW(folder, &found);
  std::vector<std::string> names;
  if (error != platform::kErrorSuccess) {
    EXPECT_TRUE(found.empty());
    return {"error " + std::to_string(error)};
  }
  for (const platform::FindData& entry : found) {
    const bool isFolder = (entry.dwFileAttributes & platform::kFileAttributeDirectory) != 0;
    names.push_back(Utf16ToUtf8(entry.cFileName) + (isFolder ? "\\" : ""));
  }
  std::sort(names.begin(), names.end());
  return names;
}

using Names = std::vector<std::string>;

}  // namespace

void checkFileOperations(platform::FileSystem& fileSystem, const std::u16string& folder,
                         const std::u16string& otherVolume, const std::u16string& file) {
  const std::u16string greek = folder + u"\\Ημερολόγιο.lnk";
  const std::u16string chinese = folder + u"\\内存 a.bat";
  const std::u16string inner = folder + u"\\Ωmega";
  EXPECT_EQ(listing(fileSystem, folder), Names{});
  EXPECT_EQ(listing(fileSystem, inner), Names{"error 3"});

  // A copy never replaces a file; it may go to a file's own folder under another name.
  ASSERT_EQ(fileSystem.CopyFileW(file, greek), platform::kErrorSuccess);
  EXPECT_EQ(fileSystem.CopyFileW(file, greek), platform::kErrorFileExists);
  EXPECT_EQ(fileSystem.CopyFileW(greek, chinese), platform::kErrorSuccess);
  EXPECT_EQ(fileSystem.CopyFileW(folder + u"\\none", inner), platform::kErrorFileNotFound);
  ASSERT_TRUE(fileSystem.CreateDirectoryW(inner, platform::FolderPermissions::Inherited));
  EXPECT_EQ(listing(fileSystem, folder), (Names{"Ημερολόγιο.lnk", "Ωmega\\", "内存 a.bat"}));

  // A move never replaces a file either, and leaves both as they were.
  EXPECT_EQ(fileSystem.MoveFileExW(greek, chinese), platform::kErrorAlreadyExists);
  EXPECT_EQ(fileSystem.MoveFileExW(greek, inner + u"\\x\\y"), platform::kErrorPathNotFound);
  EXPECT_EQ(fileSystem.MoveFileExW(folder + u"\\none", inner + u"\\none"), platform::kErrorFileNotFound);
  EXPECT_EQ(fileSystem.MoveFileExW(greek, inner + u"\\Ημερολόγιο.lnk"), platform::kErrorSuccess);
  EXPECT_EQ(listing(fileSystem, folder), (Names{"Ωmega\\", "内存 a.bat"}));
  EXPECT_EQ(listing(fileSystem, inner), Names{"Ημερολόγιο.lnk"});

  // A file is not a shortcut.
  std::u16string path = u"left";
  std::u16string arguments = u"over";
  EXPECT_FALSE(fileSystem.IShellLinkW_GetPath(chinese, &path, &arguments));

  if (!otherVolume.empty()) {
    // Across volumes a move is refused, and a copy is the way.
    const std::u16string away = otherVolume + u"\\内存 a.bat";
    EXPECT_EQ(fileSystem.MoveFileExW(chinese, away), platform::kErrorNotSameDevice);
    EXPECT_EQ(listing(fileSystem, otherVolume), Names{});
    EXPECT_EQ(fileSystem.CopyFileW(chinese, away), platform::kErrorSuccess);
    EXPECT_EQ(fileSystem.DeleteFileW(away), platform::kErrorSuccess);
    EXPECT_EQ(listing(fileSystem, otherVolume), Names{});
  }

  // Appending makes the file, then goes on at its end; not in a missing folder.
  const std::u16string log = inner + u"\\Журнал.csv";
  std::uint64_t size = 0;
  EXPECT_EQ(fileSystem.WriteFile_Append(log, "a,b\r\n", &size), platform::kErrorSuccess);
  EXPECT_EQ(fileSystem.WriteFile_Append(log, "c\r\n", &size), platform::kErrorSuccess);
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(fileSystem.WriteFile_Append(inner + u"\\x\\y.csv", "a", &size), platform::kErrorPathNotFound);
  EXPECT_EQ(fileSystem.DeleteFileW(log), platform::kErrorSuccess);

  // A read-only file is not deleted, and its copy is read-only too.
  const std::u16string copy = folder + u"\\copy";
  EXPECT_EQ(fileSystem.SetFileAttributesW(chinese, 0x21), platform::kErrorSuccess);
  EXPECT_EQ(fileSystem.DeleteFileW(chinese), platform::kErrorAccessDenied);
  EXPECT_EQ(fileSystem.CopyFileW(chinese, copy), platform::kErrorSuccess);
  bool missing = true;
  EXPECT_EQ(fileSystem.GetFileAttributesW(copy, &missing), 0x21u);
  for (const std::u16string& path : {chinese, copy}) {
    EXPECT_EQ(fileSystem.SetFileAttributesW(path, 0x20), platform::kErrorSuccess);
  }
  EXPECT_EQ(fileSystem.DeleteFileW(copy), platform::kErrorSuccess);

  // A name that ends in a dot or a blank is that file's in the literal form only.
  const std::u16string literal = u"\\\\?\\" + folder;
  for (const std::u16string name : {u"\\trail.", u"\\blank "}) {
    SCOPED_TRACE(Utf16ToUtf8(name));
    EXPECT_EQ(fileSystem.CopyFileW(chinese, literal + name), platform::kErrorSuccess);
    EXPECT_EQ(look(fileSystem, literal + name), Found::File);
    EXPECT_EQ(look(fileSystem, folder + name), Found::Nothing);
    EXPECT_EQ(fileSystem.MoveFileExW(literal + name, literal + u"\\Ωmega" + name), platform::kErrorSuccess);
    EXPECT_EQ(listing(fileSystem, literal + u"\\Ωmega"),
              (Names{Utf16ToUtf8(name.substr(1)), "Ημερολόγιο.lnk"}));
    EXPECT_EQ(fileSystem.DeleteFileW(literal + u"\\Ωmega" + name), platform::kErrorSuccess);
  }

  EXPECT_EQ(fileSystem.DeleteFileW(chinese), platform::kErrorSuccess);
  EXPECT_EQ(fileSystem.DeleteFileW(chinese), platform::kErrorFileNotFound);
  // The folder's disk keeps a bin; a network path has none.
  EXPECT_TRUE(fileSystem.SHQueryRecycleBinW(inner + u"\\Ημερολόγιο.lnk"));
  EXPECT_FALSE(fileSystem.SHQueryRecycleBinW(u"\\\\server\\share\\a.bat"));
  EXPECT_EQ(fileSystem.SHFileOperationW(inner + u"\\Ημερολόγιο.lnk"), platform::kErrorSuccess);
  EXPECT_NE(fileSystem.SHFileOperationW(inner + u"\\Ημερολόγιο.lnk"), platform::kErrorSuccess);
  EXPECT_EQ(listing(fileSystem, inner), Names{});
}

void checkFileSystem(platform::FileSystem& fileSystem, const std::u16string& folder,
                     const std::u16string& file) {
  const std::u16string appData = fileSystem.SHGetFolderPathW(platform::kCsidlAppData);
  ASSERT_FALSE(appData.empty());
  EXPECT_NE(appData.back(), u'\\');
  EXPECT_EQ(look(fileSystem, appData), Found::Folder);
  EXPECT_EQ(look(fileSystem, file), Found::File);
  EXPECT_FALSE(fileSystem.CreateFileW(file));
  EXPECT_FALSE(fileSystem.CreateDirectoryW(file, platform::FolderPermissions::Inherited));
  // The drive of a file that is there is a disk; a letter that names nothing is told apart.
  EXPECT_EQ(fileSystem.GetDriveTypeW(file.substr(0, 3)), platform::kDriveFixed);
  EXPECT_EQ(fileSystem.GetDriveTypeW(u"Q:\\"), platform::kDriveNoRootDir);

  // A name in two scripts with a blank, as users name their folders.
  const std::u16string named = folder + u"\\Πρόγραμμα 内存";
  const std::u16string probe = named + u"\\Vantrel.ini.probe";
  EXPECT_EQ(look(fileSystem, named), Found::Nothing);
  EXPECT_EQ(look(fileSystem, probe), Found::Nothing);  // its folder is not there either
  EXPECT_FALSE(fileSystem.CreateFileW(probe));
  EXPECT_FALSE(fileSystem.CreateDirectoryW(named + u"\\inner", platform::FolderPermissions::Inherited));

  ASSERT_TRUE(fileSystem.CreateDirectoryW(named, platform::FolderPermissions::Inherited));
  EXPECT_FALSE(fileSystem.CreateDirectoryW(named, platform::FolderPermissions::Inherited));
  EXPECT_EQ(look(fileSystem, named), Found::Folder);
  // The probe goes again as it is closed: it can be made once more, and the folder stays empty.
  EXPECT_TRUE(fileSystem.CreateFileW(probe));
  EXPECT_EQ(look(fileSystem, probe), Found::Nothing);
  EXPECT_TRUE(fileSystem.CreateFileW(probe));

  // A name that is not set stays as it is.
  EXPECT_EQ(fileSystem.ExpandEnvironmentStringsW(u"%Vantrel-unset%\\a %"), u"%Vantrel-unset%\\a %");
}

void checkFolderPermissions(platform::FileSystem& fileSystem, const std::u16string& folder,
                            const std::function<bool(const std::u16string&)>& administratorsOnly) {
  const std::u16string shared = folder + u"\\Shared";
  const std::u16string plain = folder + u"\\Plain";
  const auto expect = [&](const std::u16string& inner, bool forAdministrators) {
    if (administratorsOnly) {
      EXPECT_EQ(administratorsOnly(inner), forAdministrators) << Utf16ToUtf8(inner);
    }
  };
  ASSERT_TRUE(fileSystem.CreateDirectoryW(shared, platform::FolderPermissions::AdministratorsOnly));
  expect(shared, true);
  ASSERT_TRUE(fileSystem.CreateDirectoryW(plain, platform::FolderPermissions::Inherited));
  expect(plain, false);
  EXPECT_EQ(fileSystem.SetNamedSecurityInfoW(plain), platform::kErrorSuccess);
  expect(plain, true);
  EXPECT_NE(fileSystem.SetNamedSecurityInfoW(folder + u"\\none"), platform::kErrorSuccess);
}

}  // namespace vantrel::contract
