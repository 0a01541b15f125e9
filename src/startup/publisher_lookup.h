// What the Publisher column says of one program, found off the window thread: the program file that Windows
// would start, who signed it as Windows checks it, and the maker its version resource names where no one did.
#pragma once

#include <map>
#include <string>

#include "platform/signatures.h"
#include "startup/program_file.h"

namespace vantrel {

constexpr char kFileNotFound[] = "File not found";
constexpr char kNotChecked[] = "Not checked";
constexpr char kNotCheckedNetwork[] = "Not checked (network)";

// What a row's Publisher cell asks for: the command line of a Run key's entry, or a Startup folder's file.
struct ProgramSought {
  std::string Text;
  bool Folder = false;
  // Looked at as a 64-bit process sees the system, for a scope other than the 32-bit programs'.
  bool Native = true;

  // The same for every row that asks the same: the answers are kept and matched by it.
  std::string Key() const { return (Folder ? "file\n" : Native ? "64\n" : "32\n") + Text; }
};

struct PublisherAnswer {
  ProgramFile File;
  std::string Text;
  // Signed by Windows itself (platform::Signature::Windows), never guessed from a name or a path.
  bool Windows = false;
};

// The cell's text for a program file, its signature (Verdict::NotChecked where none could be checked) and
// its version resource's company name.
std::string PublisherText(const ProgramFile& file, const platform::Signature& signature,
                          const std::string& company);

// Looks programs up one after the other, asking the system once for what several rows share. Slow (disks,
// signatures): for a worker, which owns it.
class PublisherLookup {
 public:
  // `signatures` may be null: then no signature is checked, and a found file says kNotChecked.
  PublisherLookup(const ProgramSearch& search, platform::Signatures* signatures);
  PublisherAnswer operator()(const ProgramSought& sought);

 private:
  struct Signed {
    platform::Signature Signature;
    std::string Company;
  };

  ProgramSearch search_;
  platform::Signatures* signatures_;
  ProgramLooks looks_;
  // By the file as this process reads it.
  std::map<std::string, Signed> files_;
};

}  // namespace vantrel
