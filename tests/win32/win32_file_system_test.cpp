#include "platform/win32/win32_file_system.h"

#include <gtest/gtest.h>

#include <string>

#include "file_system_contract.h"
#include "framework/unicode.h"
#include "platform/win32/win32_process.h"
#include "platform/win32/windows_api.h"

namespace vantrel {
namespace {

using platform::win32::wide;

TEST(Win32FileSystem, KeepsTheFileSystemContract) {
  std::u16string temp(MAX_PATH, u'\0');
  temp.resize(GetTempPathW(MAX_PATH, wide(temp)));
  const std::u16string folder = temp + u"vantrel-files-" + Utf8ToUtf16(std::to_string(GetCurrentProcessId()));
  ASSERT_TRUE(CreateDirectoryW(wide(folder), nullptr));
  const std::u16string executable = platform::win32::Win32Process().GetModuleFileNameW();
  platform::win32::Win32FileSystem fileSystem;
  contract::checkFileSystem(fileSystem, folder, executable);
  EXPECT_TRUE(RemoveDirectoryW(wide(folder + u"\\Πρόγραμμα 内存")));
  EXPECT_TRUE(RemoveDirectoryW(wide(folder)));
}

}  // namespace
}  // namespace vantrel
