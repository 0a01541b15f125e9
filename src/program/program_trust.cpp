#include "program/program_trust.h"

#include "platform/unicode.h"

namespace vantrel {

namespace {

constexpr std::uint32_t kRepermission = platform::kWriteDac | platform::kWriteOwner;

}  // namespace

std::optional<std::string> ChangeableByOthers(platform::FileSecurity& security, const std::string& program) {
  const std::string user = security.GetTokenInformation_User();
  // From the program up: the rights that must be withheld from others on each, and on its folder.
  std::string path = program;
  std::uint32_t withheld =
      platform::kFileWriteData | platform::kFileAppendData | platform::kDelete | kRepermission;
  std::uint32_t withheldAbove = platform::kFileWriteData | platform::kDelete | kRepermission;
  while (!path.empty()) {
    if (platform::OthersMayChange(security, Utf8ToUtf16(path + (path.size() == 2 ? "\\" : "")), user,
                                  withheld)) {
      return path;
    }
    const std::size_t separator = path.rfind('\\');
    if (separator == std::string::npos) {
      break;
    }
    // Renaming or replacing `path` takes the right to delete it, or to delete what its folder holds.
    path.resize(separator);
    withheld = withheldAbove | platform::kFileDeleteChild;
    withheldAbove = platform::kDelete | kRepermission;
  }
  return std::nullopt;
}

}  // namespace vantrel
