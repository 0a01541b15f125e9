// The executable names itself in its version resource and carries the program's icon.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/windows_api.h"

namespace {

std::string versionString(const std::vector<char>& info, const char* name) {
  char* text = nullptr;
  UINT length = 0;
  const std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
  if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) || !text) {
    return "";
  }
  return text;
}

TEST(VersionResource, NamesTheProductAndCarriesTheIcon) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(VANTREL_EXE, &handle);
  ASSERT_GT(size, 0u) << VANTREL_EXE;
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(VANTREL_EXE, 0, size, info.data()));
  EXPECT_EQ(versionString(info, "ProductName") + " " + versionString(info, "ProductVersion"),
            "Vantrel 1.1.0 Build 212");
  EXPECT_EQ(versionString(info, "FileDescription"), "Vantrel 1.1.0 Build 212");

  HMODULE exe = LoadLibraryExA(VANTREL_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  HICON small = static_cast<HICON>(LoadImageA(exe, MAKEINTRESOURCEA(1), IMAGE_ICON, 16, 16, 0));
  HICON large = static_cast<HICON>(LoadImageA(exe, MAKEINTRESOURCEA(1), IMAGE_ICON, 32, 32, 0));
  EXPECT_NE(small, nullptr);
  EXPECT_NE(large, nullptr);
  DestroyIcon(small);
  DestroyIcon(large);
  FreeLibrary(exe);
}

}  // namespace
