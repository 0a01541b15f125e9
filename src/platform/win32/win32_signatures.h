// Win32 only: who signed a file, as WinVerifyTrust checks its own signature or the catalog that signs it.
#pragma once

#include <memory>
#include <mutex>

#include "platform/signatures.h"

namespace vantrel::platform::win32 {

class Win32Signatures final : public Signatures {
 public:
  Win32Signatures();
  ~Win32Signatures() override;
  Win32Signatures(const Win32Signatures&) = delete;
  Win32Signatures& operator=(const Win32Signatures&) = delete;

  // Safe to call from several threads at once.
  Signature Check(const std::u16string& path) override;

  // The libraries and entry points of the checks.
  struct Calls;

 private:
  // Loaded at the first check, not before: a run that never checks a file maps neither wintrust nor crypt32.
  std::once_flag loading_;
  std::unique_ptr<Calls> calls_;
};

}  // namespace vantrel::platform::win32
