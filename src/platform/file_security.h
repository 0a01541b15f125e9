// Who may change a file or folder: its owner, whether it is a link, and what its permissions let a user
// without administrator rights do to it. Read from its security descriptor, never guessed from its path.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"  // kErrorSuccess, kErrorFileNotFound

namespace vantrel::platform {

// The rights of a file or folder that let someone change what runs from it, as Windows numbers them.
constexpr std::uint32_t kFileWriteData = 0x0002;    // on a folder: add a file
constexpr std::uint32_t kFileAppendData = 0x0004;   // on a folder: add a folder
constexpr std::uint32_t kFileDeleteChild = 0x0040;  // on a folder: delete or rename what it holds
constexpr std::uint32_t kDelete = 0x00010000;
constexpr std::uint32_t kWriteDac = 0x00040000;
constexpr std::uint32_t kWriteOwner = 0x00080000;
constexpr std::uint32_t kFileAttributeReparsePoint = 0x400;

// One entry of a permission list, its SID in the string form ("S-1-5-32-545").
struct AccessEntry {
  bool allowed = true;      // an access-allowed entry; else an access-denied one
  std::uint32_t flags = 0;  // its ACE flags: 0x08, inherit-only, counts only for what the folder holds
  std::uint32_t mask = 0;   // generic rights not mapped yet
  std::string sid;
};

struct SecurityInfo {
  std::string owner;    // the owner's SID
  bool hasDacl = true;  // false: no permission list at all, which lets everyone do anything
  std::vector<AccessEntry> dacl;
  std::uint32_t attributes = 0;  // as GetFileAttributesW answers (kFileAttributeReparsePoint: a link)
};

class FileSecurity {
 public:
  virtual ~FileSecurity() = default;

  // The owner and permission list of a file or folder, and its attributes; kErrorSuccess or the system's
  // error code (kErrorFileNotFound, kErrorPathNotFound).
  virtual long GetNamedSecurityInfoW(const std::u16string& path, SecurityInfo* info) = 0;
  // The SID of the user this program runs for, whose unelevated programs share it; empty where it cannot be
  // read.
  virtual std::string GetTokenInformation_User() = 0;
};

// Whether the owner is Administrators, SYSTEM or TrustedInstaller.
bool OwnedByAdministrators(const SecurityInfo& info);
// The rights that the permission list grants a user without administrator rights: `user` (the SID of this
// user, as their unelevated programs run), the machine's or domain's users, Everyone, Authenticated Users,
// Users, INTERACTIVE and LOCAL; never Administrators. Generic rights are mapped to a file's, and the implicit
// rights of an owner among them are added.
std::uint32_t OthersRights(const SecurityInfo& info, const std::string& user);
// Whether someone without administrator rights may change what runs from `path`: it is a link, owned by
// anyone but Administrators, SYSTEM or TrustedInstaller, or OthersRights grants any of `rights`. Also where
// its security cannot be read.
bool OthersMayChange(FileSecurity& security, const std::u16string& path, const std::string& user,
                     std::uint32_t rights);

}  // namespace vantrel::platform
