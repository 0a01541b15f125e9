#include "fake_profile.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

#include "platform/unicode.h"

namespace vantrel::fakes {

namespace {

std::string trimmed(const std::string& text) {
  const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
  auto begin = std::find_if_not(text.begin(), text.end(), blank);
  auto end = std::find_if_not(text.rbegin(), std::string::const_reverse_iterator(begin), blank).base();
  return std::string(begin, end);
}

bool sameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

// What a file without a byte-order mark keeps of the text: the fake system's ANSI code page is Latin-1, and
// every other character (a pair of surrogates counts as one) is written as "?".
std::string inAnsiCodePage(const std::string& text) {
  std::u16string units = Utf8ToUtf16(text);
  for (std::size_t at = 0; at < units.size(); ++at) {
    if (units[at] > 0xFF) {
      const bool pair = units[at] >= 0xD800 && units[at] <= 0xDBFF && at + 1 < units.size() &&
                        units[at + 1] >= 0xDC00 && units[at + 1] <= 0xDFFF;
      units.replace(at, pair ? 2 : 1, u"?");
    }
  }
  return Utf16ToUtf8(units);
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    lines.push_back(line);
  }
  return lines;
}

bool isSectionHeader(const std::string& line, std::string* name) {
  const std::string text = trimmed(line);
  if (text.size() < 2 || text.front() != '[' || text.find(']') == std::string::npos) {
    return false;
  }
  *name = trimmed(text.substr(1, text.find(']') - 1));
  return true;
}

// The lines [first, last) of a section's body, or first == npos when the file has no such section.
struct SectionSpan {
  std::size_t header = std::string::npos;
  std::size_t end = 0;
};

SectionSpan findSection(const std::vector<std::string>& lines, const std::string& section) {
  SectionSpan span;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string name;
    if (!isSectionHeader(lines[i], &name)) {
      continue;
    }
    if (span.header != std::string::npos) {
      span.end = i;
      return span;
    }
    if (sameName(name, section)) {
      span.header = i;
    }
  }
  span.end = lines.size();
  return span;
}

std::size_t findKey(const std::vector<std::string>& lines, const SectionSpan& span, const std::string& key) {
  for (std::size_t i = span.header + 1; i < span.end; ++i) {
    const std::size_t equals = lines[i].find('=');
    if (equals != std::string::npos && sameName(trimmed(lines[i].substr(0, equals)), key)) {
      return i;
    }
  }
  return std::string::npos;
}

}  // namespace

std::string FakeProfile::GetPrivateProfileStringW(const std::string& section, const std::string& key,
                                                  const std::string& defaultValue,
                                                  const std::u16string& path) {
  if (faults.shouldFail("GetPrivateProfileStringW")) {
    return defaultValue;
  }
  const auto content = files.find(Utf16ToUtf8(path));
  if (content == files.end()) {
    return defaultValue;
  }
  const std::vector<std::string> lines = linesOf(content->second);
  const SectionSpan span = findSection(lines, section);
  if (span.header == std::string::npos) {
    return defaultValue;
  }
  const std::size_t line = findKey(lines, span, key);
  if (line == std::string::npos) {
    return defaultValue;
  }
  return trimmed(lines[line].substr(lines[line].find('=') + 1));
}

bool FakeProfile::WritePrivateProfileStringW(const std::string& section, const std::string& key,
                                             const std::string& value, const std::u16string& path) {
  const std::string file = Utf16ToUtf8(path);
  if (faults.shouldFail("WritePrivateProfileStringW") || readOnly.count(file) != 0 || !disk_.mayWrite(file)) {
    return false;
  }
  std::vector<std::string> lines = linesOf(files[file]);
  SectionSpan span = findSection(lines, section);
  if (span.header == std::string::npos) {
    lines.push_back("[" + section + "]");
    span = {lines.size() - 1, lines.size()};
  }
  const std::string entry = inAnsiCodePage(key + "=" + value);
  const std::size_t line = findKey(lines, span, key);
  if (line != std::string::npos) {
    lines[line] = entry;
  } else {
    // After the section's last non-blank line.
    std::size_t at = span.end;
    while (at > span.header + 1 && trimmed(lines[at - 1]).empty()) {
      --at;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), entry);
  }
  std::string text;
  for (const std::string& l : lines) {
    text += l + "\r\n";
  }
  files[file] = text;
  return true;
}

}  // namespace vantrel::fakes
