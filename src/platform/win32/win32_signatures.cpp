// Win32 only: Authenticode and catalog signatures through WinVerifyTrust. wintrust and crypt32 are no known
// DLLs, so an import would be looked for in the program's folder first: both are loaded from the system
// folder, and only once a file is checked.
#include "platform/win32/win32_signatures.h"

#include <cstddef>
#include <string>
#include <vector>

#include "platform/win32/com.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/system_library.h"
#include "platform/win32/windows_api.h"
// After <windows.h>, which they need.
#include <wincrypt.h>
// After <wincrypt.h>, which it needs.
#include <wintrust.h>
// After <wintrust.h>, which they need.
#include <mscat.h>
#include <softpub.h>

namespace vantrel::platform::win32 {

using Verdict = Signature::Verdict;

struct Win32Signatures::Calls {
  HeldLibrary wintrust{L"wintrust.dll"};
  HeldLibrary crypt32{L"crypt32.dll"};

  template <typename Fn>
  Fn trust(const char* name) const {
    return SystemCall<Fn>(wintrust.get(), name);
  }
  template <typename Fn>
  Fn crypt(const char* name) const {
    return SystemCall<Fn>(crypt32.get(), name);
  }

  decltype(&::WinVerifyTrust) winVerifyTrust = trust<decltype(winVerifyTrust)>("WinVerifyTrust");
  decltype(&::WTHelperProvDataFromStateData) providerData =
      trust<decltype(providerData)>("WTHelperProvDataFromStateData");
  decltype(&::WTHelperGetProvSignerFromChain) signerOf =
      trust<decltype(signerOf)>("WTHelperGetProvSignerFromChain");
  decltype(&::WTHelperGetProvCertFromChain) certificateOf =
      trust<decltype(certificateOf)>("WTHelperGetProvCertFromChain");
  // From Windows 8: catalogs of SHA-256 hashes. Null before.
  decltype(&::CryptCATAdminAcquireContext2) acquire2 =
      trust<decltype(acquire2)>("CryptCATAdminAcquireContext2");
  decltype(&::CryptCATAdminCalcHashFromFileHandle2) hash2 =
      trust<decltype(hash2)>("CryptCATAdminCalcHashFromFileHandle2");
  decltype(&::CryptCATAdminAcquireContext) acquire = trust<decltype(acquire)>("CryptCATAdminAcquireContext");
  decltype(&::CryptCATAdminCalcHashFromFileHandle) hash =
      trust<decltype(hash)>("CryptCATAdminCalcHashFromFileHandle");
  decltype(&::CryptCATAdminEnumCatalogFromHash) catalogFromHash =
      trust<decltype(catalogFromHash)>("CryptCATAdminEnumCatalogFromHash");
  decltype(&::CryptCATCatalogInfoFromContext) catalogInfo =
      trust<decltype(catalogInfo)>("CryptCATCatalogInfoFromContext");
  decltype(&::CryptCATAdminReleaseCatalogContext) releaseCatalog =
      trust<decltype(releaseCatalog)>("CryptCATAdminReleaseCatalogContext");
  decltype(&::CryptCATAdminReleaseContext) releaseAdmin =
      trust<decltype(releaseAdmin)>("CryptCATAdminReleaseContext");
  decltype(&::CertGetNameStringW) nameOf = crypt<decltype(nameOf)>("CertGetNameStringW");
  decltype(&::CertVerifyCertificateChainPolicy) chainPolicy =
      crypt<decltype(chainPolicy)>("CertVerifyCertificateChainPolicy");
  decltype(&::CertGetEnhancedKeyUsage) keyUsage = crypt<decltype(keyUsage)>("CertGetEnhancedKeyUsage");

