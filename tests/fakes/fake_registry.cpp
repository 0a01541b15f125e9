#include "fake_registry.h"

#include <algorithm>
#include <unordered_map>

#include "framework/registry_key.h"
#include "platform/unicode.h"

namespace vantrel::fakes {

using platform::HKey;

namespace {

// One letter of a name as Windows compares it: without regard to case, for ASCII, Greek and Cyrillic.
char16_t fold(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= 0x0391 && c <= 0x03A9 && c != 0x03A2) ||
      (c >= 0x0410 && c <= 0x042F)) {
    return static_cast<char16_t>(c + 0x20);
  }
  if (c >= 0x0400 && c <= 0x040F) {
    return static_cast<char16_t>(c + 0x50);
  }
  return c == 0x03C2 ? char16_t{0x03C3} : c;  // final sigma
}

std::u16string folded(std::u16string_view name) {
  std::u16string text(name);
  std::transform(text.begin(), text.end(), text.begin(), fold);
  return text;
}

std::u16string wide(const char16_t* text) {
  return text ? std::u16string(text) : std::u16string();
}

std::vector<std::u16string> segments(const std::u16string& path) {
  std::vector<std::u16string> parts;
  std::u16string part;
  for (const char16_t c : path) {
    if (c == u'\\') {
      if (!part.empty()) {
        parts.push_back(part);
      }
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) {
    parts.push_back(part);
  }
  return parts;
}

constexpr std::uint32_t kKeySetValue = 0x2;
constexpr std::uint32_t kKeyViews = platform::kKeyWow64_64Key | platform::kKeyWow64_32Key;

bool asksMoreThanReading(std::uint32_t access) {
  return (access & ~(platform::kKeyRead | kKeyViews)) != 0;
}

// Copies data into a caller's buffer the way the registry does: the size always, the bytes when they fit.
long deliver(const std::vector<std::uint8_t>& bytes, std::uint8_t* data, std::uint32_t* dataSize) {
  if (!dataSize) {
    return data ? platform::kErrorInvalidHandle : platform::kErrorSuccess;
  }
  const auto size = static_cast<std::uint32_t>(bytes.size());
  if (data && *dataSize < size) {
    *dataSize = size;
    return platform::kErrorMoreData;
  }
  if (data) {
    std::copy(bytes.begin(), bytes.end(), data);
  }
  *dataSize = size;
  return platform::kErrorSuccess;
}

}  // namespace

struct FakeRegistry::Key {
  struct Stored {
    std::u16string name;
    std::u16string folded;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
  };

  std::string path;                                         // as shown in the log, e.g. "HKLM\\Software"
  std::map<std::u16string, std::unique_ptr<Key>> children;  // by folded name
  bool deniedWriting = false;
  bool deniedAll = false;
  // In enumeration (creation) order, by a number that only grows; by folded name beside, so that thousands
  // of values are looked up and deleted without a search.
  using Values = std::map<std::uint64_t, Stored>;
  Values values;
  std::unordered_map<std::u16string, std::uint64_t> numbers;
  std::uint64_t nextNumber = 0;
  // The last value enumerated, so that enumerating in order takes one step per value.
  std::uint32_t cachedIndex = 0;
  Values::iterator cached = values.end();

  Values::iterator at(std::u16string_view name) {
    const auto found = numbers.find(folded(name));
    return found == numbers.end() ? values.end() : values.find(found->second);
  }
  const Stored* value(std::u16string_view name) {
    const auto found = at(name);
    return found == values.end() ? nullptr : &found->second;
  }
  const Stored* valueAt(std::uint32_t index) {
    if (index >= values.size()) {
      return nullptr;
    }
    if (cached == values.end() || index < cachedIndex) {
      cached = values.begin();
      cachedIndex = 0;
    }
    for (; cachedIndex < index; ++cachedIndex) {
      ++cached;
    }
    return &cached->second;
  }
  // Replaces a value in place, keeping its place in the enumeration, or appends a new one.
  void assign(std::u16string_view name, std::uint32_t type, std::vector<std::uint8_t> data) {
    if (const auto found = at(name); found != values.end()) {
      found->second.type = type;
      found->second.data = std::move(data);
    } else {
      numbers[folded(name)] = nextNumber;
      values.emplace(nextNumber++, Stored{std::u16string(name), folded(name), type, std::move(data)});
    }
  }
  void erase(Values::iterator value) {
    numbers.erase(value->second.folded);
    values.erase(value);
    cached = values.end();
  }
};

