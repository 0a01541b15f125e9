// Who signed a program file, as Windows checks it: its own Authenticode signature, or, where it carries none,
// the catalog that signs it (as Windows' own files are signed). Never from a name or a path, which any
// program can write into its file.
#pragma once

#include <string>

namespace vantrel::platform {

struct Signature {
  enum class Verdict {
    Unsigned,    // no signature in the file and no catalog that signs it
    Verified,    // a valid signature that chains to a root Windows trusts
    Untrusted,   // a valid signature whose root Windows does not trust
    NotValid,    // altered after signing, or a broken signature
    NotChecked,  // the file could not be read
  };
  Verdict Is = Verdict::NotChecked;
  // The signer's name (its certificate's simple display name) where the signature is valid.
  std::u16string Signer;
  // Verified and signed by Windows itself: the chain ends in the maker's own root and the signer's
  // certificate is for Windows' components, which no other publisher can get.
  bool Windows = false;
};

class Signatures {
 public:
  virtual ~Signatures() = default;

  // Checks the file at `path` without any user interface and without going to the network (revocation from
  // the cache only). May take a while: called off the window thread.
  virtual Signature Check(const std::u16string& path) = 0;
};

}  // namespace vantrel::platform
