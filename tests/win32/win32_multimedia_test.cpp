#include "platform/win32/win32_multimedia.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// There is no CD drive here: the command comes back with an error number and nothing else happens.
TEST(Win32Multimedia, ACommandToAMissingDriveAnswersAnError) {
  platform::win32::Win32Multimedia multimedia;
  EXPECT_NE(multimedia.mciSendStringA("Set CDAudio Door Open", 0), platform::kMciNoError);
  EXPECT_NE(multimedia.mciSendStringA("Set CDAudio Door Closed", 0), platform::kMciNoError);
}

}  // namespace
}  // namespace vantrel