  // The file's own signature's calls; the catalog's are looked at where they are needed.
  bool usable() const {
    return winVerifyTrust && providerData && signerOf && certificateOf && nameOf && chainPolicy && keyUsage;
  }
};

namespace {

// WINTRUST_CATALOG_INFO as Windows 8 reads it, with the catalog context whose hash the file's was made with;
// the headers leave the field out for the older Windows this program is built for.
struct CatalogInfo {
  WINTRUST_CATALOG_INFO info;
  HCATADMIN admin;
};
static_assert(sizeof(CatalogInfo) == sizeof(WINTRUST_CATALOG_INFO) + sizeof(HCATADMIN));

// Windows' system component verification, which the certificates of Windows' own files hold.
constexpr char kWindowsComponent[] = "1.3.6.1.4.1.311.10.3.6";
// The usages the certificate itself holds, not those a local store may have added to its copy.
constexpr DWORD kExtensionOnly = CERT_FIND_EXT_ONLY_ENHKEY_USAGE_FLAG;

// What WinVerifyTrust answered, and about whom.
struct Answer {
  HRESULT result = TRUST_E_NOSIGNATURE;
  std::u16string signer = {};
  bool windows = false;
};

// No signature to check here, which a catalog may supply.
bool noSignature(HRESULT result) {
  return result == TRUST_E_NOSIGNATURE || result == TRUST_E_SUBJECT_FORM_UNKNOWN ||
         result == TRUST_E_PROVIDER_UNKNOWN;
}

Verdict verdictOf(HRESULT result) {
  switch (result) {
    case ERROR_SUCCESS:
      return Verdict::Verified;
    // Intact, by a signer whom Windows does not trust.
    case CERT_E_UNTRUSTEDROOT:
    case CERT_E_CHAINING:
    case CERT_E_UNTRUSTEDTESTROOT:
    case CERT_E_UNTRUSTEDCA:
    case CERT_E_EXPIRED:
    case CERT_E_REVOKED:
    case CERT_E_WRONG_USAGE:
    case CERT_E_REVOCATION_FAILURE:
    case TRUST_E_EXPLICIT_DISTRUST:
    case TRUST_E_SUBJECT_NOT_TRUSTED:
      return Verdict::Untrusted;
    case TRUST_E_NOSIGNATURE:
    case TRUST_E_SUBJECT_FORM_UNKNOWN:
    case TRUST_E_PROVIDER_UNKNOWN:
      return Verdict::Unsigned;
    case CRYPT_E_FILE_ERROR:
      return Verdict::NotChecked;
    default:
      // The file could not be read, or the system could not check it (a Win32 error, bare or as an HRESULT):
      // not a fault of the signature.
      return result > 0 || HRESULT_FACILITY(result) == FACILITY_WIN32 ? Verdict::NotChecked
                                                                      : Verdict::NotValid;
  }
}

// The path as the W calls take it, however long: one of MAX_PATH or more made full and literal ("\\?\").
std::u16string literal(const std::u16string& path) {
  if (path.size() < MAX_PATH || path.rfind(u"\\\\?\\", 0) == 0) {
    return path;
  }
  std::u16string full(::GetFullPathNameW(wide(path), 0, nullptr, nullptr), u'\0');
  full.resize(::GetFullPathNameW(wide(path), static_cast<DWORD>(full.size()), wide(full), nullptr));
  if (full.rfind(u"\\\\", 0) == 0) {
    return u"\\\\?\\UNC\\" + full.substr(2);
  }
  return full.size() > 2 && full[1] == u':' ? u"\\\\?\\" + full : path;
}

// The signer's name, and whether it is Windows itself, from a verification's state.
void readSigner(const Win32Signatures::Calls& calls, HANDLE state, Answer& answer) {
  CRYPT_PROVIDER_DATA* const data = calls.providerData(state);
  CRYPT_PROVIDER_SGNR* const signer = data ? calls.signerOf(data, 0, FALSE, 0) : nullptr;
  CRYPT_PROVIDER_CERT* const certificate = signer ? calls.certificateOf(signer, 0) : nullptr;
  if (certificate == nullptr || certificate->pCert == nullptr) {
    return;
  }
  const DWORD size = calls.nameOf(certificate->pCert, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, nullptr, 0);
  if (size > 1) {
    std::u16string name(size, u'\0');
    const DWORD written =
        calls.nameOf(certificate->pCert, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, wide(name), size);
    name.resize(written > 0 ? written - 1 : 0);
    answer.signer = name.substr(0, name.find(u'\0'));
  }
  if (answer.result != ERROR_SUCCESS || signer->pChainContext == nullptr) {
    return;
  }
  // Wine (8.0) answers success for a chain that ends in a root no store trusts, though the chain says so.
  if (signer->pChainContext->TrustStatus.dwErrorStatus &
      (CERT_TRUST_IS_UNTRUSTED_ROOT | CERT_TRUST_IS_PARTIAL_CHAIN)) {
    answer.result = CERT_E_UNTRUSTEDROOT;
    return;
  }
  CERT_CHAIN_POLICY_PARA policy{};
  policy.cbSize = sizeof policy;
  CERT_CHAIN_POLICY_STATUS status{};
  status.cbSize = sizeof status;
  const bool makersRoot =
      calls.chainPolicy(CERT_CHAIN_POLICY_MICROSOFT_ROOT, signer->pChainContext, &policy, &status) &&
      status.dwError == 0;
  DWORD usageSize = 0;
  if (!makersRoot || !calls.keyUsage(certificate->pCert, kExtensionOnly, nullptr, &usageSize) ||
      usageSize == 0) {
    return;
  }
  std::vector<BYTE> usageBytes(usageSize);
  const auto usage = reinterpret_cast<CERT_ENHKEY_USAGE*>(usageBytes.data());
  if (!calls.keyUsage(certificate->pCert, kExtensionOnly, usage, &usageSize)) {
    return;
  }
  for (DWORD i = 0; i < usage->cUsageIdentifier; ++i) {
    if (std::string(usage->rgpszUsageIdentifier[i]) == kWindowsComponent) {
      answer.windows = true;
    }
  }
}

// WinVerifyTrust without a window and without the network, its state always closed.
Answer verify(const Win32Signatures::Calls& calls, WINTRUST_DATA& data) {
  GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
  data.cbStruct = sizeof data;
  data.dwUIChoice = WTD_UI_NONE;
  // Revocation from what the system has cached: a check never waits for a server.
  data.fdwRevocationChecks = WTD_REVOKE_WHOLECHAIN;
  data.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL;
  data.dwStateAction = WTD_STATEACTION_VERIFY;
  Answer answer;
  answer.result = calls.winVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
  const Verdict verdict = verdictOf(answer.result);
  if (data.hWVTStateData != nullptr && (verdict == Verdict::Verified || verdict == Verdict::Untrusted)) {
    readSigner(calls, data.hWVTStateData, answer);
  }
  data.dwStateAction = WTD_STATEACTION_CLOSE;
  calls.winVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
  return answer;
}

// A catalog context of the system's catalogs, released when it goes.
class CatalogAdmin {
 public:
  explicit CatalogAdmin(const Win32Signatures::Calls& calls) : calls_(calls) {}
  ~CatalogAdmin() {
    if (admin_ != nullptr) {
      calls_.releaseAdmin(admin_, 0);
    }
  }
  CatalogAdmin(const CatalogAdmin&) = delete;
  CatalogAdmin& operator=(const CatalogAdmin&) = delete;
  HCATADMIN* put() { return &admin_; }
  HCATADMIN get() const { return admin_; }

