#include "startup/publisher_lookup.h"

#include "platform/unicode.h"
#include "startup/visible_text.h"

namespace vantrel {

std::string PublisherText(const ProgramFile& file, const platform::Signature& signature,
                          const std::string& company) {
  using Verdict = platform::Signature::Verdict;
  if (!file.Host.empty()) {
    return "(runs through " + VisibleText(file.Host) + ")";
  }
  switch (file.Is) {
    case ProgramFile::State::Unknown:
      return "";
    case ProgramFile::State::Missing:
      return kFileNotFound;
    case ProgramFile::State::NotChecked:
      return kNotChecked;
    case ProgramFile::State::Network:
      return kNotCheckedNetwork;
    case ProgramFile::State::Found:
      break;
  }
  const std::string signer = VisibleText(Utf16ToUtf8(signature.Signer));
  switch (signature.Is) {
    case Verdict::Verified:
      return "Verified: " + signer;
    case Verdict::Untrusted:
      return "Signer not trusted: " + signer;
    case Verdict::NotValid:
      return "Signature not valid";
    case Verdict::Unsigned:
      return company.empty() ? "(not verified)" : VisibleText(company) + " (not verified)";
    case Verdict::NotChecked:
      break;
  }
  return kNotChecked;
}

PublisherLookup::PublisherLookup(const ProgramSearch& search, platform::Signatures* signatures)
    : search_(search), signatures_(signatures) {
  search_.Looks = &looks_;
}

PublisherAnswer PublisherLookup::operator()(const ProgramSought& sought) {
  PublisherAnswer answer;
  answer.File = sought.Folder ? FindFolderProgram(search_, sought.Text)
                              : FindProgramFile(search_, sought.Text, sought.Native);
  Signed found;
  if (answer.File.Is == ProgramFile::State::Found && answer.File.Host.empty()) {
    const auto kept = files_.find(answer.File.Access);
    if (kept != files_.end()) {
      found = kept->second;
    } else {
      const std::u16string path = Utf8ToUtf16(answer.File.Access);
      if (signatures_) {
        found.Signature = signatures_->Check(path);
      }
      std::u16string company;
      if (found.Signature.Is == platform::Signature::Verdict::Unsigned &&
          search_.FileSystem.GetFileVersionInfoW_CompanyName(path, &company)) {
        found.Company = Utf16ToUtf8(company);
      }
      files_.emplace(answer.File.Access, found);
    }
  }
  answer.Text = PublisherText(answer.File, found.Signature, found.Company);
  // Only a signature that Windows verified as its own counts, whatever the file claims.
  answer.Windows = found.Signature.Is == platform::Signature::Verdict::Verified && found.Signature.Windows;
  return answer;
}

}  // namespace vantrel
