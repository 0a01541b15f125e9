// What the program relies on from who may change a file or folder, real or fake: run against the fake
// natively and against the system under Wine.
#pragma once

#include <string>

#include "platform/file_security.h"
#include "platform/file_system.h"

namespace vantrel::contract {

// Works in `folder`, an existing folder of this user's own (an administrator) where they may write, which
// holds nothing named "Own" or "Locked"; leaves both there. `wine`: the system is Wine, which keeps no
// permissions that are set and answers for every file the user as owner, with full access, as its Unix mode
// has it; there alone a folder for administrators only may read back as the user's.
void checkFileSecurity(platform::FileSecurity& security, platform::FileSystem& fileSystem,
                       const std::string& folder, bool wine);

}  // namespace vantrel::contract
