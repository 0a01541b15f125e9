#include "file_system_contract.h"

#include <gtest/gtest.h>

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

}  // namespace

void checkFileSystem(platform::FileSystem& fileSystem, const std::u16string& folder,
                     const std::u16string& file) {
  const std::u16string appData = fileSystem.SHGetFolderPathW(platform::kCsidlAppData);
  ASSERT_FALSE(appData.empty());
  EXPECT_NE(appData.back(), u'\\');
  EXPECT_EQ(look(fileSystem, appData), Found::Folder);
  EXPECT_EQ(look(fileSystem, file), Found::File);
  EXPECT_FALSE(fileSystem.CreateFileW(file));
  EXPECT_FALSE(fileSystem.CreateDirectoryW(file));

  // A name in two scripts with a blank, as users name their folders.
  const std::u16string named = folder + u"\\Πρόγραμμα 内存";
  const std::u16string probe = named + u"\\Vantrel.ini.probe";
  EXPECT_EQ(look(fileSystem, named), Found::Nothing);
  EXPECT_EQ(look(fileSystem, probe), Found::Nothing);  // its folder is not there either
  EXPECT_FALSE(fileSystem.CreateFileW(probe));
  EXPECT_FALSE(fileSystem.CreateDirectoryW(named + u"\\inner"));

  ASSERT_TRUE(fileSystem.CreateDirectoryW(named));
  EXPECT_FALSE(fileSystem.CreateDirectoryW(named));
  EXPECT_EQ(look(fileSystem, named), Found::Folder);
  // The probe goes again as it is closed: it can be made once more, and the folder stays empty.
  EXPECT_TRUE(fileSystem.CreateFileW(probe));
  EXPECT_EQ(look(fileSystem, probe), Found::Nothing);
  EXPECT_TRUE(fileSystem.CreateFileW(probe));
}

}  // namespace vantrel::contract
