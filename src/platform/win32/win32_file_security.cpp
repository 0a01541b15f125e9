// Win32 only: who may change a file or folder.
#include "platform/win32/win32_file_security.h"

#include "platform/unicode.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/windows_api.h"
// After <windows.h>, which they need.
#include <aclapi.h>
#include <sddl.h>

namespace vantrel::platform::win32 {

namespace {

std::string sidText(PSID sid) {
  LPWSTR text = nullptr;
  if (sid == nullptr || !::ConvertSidToStringSidW(sid, &text)) {
    return {};
  }
  ScopedLocal owner(text);
  return Utf16ToUtf8(reinterpret_cast<const char16_t*>(text));
}

}  // namespace

long Win32FileSecurity::GetNamedSecurityInfoW(const std::u16string& path, SecurityInfo* info) {
  *info = {};
  info->attributes = ::GetFileAttributesW(wide(path));
  if (info->attributes == INVALID_FILE_ATTRIBUTES) {
    return static_cast<long>(::GetLastError());
  }
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const DWORD error = ::GetNamedSecurityInfoW(wide(path), SE_FILE_OBJECT,
                                              OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner,
                                              nullptr, &dacl, nullptr, &descriptor);
  if (error != ERROR_SUCCESS) {
    return static_cast<long>(error);
  }
  ScopedLocal held(descriptor);
  info->owner = sidText(owner);
  info->hasDacl = dacl != nullptr;
  for (DWORD index = 0; dacl != nullptr && index < dacl->AceCount; ++index) {
    void* ace = nullptr;
    if (!::GetAce(dacl, index, &ace)) {
      return static_cast<long>(::GetLastError());
    }
    const auto* header = static_cast<const ACE_HEADER*>(ace);
    // Object and callback entries do not occur on files; an allowed and a denied entry share their layout.
    if (header->AceType != ACCESS_ALLOWED_ACE_TYPE && header->AceType != ACCESS_DENIED_ACE_TYPE) {
      continue;
    }
    auto* entry = static_cast<ACCESS_ALLOWED_ACE*>(ace);
    info->dacl.push_back({header->AceType == ACCESS_ALLOWED_ACE_TYPE, header->AceFlags, entry->Mask,
                          sidText(&entry->SidStart)});
  }
  return ERROR_SUCCESS;
}

std::string Win32FileSecurity::GetTokenInformation_User() {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) {
    return {};
  }
  ScopedKernelHandle held(token);
  // TOKEN_USER and the SID it points to.
  alignas(TOKEN_USER) unsigned char buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  DWORD size = 0;
  if (!::GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size)) {
    return {};
  }
  return sidText(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid);
}

}  // namespace vantrel::platform::win32
