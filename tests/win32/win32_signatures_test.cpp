#include "platform/win32/win32_signatures.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/unicode.h"
#include "platform/win32/windows_api.h"

namespace vantrel {
namespace {

using platform::win32::wide;
using Verdict = platform::Signature::Verdict;

std::string shown(const platform::Signature& signature) {
  constexpr const char* verdicts[] = {"unsigned", "verified", "untrusted", "not valid", "not checked"};
  return verdicts[static_cast<int>(signature.Is)] +
         (signature.Signer.empty() ? "" : " by " + Utf16ToUtf8(signature.Signer)) +
         (signature.Windows ? " (Windows)" : "");
}

// The build's files (tests/win32/make-signed-files): signed with a certificate no one trusts, unsigned, and
// altered after signing; the signed one again in a folder named outside the ANSI code page.
TEST(Win32Signatures, TellsSignedUnsignedAndAlteredFilesApart) {
  const std::u16string files = Utf8ToUtf16(VANTREL_SIGNED_FILES) + u"\\";
  const std::u16string folder = files + u"Подписано 签名";
  CreateDirectoryW(wide(folder), nullptr);
  ASSERT_TRUE(CopyFileW(wide(files + u"signed.exe"), wide(folder + u"\\программа.exe"), FALSE));
  std::u16string system(MAX_PATH, u'\0');
  system.resize(GetSystemDirectoryW(wide(system), MAX_PATH));
  const struct {
    std::u16string path;
    const char* expected;
  } rows[] = {
      {files + u"signed.exe", "untrusted by Vantrel Test Signer"},
      {folder + u"\\программа.exe", "untrusted by Vantrel Test Signer"},
      {files + u"unsigned.exe", "unsigned"},
      {files + u"altered.exe", "not valid"},
      {files + u"gone.exe", "not checked"},
      {system, "not checked"},
      {system + u"\\kernel32.dll", "unsigned"},
  };
  platform::win32::Win32Signatures signatures;
  for (const auto& row : rows) {
    SCOPED_TRACE(Utf16ToUtf8(row.path));
    EXPECT_EQ(shown(signatures.Check(row.path)), row.expected);
  }
  EXPECT_TRUE(DeleteFileW(wide(folder + u"\\программа.exe")));
  EXPECT_TRUE(RemoveDirectoryW(wide(folder)));
}

}  // namespace
}  // namespace vantrel