FakeRegistry::FakeRegistry() {
  const std::pair<HKey, const char*> roots[] = {{platform::kHKeyCurrentUser, "HKCU"},
                                                {platform::kHKeyLocalMachine, "HKLM"},
                                                {platform::kHKeyPerformanceData, "HKPD"},
                                                {platform::kHKeyDynData, "HKDD"}};
  for (const auto& [root, name] : roots) {
    roots_[root] = std::make_unique<Key>();
    roots_[root]->path = name;
  }
}

FakeRegistry::~FakeRegistry() = default;

FakeRegistry::Key* FakeRegistry::find(HKey root, const std::u16string& path) const {
  Key* key = resolve(root);
  for (const std::u16string& part : segments(path)) {
    if (!key) {
      return nullptr;
    }
    const auto child = key->children.find(folded(part));
    key = child == key->children.end() ? nullptr : child->second.get();
  }
  return key;
}

FakeRegistry::Key* FakeRegistry::make(HKey root, const std::u16string& path) {
  Key* key = resolve(root);
  for (const std::u16string& part : segments(path)) {
    auto& child = key->children[folded(part)];
    if (!child) {
      child = std::make_unique<Key>();
      child->path = key->path + "\\" + Utf16ToUtf8(part);
    }
    key = child.get();
  }
  return key;
}

FakeRegistry::Key* FakeRegistry::resolve(HKey key) const {
  if (const auto root = roots_.find(key); root != roots_.end()) {
    return root->second.get();
  }
  const Handle* open = handle(key);
  return open ? open->key : nullptr;
}

const FakeRegistry::Handle* FakeRegistry::handle(HKey key) const {
  const auto found = handles_.find(key);
  return found == handles_.end() ? nullptr : &found->second;
}

std::string FakeRegistry::describe(HKey key, const std::u16string& subKey) const {
  const Key* base = resolve(key);
  std::string text = base ? base->path : "?";
  if (!subKey.empty()) {
    text += "\\" + Utf16ToUtf8(subKey);
  }
  return text;
}

std::u16string FakeRegistry::viewed(HKey key, const char16_t* subKey, std::uint32_t access) const {
  const std::u16string path = wide(subKey);
  const bool view32 =
      (access & platform::kKeyWow64_32Key) || (program32 && !(access & platform::kKeyWow64_64Key));
  if (key != platform::kHKeyLocalMachine || !system64 || !view32) {
    return path;
  }
  const std::vector<std::u16string> parts = segments(path);
  if (parts.empty() || folded(parts[0]) != u"software" ||
      (parts.size() > 1 && folded(parts[1]) == u"wow6432node")) {
    return path;
  }
  std::u16string redirected = parts[0] + u"\\WOW6432Node";
  for (std::size_t i = 1; i < parts.size(); ++i) {
    redirected += u"\\" + parts[i];
  }
  return redirected;
}

HKey FakeRegistry::open(Key* key, std::uint32_t access) {
  const HKey id = nextHandle_++;
  handles_[id] = {key, access};
  return id;
}

bool FakeRegistry::begin(const char* call, const std::string& what) {
  log.push_back(std::string(call) + " " + what);
  if (beforeCall) {
    beforeCall(call);
  }
  return faults.shouldFail(call);
}

