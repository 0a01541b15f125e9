#include "fake_version.h"

namespace vantrel::fakes {

bool FakeVersion::GetVersionExA(platform::OsVersionInfo& out) {
  if (faults.shouldFail("GetVersionExA")) {
    return false;
  }
  out.majorVersion = majorVersion;
  out.minorVersion = minorVersion;
  out.platformId = platformId;
  return true;
}

}  // namespace vantrel::fakes
