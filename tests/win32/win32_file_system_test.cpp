#include "platform/win32/win32_file_system.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "file_security_contract.h"
#include "file_system_contract.h"
#include "platform/unicode.h"
#include "platform/win32/win32_file_security.h"
#include "platform/win32/win32_process.h"
#include "platform/win32/win32_version.h"
#include "platform/win32/windows_api.h"
// After <windows.h>, which they need.
#include <aclapi.h>
#include <objbase.h>
#include <sddl.h>
#include <shlobj.h>

namespace vantrel {
namespace {

using platform::win32::wide;

// A new folder in the temporary folder, named for this process.
std::u16string newFolder(const std::u16string& name) {
  std::u16string temp(MAX_PATH, u'\0');
  temp.resize(GetTempPathW(MAX_PATH, wide(temp)));
  const std::u16string folder = temp + name + Utf8ToUtf16(std::to_string(GetCurrentProcessId()));
  EXPECT_TRUE(CreateDirectoryW(wide(folder), nullptr));
  return folder;
}

TEST(Win32FileSystem, KeepsTheFileSystemContract) {
  const std::u16string folder = newFolder(u"vantrel-files-");
  const std::u16string executable = platform::win32::Win32Process().GetModuleFileNameW();
  platform::win32::Win32FileSystem fileSystem;
  contract::checkFileSystem(fileSystem, folder, executable);
  EXPECT_TRUE(RemoveDirectoryW(wide(folder + u"\\Πρόγραμμα 内存")));
  // Under Wine the host's memory file system is a volume of its own.
  const std::u16string other = u"Z:\\dev\\shm\\vantrel-" + Utf8ToUtf16(std::to_string(GetCurrentProcessId()));
  ASSERT_TRUE(CreateDirectoryW(wide(other), nullptr));
  contract::checkFileOperations(fileSystem, folder, other, executable);
  EXPECT_TRUE(RemoveDirectoryW(wide(folder + u"\\Ωmega")));
  EXPECT_TRUE(RemoveDirectoryW(wide(folder)));
  EXPECT_TRUE(RemoveDirectoryW(wide(other)));
}

// The folder's own permissions, as the system keeps them: "D:P(...)..." for those set on it alone.
std::u16string permissionsOf(const std::u16string& folder) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  std::u16string name = folder;
  if (GetNamedSecurityInfoW(platform::win32::wide(name), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                            nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
    return u"unknown";
  }
  LPWSTR text = nullptr;
  std::u16string sddl = u"unknown";
  if (ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1,
                                                           DACL_SECURITY_INFORMATION, &text, nullptr)) {
    sddl = reinterpret_cast<const char16_t*>(text);
    LocalFree(text);
  }
  LocalFree(descriptor);
  return sddl;
}

// Wine derives a file's permissions from its Unix mode and keeps none that are set (it answers
// "D:(A;OICI;FA;;;SY) (A;OICI;FA;;;<user>)(A;OICI;0x1200a9;;;WD)" before and after): there only the calls'
// answers are checked.
bool underWine() {
  return !platform::win32::Win32Version().wine_get_version().empty();
}

TEST(Win32FileSystem, KeepsTheFolderPermissionsContract) {
  const std::u16string folder = newFolder(u"vantrel-shared-");
  platform::win32::Win32FileSystem fileSystem;
  const auto administratorsOnly = [](const std::u16string& inner) {
    const std::u16string sddl = permissionsOf(inner);
    const std::size_t aces = sddl.find(u'(');
    return sddl.rfind(u"D:P", 0) == 0 && aces != std::u16string::npos &&
           (sddl.substr(aces) == u"(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)" ||
            sddl.substr(aces) == u"(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFX;;;BU)");
  };
  contract::checkFolderPermissions(
      fileSystem, folder, underWine() ? std::function<bool(const std::u16string&)>() : administratorsOnly);
  for (const char16_t* inner : {u"\\Shared", u"\\Plain"}) {
    EXPECT_TRUE(RemoveDirectoryW(wide(folder + inner)));
  }
  EXPECT_TRUE(RemoveDirectoryW(wide(folder)));
}

TEST(Win32FileSecurity, KeepsTheFileSecurityContract) {
  const std::u16string folder = newFolder(u"vantrel-security-");
  platform::win32::Win32FileSystem fileSystem;
  platform::win32::Win32FileSecurity security;
  contract::checkFileSecurity(security, fileSystem, Utf16ToUtf8(folder), underWine());
  for (const char16_t* inner : {u"\\Own", u"\\Locked"}) {
    EXPECT_TRUE(RemoveDirectoryW(wide(folder + inner)));
  }
  EXPECT_TRUE(RemoveDirectoryW(wide(folder)));
}

TEST(Win32FileSystem, ReadsTheTargetAndArgumentsOfAShortcutNamedInGreek) {
  const std::u16string folder = newFolder(u"vantrel-links-");
  const std::u16string shortcut = folder + u"\\Ημερολόγιο.lnk";
  const std::u16string target = platform::win32::Win32Process().GetModuleFileNameW();
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  {
    IShellLinkW* link = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                           reinterpret_cast<void**>(&link))));
    IPersistFile* file = nullptr;
    ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
    link->SetPath(wide(target));
    link->SetArguments(L"/min \u03B1");
    EXPECT_TRUE(SUCCEEDED(file->Save(wide(shortcut), TRUE)));
    file->Release();
    link->Release();
  }
  CoUninitialize();
  platform::win32::Win32FileSystem fileSystem;
  std::u16string path;
  std::u16string arguments;
  ASSERT_TRUE(fileSystem.IShellLinkW_GetPath(shortcut, &path, &arguments));
  EXPECT_EQ(lstrcmpiW(wide(path), wide(target)), 0) << Utf16ToUtf8(path);
  EXPECT_EQ(arguments, u"/min \u03B1");
  EXPECT_TRUE(DeleteFileW(wide(shortcut)));
  EXPECT_TRUE(RemoveDirectoryW(wide(folder)));
}

// The program's own executable names its maker in its version resource; read under a path in Greek, which
// the ANSI calls could not name.
TEST(Win32FileSystem, ReadsTheCompanyNameOfAFilesVersionResource) {
  const std::u16string folder = newFolder(u"vantrel-\u03B5\u03BA\u03B4\u03CC\u03C4\u03B7\u03C2-");
  const std::u16string program = folder + u"\\Ημερολόγιο.exe";
  const std::u16string text = folder + u"\\notes.txt";
  ASSERT_TRUE(CopyFileW(wide(Utf8ToUtf16(VANTREL_EXE)), wide(program), TRUE));
  ASSERT_TRUE(CloseHandle(CreateFileW(wide(text), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));
  platform::win32::Win32FileSystem fileSystem;
  std::u16string company = u"unchanged";
  EXPECT_TRUE(fileSystem.GetFileVersionInfoW_CompanyName(program, &company));
  EXPECT_EQ(Utf16ToUtf8(company), "Vantrel developers");
  company = u"unchanged";
  EXPECT_FALSE(fileSystem.GetFileVersionInfoW_CompanyName(text, &company));
  EXPECT_FALSE(fileSystem.GetFileVersionInfoW_CompanyName(folder + u"\\gone.exe", &company));
  EXPECT_EQ(company, u"unchanged");
  EXPECT_TRUE(DeleteFileW(wide(program)));
  EXPECT_TRUE(DeleteFileW(wide(text)));
  EXPECT_TRUE(RemoveDirectoryW(wide(folder)));
}

}  // namespace
}  // namespace vantrel