long FakeRegistry::RegOpenKeyExW(HKey key, const char16_t* requested, std::uint32_t access, HKey* result) {
  const std::u16string path = viewed(key, requested, access);
  const bool fail = begin("RegOpenKeyExW", describe(key, path));
  accessAsked.push_back(access);
  *result = 0;
  if (fail) {
    return platform::kErrorAccessDenied;
  }
  if (!resolve(key)) {
    return platform::kErrorInvalidHandle;
  }
  Key* target = find(key, path);
  if (!target) {
    return platform::kErrorFileNotFound;
  }
  if (target->deniedAll || (target->deniedWriting && asksMoreThanReading(access))) {
    return platform::kErrorAccessDenied;
  }
  *result = open(target, access);
  return platform::kErrorSuccess;
}

long FakeRegistry::RegCreateKeyExW(HKey key, const char16_t* requested, std::uint32_t access, HKey* result,
                                   std::uint32_t* disposition) {
  const std::u16string path = viewed(key, requested, access);
  const bool fail = begin("RegCreateKeyExW", describe(key, path));
  accessAsked.push_back(access);
  *result = 0;
  if (fail) {
    return platform::kErrorAccessDenied;
  }
  Key* existing = resolve(key);
  if (!existing) {
    return platform::kErrorInvalidHandle;
  }
  // Creation needs writing rights on the deepest key that exists already.
  bool created = false;
  for (const std::u16string& part : segments(path)) {
    const auto child = existing->children.find(folded(part));
    if (child == existing->children.end()) {
      created = true;
      break;
    }
    existing = child->second.get();
  }
  if (existing->deniedAll || existing->deniedWriting) {
    return platform::kErrorAccessDenied;
  }
  Key* target = make(key, path);
  if (disposition) {
    *disposition = created ? platform::kRegCreatedNewKey : platform::kRegOpenedExistingKey;
  }
  *result = open(target, access);
  return platform::kErrorSuccess;
}

long FakeRegistry::RegQueryInfoKeyW(HKey key, std::uint32_t* values, std::uint32_t* maxValueNameLength,
                                    std::uint32_t* maxValueLength) {
  if (begin("RegQueryInfoKeyW", describe(key, u""))) {
    return platform::kErrorAccessDenied;
  }
  const Key* target = resolve(key);
  if (!target) {
    return platform::kErrorInvalidHandle;
  }
  std::uint32_t nameLength = 0;
  std::uint32_t dataLength = 0;
  for (const auto& [number, v] : target->values) {
    nameLength = std::max(nameLength, static_cast<std::uint32_t>(v.name.size()));
    dataLength = std::max(dataLength, static_cast<std::uint32_t>(v.data.size()));
  }
  if (values) {
    *values = static_cast<std::uint32_t>(target->values.size());
  }
  if (maxValueNameLength) {
    *maxValueNameLength = nameLength;
  }
  if (maxValueLength) {
    *maxValueLength = dataLength;
  }
  return platform::kErrorSuccess;
}

long FakeRegistry::RegEnumValueW(HKey key, std::uint32_t index, char16_t* name, std::uint32_t* nameLength,
                                 std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
  if (begin("RegEnumValueW", describe(key, u"") + " #" + std::to_string(index))) {
    return platform::kErrorAccessDenied;
  }
  Key* target = resolve(key);
  if (!target) {
    return platform::kErrorInvalidHandle;
  }
  const Key::Stored* found = target->valueAt(index);
  if (!found) {
    return platform::kErrorNoMoreItems;
  }
  const Key::Stored& v = *found;
  if (*nameLength <= v.name.size()) {
    return platform::kErrorMoreData;
  }
  std::copy(v.name.begin(), v.name.end(), name);
  name[v.name.size()] = u'\0';
  *nameLength = static_cast<std::uint32_t>(v.name.size());
  if (type) {
    *type = v.type;
  }
  return deliver(v.data, data, dataSize);
}

