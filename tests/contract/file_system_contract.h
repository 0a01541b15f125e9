// What the program relies on from any file system, real or fake: run against the fake natively and against
// the system's under Wine, so that the fake cannot drift from the real thing.
#pragma once

#include <functional>
#include <string>

#include "platform/file_system.h"

namespace vantrel::contract {

// Works in `folder`, an existing folder where this user may write, which holds nothing named "Πρόγραμμα
// 内存"; `file` is a file that exists on a local fixed disk, and no drive is at "Q:". Leaves in `folder` an
// empty folder of that name.
void checkFileSystem(platform::FileSystem& fileSystem, const std::u16string& folder,
                     const std::u16string& file);

// Works in `folder`, an existing, empty folder on a local fixed disk where this user may write, and in
// `otherVolume`, one on another volume (none: empty); `file` is a file that exists outside both, and is not
// read-only. Lists, copies, moves, deletes and sends to the Recycle Bin copies of `file` under names in two
// scripts and names ending in a dot or a blank; leaves in `folder` an empty folder "Ωmega", and
// `otherVolume` empty.
void checkFileOperations(platform::FileSystem& fileSystem, const std::u16string& folder,
                         const std::u16string& otherVolume, const std::u16string& file);

// Works in `folder`, an existing folder where this user, an administrator, may write, which holds nothing
// named "Shared" or "Plain". `administratorsOnly` tells whether a folder has
// FolderPermissions::AdministratorsOnly, as the system or the fake keeps them; without it, where the system
// keeps none, only the calls' answers are checked. Leaves both folders there.
void checkFolderPermissions(platform::FileSystem& fileSystem, const std::u16string& folder,
                            const std::function<bool(const std::u16string&)>& administratorsOnly);

}  // namespace vantrel::contract
