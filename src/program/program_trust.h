// Whether a program that runs with administrator rights can be changed by anyone without them: its file, a
// DLL put beside it, or a folder on its path renamed, replaced or given other permissions.
#pragma once

#include <optional>
#include <string>

#include "platform/file_security.h"

namespace vantrel {

// The first of `program` (a full path) and the folders above it, up to the drive, that a user without
// administrator rights may change: a link or junction; one not owned by Administrators, SYSTEM or
// TrustedInstaller; the program's file that such a user may write, delete or re-permission; its folder, where
// they may also add a file; a folder above, which they may delete or re-permission, or rename through the
// delete-child right of its parent. Adding folders to a folder above (as every user may at a drive's root)
// is harmless. None where only administrators and the system may change them; a path whose security cannot
// be read is one that may be changed.
std::optional<std::string> ChangeableByOthers(platform::FileSecurity& security, const std::string& program);

}  // namespace vantrel
