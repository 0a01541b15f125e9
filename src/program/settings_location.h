// Where the settings file lives: beside the executable when this user may write there without administrator
// rights (portable use), in this user's application-data folder otherwise, as for a copy in Program Files,
// elevated or not.
#pragma once

#include <string>

#include "platform/file_security.h"
#include "platform/file_system.h"

namespace vantrel {

struct SettingsFiles {
  std::string read;   // the file the settings are read from
  std::string write;  // the file they are written to
  // The folder to create before writing `write`; empty when that is the executable's own folder.
  std::string writeFolder;
};

// `executable`: the program's full path. The file beside it is still read while this user has none of their
// own.
SettingsFiles LocateSettings(platform::FileSystem& fileSystem, platform::FileSecurity& security,
                             const std::string& executable);
// Makes the folder that `files` are written to where it is not the executable's own. Usually there already;
// a folder that cannot be made shows as the failure of the write that follows.
void MakeSettingsFolder(platform::FileSystem& fileSystem, const SettingsFiles& files);

}  // namespace vantrel