 private:
  const Win32Signatures::Calls& calls_;
  HCATADMIN admin_ = nullptr;
};

// The file's catalog signature: with SHA-256 hashes first where Windows has them, then SHA-1.
// TRUST_E_NOSIGNATURE where no catalog holds the file; a Win32 error where the catalogs could not be asked.
Answer verifyByCatalog(const Win32Signatures::Calls& calls, const std::u16string& path, HANDLE file) {
  if (!calls.acquire || !calls.hash || !calls.catalogFromHash || !calls.catalogInfo ||
      !calls.releaseCatalog || !calls.releaseAdmin) {
    return {HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND)};
  }
  GUID driverAction = DRIVER_ACTION_VERIFY;
  Answer answer{TRUST_E_NOSIGNATURE};
  for (const bool sha256 : {true, false}) {
    if (sha256 && (!calls.acquire2 || !calls.hash2)) {
      continue;
    }
    CatalogAdmin admin(calls);
    const bool acquired = sha256 ? calls.acquire2(admin.put(), &driverAction, L"SHA256", nullptr, 0)
                                 : calls.acquire(admin.put(), &driverAction, 0);
    if (!acquired) {
      answer = {HRESULT_FROM_WIN32(::GetLastError())};
      continue;
    }
    std::vector<BYTE> hash(64);
    DWORD size = static_cast<DWORD>(hash.size());
    ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    const bool hashed = sha256 ? calls.hash2(admin.get(), file, &size, hash.data(), 0)
                               : calls.hash(file, &size, hash.data(), 0);
    if (!hashed) {
      answer = {HRESULT_FROM_WIN32(::GetLastError())};
      continue;
    }
    hash.resize(size);
    HCATINFO catalog = calls.catalogFromHash(admin.get(), hash.data(), size, 0, nullptr);
    if (catalog == nullptr) {
      continue;
    }
    CATALOG_INFO info{};
    info.cbStruct = sizeof info;
    if (!calls.catalogInfo(catalog, &info, 0)) {
      answer = {HRESULT_FROM_WIN32(::GetLastError())};
      calls.releaseCatalog(admin.get(), catalog, 0);
      continue;
    }
    // The catalog names its members by their hash in upper-case hexadecimal.
    std::u16string tag;
    for (const BYTE byte : hash) {
      constexpr char16_t digits[] = u"0123456789ABCDEF";
      tag += digits[byte >> 4];
      tag += digits[byte & 0x0f];
    }
    CatalogInfo member{};
    member.info.cbStruct = sha256 ? sizeof member : sizeof member.info;
    member.info.pcwszCatalogFilePath = info.wszCatalogFile;
    member.info.pcwszMemberTag = wide(tag);
    member.info.pcwszMemberFilePath = wide(path);
    member.info.hMemberFile = file;
    member.info.pbCalculatedFileHash = hash.data();
    member.info.cbCalculatedFileHash = size;
    member.admin = admin.get();
    ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    WINTRUST_DATA data{};
    data.dwUnionChoice = WTD_CHOICE_CATALOG;
    data.pCatalog = &member.info;
    answer = verify(calls, data);
    calls.releaseCatalog(admin.get(), catalog, 0);
    return answer;
  }
  return answer;
}

}  // namespace