long FakeRegistry::queryValue(const char* call, HKey key, std::u16string_view valueName, std::uint32_t* type,
                              std::uint8_t* data, std::uint32_t* dataSize) {
  if (begin(call, describe(key, u"") + " [" + Utf16ToUtf8(valueName) + "]")) {
    return platform::kErrorAccessDenied;
  }
  Key* target = resolve(key);
  if (!target) {
    return platform::kErrorInvalidHandle;
  }
  const Key::Stored* v = target->value(valueName);
  if (!v) {
    return platform::kErrorFileNotFound;
  }
  if (type) {
    *type = v->type;
  }
  return deliver(v->data, data, dataSize);
}

long FakeRegistry::beginChange(const char* call, HKey key, std::u16string_view valueName, Key*& target) {
  if (begin(call, describe(key, u"") + " [" + Utf16ToUtf8(valueName) + "]")) {
    return platform::kErrorAccessDenied;
  }
  const Handle* open = handle(key);
  if (!open || !open->key) {
    return platform::kErrorInvalidHandle;
  }
  if (!(open->access & kKeySetValue)) {
    return platform::kErrorAccessDenied;
  }
  target = open->key;
  return platform::kErrorSuccess;
}

long FakeRegistry::setValue(const char* call, HKey key, std::u16string_view valueName, std::uint32_t type,
                            const std::uint8_t* data, std::uint32_t dataSize) {
  Key* target = nullptr;
  if (const long status = beginChange(call, key, valueName, target)) {
    return status;
  }
  target->assign(valueName, type, std::vector<std::uint8_t>(data, data + dataSize));
  return platform::kErrorSuccess;
}

long FakeRegistry::deleteValue(const char* call, HKey key, std::u16string_view valueName) {
  Key* target = nullptr;
  if (const long status = beginChange(call, key, valueName, target)) {
    return status;
  }
  const bool vanished = vanishing.shouldFail(call);
  const auto found = target->at(valueName);
  if (found == target->values.end()) {
    return platform::kErrorFileNotFound;
  }
  target->erase(found);
  return vanished ? platform::kErrorFileNotFound : platform::kErrorSuccess;
}

long FakeRegistry::RegQueryValueExW(HKey key, const char16_t* valueName, std::uint32_t* type,
                                    std::uint8_t* data, std::uint32_t* dataSize) {
  return queryValue("RegQueryValueExW", key, wide(valueName), type, data, dataSize);
}

long FakeRegistry::RegSetValueExW(HKey key, const char16_t* valueName, std::uint32_t type,
                                  const std::uint8_t* data, std::uint32_t dataSize) {
  return setValue("RegSetValueExW", key, wide(valueName), type, data, dataSize);
}

long FakeRegistry::RegDeleteValueW(HKey key, const char16_t* valueName) {
  return deleteValue("RegDeleteValueW", key, wide(valueName));
}

long FakeRegistry::NtQueryValueKey(HKey key, const char16_t* name, std::uint32_t nameLength,
                                   std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
  return queryValue("NtQueryValueKey", key, std::u16string_view(name, nameLength), type, data, dataSize);
}

long FakeRegistry::NtSetValueKey(HKey key, const char16_t* name, std::uint32_t nameLength, std::uint32_t type,
                                 const std::uint8_t* data, std::uint32_t dataSize) {
  return setValue("NtSetValueKey", key, std::u16string_view(name, nameLength), type, data, dataSize);
}

long FakeRegistry::NtDeleteValueKey(HKey key, const char16_t* name, std::uint32_t nameLength) {
  return deleteValue("NtDeleteValueKey", key, std::u16string_view(name, nameLength));
}

long FakeRegistry::RegCloseKey(HKey key) {
  if (begin("RegCloseKey", describe(key, u""))) {
    return platform::kErrorInvalidHandle;
  }
  if (roots_.count(key)) {
    return platform::kErrorSuccess;
  }
  return handles_.erase(key) ? platform::kErrorSuccess : platform::kErrorInvalidHandle;
}

