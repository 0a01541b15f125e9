#include "platform/file_security.h"

#include <algorithm>
#include <iterator>

namespace vantrel::platform {

namespace {

constexpr std::uint32_t kInheritOnly = 0x08;
constexpr std::uint32_t kReadControl = 0x00020000;
// A file's generic mapping: generic read, write, execute and all, each with the rights it stands for.
constexpr std::uint32_t kGenericMapping[][2] = {
    {0x80000000, 0x120089}, {0x40000000, 0x120116}, {0x20000000, 0x1200A0}, {0x10000000, 0x1F01FF}};

std::uint32_t mapped(std::uint32_t mask) {
  for (const auto& [generic, specific] : kGenericMapping) {
    if ((mask & generic) != 0) {
      mask = (mask & ~generic) | specific;
    }
  }
  return mask;
}

// The machine's or domain's group of all its users (RID 513), beside the user's own SID.
std::string usersGroupOf(const std::string& user) {
  const std::size_t rid = user.rfind('-');
  return user.rfind("S-1-5-21-", 0) == 0 && rid != std::string::npos ? user.substr(0, rid) + "-513"
                                                                     : std::string();
}

}  // namespace

bool OwnedByAdministrators(const SecurityInfo& info) {
  static const char* const kTrusted[] = {"S-1-5-32-544", "S-1-5-18",
                                         "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464"};
  return std::find(std::begin(kTrusted), std::end(kTrusted), info.owner) != std::end(kTrusted);
}

std::uint32_t OthersRights(const SecurityInfo& info, const std::string& user) {
  // Everyone, LOCAL, console logon, INTERACTIVE, Authenticated Users, Users.
  std::vector<std::string> others = {"S-1-1-0", "S-1-2-0", "S-1-2-1", "S-1-5-4", "S-1-5-11", "S-1-5-32-545"};
  if (!user.empty()) {
    others.push_back(user);
    others.push_back(usersGroupOf(user));
  }
  const auto isOther = [&](const std::string& sid) {
    return !sid.empty() && std::find(others.begin(), others.end(), sid) != others.end();
  };
  if (!info.hasDacl) {
    return mapped(0x10000000);
  }
  const bool owns = isOther(info.owner);
  if (owns) {
    others.push_back("S-1-3-4");  // OWNER RIGHTS
  }
  // In order: what an entry denies before another grants it stays denied.
  std::uint32_t granted = 0;
  std::uint32_t denied = 0;
  bool ownerRightsListed = false;
  for (const AccessEntry& entry : info.dacl) {
    ownerRightsListed = ownerRightsListed || (entry.sid == "S-1-3-4" && (entry.flags & kInheritOnly) == 0);
    if ((entry.flags & kInheritOnly) != 0 || !isOther(entry.sid)) {
      continue;
    }
    const std::uint32_t mask = mapped(entry.mask);
    if (entry.allowed) {
      granted |= mask & ~denied;
    } else {
      denied |= mask & ~granted;
    }
  }
  // An owner may always read and change the permissions, unless an OWNER RIGHTS entry says otherwise.
  if (owns && !ownerRightsListed) {
    granted |= kReadControl | kWriteDac;
  }
  return granted;
}

bool OthersMayChange(FileSecurity& security, const std::u16string& path, const std::string& user,
                     std::uint32_t rights) {
  SecurityInfo info;
  return security.GetNamedSecurityInfoW(path, &info) != kErrorSuccess ||
         (info.attributes & kFileAttributeReparsePoint) != 0 || !OwnedByAdministrators(info) ||
         (OthersRights(info, user) & rights) != 0;
}

}  // namespace vantrel::platform
