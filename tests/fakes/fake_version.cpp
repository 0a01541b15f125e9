#include "fake_version.h"

namespace vantrel::fakes {

bool FakeVersion::GetVersionExA(std::uint32_t& out) {
  if (faults.shouldFail("GetVersionExA")) {
    return false;
  }
  out = platformId;
  return true;
}

}  // namespace vantrel::fakes