void FakeRegistry::createKey(HKey root, const std::string& path) {
  make(root, Utf8ToUtf16(path));
}

bool FakeRegistry::keyExists(HKey root, const std::string& path) const {
  return find(root, Utf8ToUtf16(path)) != nullptr;
}

void FakeRegistry::deleteKey(HKey root, const std::string& path) {
  std::vector<std::u16string> parts = segments(Utf8ToUtf16(path));
  Key* parent = resolve(root);
  for (std::size_t i = 0; parent && i + 1 < parts.size(); ++i) {
    const auto below = parent->children.find(folded(parts[i]));
    parent = below == parent->children.end() ? nullptr : below->second.get();
  }
  if (!parent || parts.empty()) {
    return;
  }
  const auto child = parent->children.find(folded(parts.back()));
  if (child == parent->children.end()) {
    return;
  }
  std::vector<const Key*> doomed = {child->second.get()};
  for (std::size_t i = 0; i < doomed.size(); ++i) {
    for (const auto& [name, below] : doomed[i]->children) {
      doomed.push_back(below.get());
    }
  }
  for (auto& [id, open] : handles_) {
    if (std::find(doomed.begin(), doomed.end(), open.key) != doomed.end()) {
      open.key = nullptr;
    }
  }
  parent->children.erase(child);
}

void FakeRegistry::setValue(HKey root, const std::string& path, const std::string& name, std::uint32_t type,
                            const std::vector<std::uint8_t>& data) {
  make(root, Utf8ToUtf16(path))->assign(Utf8ToUtf16(name), type, data);
}

void FakeRegistry::setString(HKey root, const std::string& path, const std::string& name,
                             const std::string& text) {
  std::vector<std::uint8_t> data = Utf16LeBytes(Utf8ToUtf16(text));
  data.insert(data.end(), 2, 0);
  setValue(root, path, name, platform::kRegSz, data);
}

void FakeRegistry::setDword(HKey root, const std::string& path, const std::string& name,
                            std::uint32_t number) {
  std::vector<std::uint8_t> data(4);
  for (int i = 0; i < 4; ++i) {
    data[i] = static_cast<std::uint8_t>(number >> (8 * i));
  }
  setValue(root, path, name, platform::kRegDword, data);
}

void FakeRegistry::deleteValue(HKey root, const std::string& path, const std::string& name) {
  if (Key* key = find(root, Utf8ToUtf16(path))) {
    if (const auto found = key->at(Utf8ToUtf16(name)); found != key->values.end()) {
      key->erase(found);
    }
  }
}

std::optional<FakeRegistry::Value> FakeRegistry::value(HKey root, const std::string& path,
                                                       const std::string& name) const {
  Key* key = find(root, Utf8ToUtf16(path));
  const Key::Stored* v = key ? key->value(Utf8ToUtf16(name)) : nullptr;
  return v ? std::optional<Value>(Value{Utf16ToUtf8(v->name), v->type, v->data}) : std::nullopt;
}

std::optional<std::string> FakeRegistry::stringValue(HKey root, const std::string& path,
                                                     const std::string& name) const {
  const auto v = value(root, path, name);
  if (!v || v->type != platform::kRegSz) {
    return std::nullopt;
  }
  return StringData(v->data);
}

std::vector<std::string> FakeRegistry::valueNames(HKey root, const std::string& path) const {
  std::vector<std::string> names;
  if (const Key* key = find(root, Utf8ToUtf16(path))) {
    for (const auto& [number, v] : key->values) {
      names.push_back(Utf16ToUtf8(v.name));
    }
  }
  return names;
}

void FakeRegistry::denyWriting(HKey root, const std::string& path) {
  make(root, Utf8ToUtf16(path))->deniedWriting = true;
}

void FakeRegistry::denyAll(HKey root, const std::string& path) {
  make(root, Utf8ToUtf16(path))->deniedAll = true;
}

}  // namespace vantrel::fakes
