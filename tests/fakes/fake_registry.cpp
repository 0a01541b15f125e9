#include "fake_registry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace vantrel::fakes {

using platform::HKey;

struct FakeRegistry::Key {
  std::string path;                                      // as shown in the log, e.g. "HKLM\\Software"
  std::map<std::string, std::unique_ptr<Key>> children;  // by lower-case name
  std::vector<Value> values;
  bool deniedWriting = false;
  bool deniedAll = false;

  Value* value(const std::string& name) {
    const auto found =
        std::find_if(values.begin(), values.end(), [&](const Value& v) { return sameName(v.name, name); });
    return found == values.end() ? nullptr : &*found;
  }
  // Replaces a value in place, keeping its place in the enumeration, or appends a new one.
  void assign(const std::string& name, std::uint32_t type, std::vector<std::uint8_t> data) {
    if (Value* v = value(name)) {
      v->type = type;
      v->data = std::move(data);
    } else {
      values.push_back({name, type, std::move(data)});
    }
  }
  static bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return std::tolower(static_cast<unsigned char>(x)) ==
                    std::tolower(static_cast<unsigned char>(y));
           });
  }
};

namespace {

constexpr std::uint32_t kKeySetValue = 0x2;
constexpr std::uint32_t kKeyViews = platform::kKeyWow64_64Key | platform::kKeyWow64_32Key;

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::vector<std::string> segments(const char* path) {
  std::vector<std::string> parts;
  std::string part;
  for (const char* c = path ? path : ""; *c; ++c) {
    if (*c == '\\') {
      if (!part.empty()) {
        parts.push_back(part);
      }
      part.clear();
    } else {
      part += *c;
    }
  }
  if (!part.empty()) {
    parts.push_back(part);
  }
  return parts;
}

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

FakeRegistry::Key* FakeRegistry::find(HKey root, const std::string& path) const {
  Key* key = resolve(root);
  for (const std::string& part : segments(path.c_str())) {
    if (!key) {
      return nullptr;
    }
    const auto child = key->children.find(lower(part));
    key = child == key->children.end() ? nullptr : child->second.get();
  }
  return key;
}

FakeRegistry::Key* FakeRegistry::make(HKey root, const std::string& path) {
  Key* key = resolve(root);
  for (const std::string& part : segments(path.c_str())) {
    auto& child = key->children[lower(part)];
    if (!child) {
      child = std::make_unique<Key>();
      child->path = key->path + "\\" + part;
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

std::string FakeRegistry::describe(HKey key, const char* subKey) const {
  const Key* base = resolve(key);
  std::string text = base ? base->path : "?";
  if (subKey && *subKey) {
    text += std::string("\\") + subKey;
  }
  return text;
}

std::string FakeRegistry::viewed(HKey key, const char* subKey, std::uint32_t access) const {
  const std::string path = subKey ? subKey : "";
  const bool view32 =
      (access & platform::kKeyWow64_32Key) || (program32 && !(access & platform::kKeyWow64_64Key));
  if (key != platform::kHKeyLocalMachine || !system64 || !view32) {
    return path;
  }
  const std::vector<std::string> parts = segments(subKey);
  if (parts.empty() || lower(parts[0]) != "software" ||
      (parts.size() > 1 && lower(parts[1]) == "wow6432node")) {
    return path;
  }
  std::string redirected = parts[0] + "\\WOW6432Node";
  for (std::size_t i = 1; i < parts.size(); ++i) {
    redirected += "\\" + parts[i];
  }
  return redirected;
}

HKey FakeRegistry::open(Key* key, std::uint32_t access) {
  const HKey id = nextHandle_++;
  handles_[id] = {key, access};
  return id;
}

long FakeRegistry::RegOpenKeyExA(HKey key, const char* requested, std::uint32_t access, HKey* result) {
  const std::string path = viewed(key, requested, access);
  const char* subKey = path.c_str();
  log.push_back("RegOpenKeyExA " + describe(key, subKey));
  accessAsked.push_back(access);
  *result = 0;
  if (faults.shouldFail("RegOpenKeyExA")) {
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

long FakeRegistry::RegCreateKeyExA(HKey key, const char* requested, std::uint32_t access, HKey* result,
                                   std::uint32_t* disposition) {
  const std::string path = viewed(key, requested, access);
  const char* subKey = path.c_str();
  log.push_back("RegCreateKeyExA " + describe(key, subKey));
  accessAsked.push_back(access);
  *result = 0;
  if (faults.shouldFail("RegCreateKeyExA")) {
    return platform::kErrorAccessDenied;
  }
  Key* existing = resolve(key);
  if (!existing) {
    return platform::kErrorInvalidHandle;
  }
  // Creation needs writing rights on the deepest key that exists already.
  bool created = false;
  for (const std::string& part : segments(subKey)) {
    const auto child = existing->children.find(lower(part));
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

long FakeRegistry::RegQueryInfoKeyA(HKey key, std::uint32_t* values, std::uint32_t* maxValueNameLength,
                                    std::uint32_t* maxValueLength) {
  log.push_back("RegQueryInfoKeyA " + describe(key, nullptr));
  if (faults.shouldFail("RegQueryInfoKeyA")) {
    return platform::kErrorAccessDenied;
  }
  const Key* target = resolve(key);
  if (!target) {
    return platform::kErrorInvalidHandle;
  }
  std::uint32_t nameLength = 0;
  std::uint32_t dataLength = 0;
  for (const Value& v : target->values) {
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

long FakeRegistry::RegEnumValueA(HKey key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                                 std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
  log.push_back("RegEnumValueA " + describe(key, nullptr) + " #" + std::to_string(index));
  if (faults.shouldFail("RegEnumValueA")) {
    return platform::kErrorAccessDenied;
  }
  const Key* target = resolve(key);
  if (!target) {
    return platform::kErrorInvalidHandle;
  }
  if (index >= target->values.size()) {
    return platform::kErrorNoMoreItems;
  }
  const Value& v = target->values[index];
  if (*nameLength <= v.name.size()) {
    return platform::kErrorMoreData;
  }
  std::memcpy(name, v.name.c_str(), v.name.size() + 1);
  *nameLength = static_cast<std::uint32_t>(v.name.size());
  if (type) {
    *type = v.type;
  }
  return deliver(v.data, data, dataSize);
}

long FakeRegistry::RegQueryValueExA(HKey key, const char* valueName, std::uint32_t* type, std::uint8_t* data,
                                    std::uint32_t* dataSize) {
  log.push_back("RegQueryValueExA " + describe(key, nullptr) + " [" + (valueName ? valueName : "") + "]");
  if (faults.shouldFail("RegQueryValueExA")) {
    return platform::kErrorAccessDenied;
  }
  Key* target = resolve(key);
  if (!target) {
    return platform::kErrorInvalidHandle;
  }
  const Value* v = target->value(valueName ? valueName : "");
  if (!v) {
    return platform::kErrorFileNotFound;
  }
  if (type) {
    *type = v->type;
  }
  return deliver(v->data, data, dataSize);
}

long FakeRegistry::beginChange(const char* call, HKey key, const char* valueName, Key*& target) {
  log.push_back(std::string(call) + " " + describe(key, nullptr) + " [" + (valueName ? valueName : "") + "]");
  if (faults.shouldFail(call)) {
    return platform::kErrorAccessDenied;
  }
  const Handle* open = handle(key);
  if (!open) {
    return platform::kErrorInvalidHandle;
  }
  if (!(open->access & kKeySetValue)) {
    return platform::kErrorAccessDenied;
  }
  target = open->key;
  return platform::kErrorSuccess;
}

long FakeRegistry::RegSetValueExA(HKey key, const char* valueName, std::uint32_t type,
                                  const std::uint8_t* data, std::uint32_t dataSize) {
  Key* target = nullptr;
  if (const long status = beginChange("RegSetValueExA", key, valueName, target)) {
    return status;
  }
  target->assign(valueName ? valueName : "", type, std::vector<std::uint8_t>(data, data + dataSize));
  return platform::kErrorSuccess;
}

long FakeRegistry::RegDeleteValueA(HKey key, const char* valueName) {
  Key* target = nullptr;
  if (const long status = beginChange("RegDeleteValueA", key, valueName, target)) {
    return status;
  }
  auto& values = target->values;
  const std::string name = valueName ? valueName : "";
  const auto found =
      std::find_if(values.begin(), values.end(), [&](const Value& v) { return Key::sameName(v.name, name); });
  if (found == values.end()) {
    return platform::kErrorFileNotFound;
  }
  values.erase(found);
  return platform::kErrorSuccess;
}

long FakeRegistry::RegCloseKey(HKey key) {
  log.push_back("RegCloseKey " + describe(key, nullptr));
  if (faults.shouldFail("RegCloseKey")) {
    return platform::kErrorInvalidHandle;
  }
  if (roots_.count(key)) {
    return platform::kErrorSuccess;
  }
  return handles_.erase(key) ? platform::kErrorSuccess : platform::kErrorInvalidHandle;
}

void FakeRegistry::createKey(HKey root, const std::string& path) {
  make(root, path);
}

bool FakeRegistry::keyExists(HKey root, const std::string& path) const {
  return find(root, path) != nullptr;
}

void FakeRegistry::setValue(HKey root, const std::string& path, const std::string& name, std::uint32_t type,
                            const std::vector<std::uint8_t>& data) {
  make(root, path)->assign(name, type, data);
}

void FakeRegistry::setString(HKey root, const std::string& path, const std::string& name,
                             const std::string& text) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
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

std::optional<FakeRegistry::Value> FakeRegistry::value(HKey root, const std::string& path,
                                                       const std::string& name) const {
  Key* key = find(root, path);
  const Value* v = key ? key->value(name) : nullptr;
  return v ? std::optional<Value>(*v) : std::nullopt;
}

std::optional<std::string> FakeRegistry::stringValue(HKey root, const std::string& path,
                                                     const std::string& name) const {
  const auto v = value(root, path, name);
  if (!v || v->type != platform::kRegSz) {
    return std::nullopt;
  }
  std::string text(v->data.begin(), v->data.end());
  return text.substr(0, text.find('\0'));
}

std::vector<std::string> FakeRegistry::valueNames(HKey root, const std::string& path) const {
  std::vector<std::string> names;
  if (const Key* key = find(root, path)) {
    for (const Value& v : key->values) {
      names.push_back(v.name);
    }
  }
  return names;
}

void FakeRegistry::denyWriting(HKey root, const std::string& path) {
  make(root, path)->deniedWriting = true;
}

void FakeRegistry::denyAll(HKey root, const std::string& path) {
  make(root, path)->deniedAll = true;
}

}  // namespace vantrel::fakes
