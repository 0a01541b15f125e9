// Signatures in memory, by path; a file not named here is unsigned.
#pragma once

#include <map>
#include <string>

#include "platform/signatures.h"
#include "platform/unicode.h"

namespace vantrel::fakes {

class FakeSignatures final : public platform::Signatures {
 public:
  platform::Signature Check(const std::u16string& path) override {
    ++checks;
    const auto signature = signatures.find(Utf16ToUtf8(path));
    return signature == signatures.end()
               ? platform::Signature{platform::Signature::Verdict::Unsigned, u"", false}
               : signature->second;
  }

  std::map<std::string, platform::Signature> signatures;  // UTF-8 path
  int checks = 0;
};

}  // namespace vantrel::fakes
