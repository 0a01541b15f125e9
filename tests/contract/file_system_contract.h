// What the program relies on from any file system, real or fake: run against the fake natively and against
// the system's under Wine, so that the fake cannot drift from the real thing.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace vantrel::contract {

// Works in `folder`, an existing folder where this user may write, which holds nothing named "Πρόγραμμα
// 内存"; `file` is a file that exists. Leaves in `folder` an empty folder of that name.
void checkFileSystem(platform::FileSystem& fileSystem, const std::u16string& folder,
                     const std::u16string& file);

// Works in `folder`, an existing, empty folder where this user may write, and in `otherVolume`, one on
// another volume (none: empty); `file` is a file that exists outside both. Lists, copies, moves, deletes and
// sends to the Recycle Bin copies of `file` under names in two scripts; leaves in `folder` an empty folder
// "Ωmega", and `otherVolume` empty.
void checkFileOperations(platform::FileSystem& fileSystem, const std::u16string& folder,
                         const std::u16string& otherVolume, const std::u16string& file);

}  // namespace vantrel::contract