Win32Signatures::Win32Signatures() = default;
Win32Signatures::~Win32Signatures() = default;

Signature Win32Signatures::Check(const std::u16string& path) {
  std::call_once(loading_, [this] { calls_ = std::make_unique<Calls>(); });
  const Calls& calls = *calls_;
  if (!calls.usable() || path.empty() || path.find(u'\0') != std::u16string::npos) {
    return {Verdict::NotChecked, u"", false};
  }
  const std::u16string name = literal(path);
  // Opened here, so that a file that cannot be read is told from one without a signature, and the signature
  // and the catalog's hash are of the same file.
  ScopedFile file(::CreateFileW(wide(name), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) {
    return {Verdict::NotChecked, u"", false};
  }
  WINTRUST_FILE_INFO subject{};
  subject.cbStruct = sizeof subject;
  subject.pcwszFilePath = wide(name);
  subject.hFile = file.get();
  WINTRUST_DATA data{};
  data.dwUnionChoice = WTD_CHOICE_FILE;
  data.pFile = &subject;
  Answer answer = verify(calls, data);
  if (noSignature(answer.result)) {
    answer = verifyByCatalog(calls, name, file.get());
  }
  const Verdict verdict = verdictOf(answer.result);
  const bool named = verdict == Verdict::Verified || verdict == Verdict::Untrusted;
  return {verdict, named ? answer.signer : u"", verdict == Verdict::Verified && answer.windows};
}

}  // namespace vantrel::platform::win32
