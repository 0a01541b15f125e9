#include "free_all/kept_programs.h"

#include <algorithm>
#include <array>
#include <tuple>

#include "platform/unicode.h"

namespace vantrel {

namespace {

// The capital of a UTF-16 unit, as Windows' file names compare: ASCII, Latin-1, Latin Extended-A, Greek,
// Cyrillic, Armenian and the full-width Latin letters.
char16_t upper(char16_t c) {
  const auto pairs = [c](char16_t first, char16_t last, bool evenIsCapital) {
    return c >= first && c <= last && ((c % 2 == 1) == evenIsCapital) ? static_cast<char16_t>(c - 1) : c;
  };
  if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3CB) ||
      (c >= 0x430 && c <= 0x44F) || (c >= 0xFF41 && c <= 0xFF5A)) {
    return c == 0x3C2 ? char16_t{0x3A3} : static_cast<char16_t>(c - 0x20);
  }
  if (c == 0xFF) {
    return 0x178;
  }
  if (c >= 0x450 && c <= 0x45F) {
    return static_cast<char16_t>(c - 0x50);
  }
  if (c >= 0x561 && c <= 0x586) {
    return static_cast<char16_t>(c - 0x30);
  }
  if (c == 0x3AC) {
    return 0x386;
  }
  if ((c >= 0x3AD && c <= 0x3AF) || (c >= 0x3CD && c <= 0x3CE) || c == 0x3CC) {
    return static_cast<char16_t>(c == 0x3CC ? 0x38C : c - (c <= 0x3AF ? 0x25 : 0x3F));
  }
  for (const auto& [first, last, even] : std::array<std::tuple<char16_t, char16_t, bool>, 8>{{
           {0x100, 0x137, true},
           {0x139, 0x148, false},
           {0x14A, 0x177, true},
           {0x179, 0x17E, false},
           {0x460, 0x481, true},
           {0x48A, 0x4BF, true},
           {0x4C1, 0x4CE, false},
           {0x4D0, 0x52F, true},
       }}) {
    if (c >= first && c <= last) {
      return pairs(first, last, even);
    }
  }
  return c;
}

std::u16string folded(const std::string& name) {
  std::u16string text = Utf8ToUtf16(name);
  std::transform(text.begin(), text.end(), text.begin(), upper);
  return text;
}

bool blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Without the ASCII blanks and the no-break and ideographic spaces around it.
std::string trimmed(std::string text) {
  constexpr std::array<const char*, 2> kWideBlanks = {"\xC2\xA0", "\xE3\x80\x80"};
  for (bool cut = true; cut;) {
    cut = false;
    while (!text.empty() && blank(text.back())) {
      text.pop_back();
      cut = true;
    }
    while (!text.empty() && blank(text.front())) {
      text.erase(0, 1);
      cut = true;
    }
    for (const std::string wide : kWideBlanks) {
      if (text.size() >= wide.size() && text.compare(0, wide.size(), wide) == 0) {
        text.erase(0, wide.size());
        cut = true;
      }
      if (text.size() >= wide.size() && text.compare(text.size() - wide.size(), wide.size(), wide) == 0) {
        text.erase(text.size() - wide.size());
        cut = true;
      }
    }
  }
  return text;
}

}  // namespace

bool SameProgramName(const std::string& a, const std::string& b) {
  return folded(a) == folded(b);
}

KeptName AddKeptProgram(std::vector<std::string>& names, const std::string& typed, std::size_t& at) {
  const std::string name = trimmed(typed);
  if (name.empty()) {
    return KeptName::Empty;
  }
  if (name.find('|') != std::string::npos) {
    return KeptName::HasBar;
  }
  const std::u16string key = folded(name);
  at = static_cast<std::size_t>(
      std::find_if(names.begin(), names.end(), [&](const std::string& kept) { return folded(kept) == key; }) -
      names.begin());
  if (at < names.size()) {
    return KeptName::AlreadyKept;
  }
  names.push_back(name);
  return KeptName::Added;
}

std::vector<std::string> RunningProgramNames(platform::SystemMemory& system) {
  std::vector<std::pair<std::u16string, std::string>> named;
  for (const std::uint32_t id : system.EnumProcesses()) {
    std::string name = system.ProcessName(id);
    if (!name.empty()) {
      named.emplace_back(folded(name), std::move(name));
    }
  }
  std::sort(named.begin(), named.end());
  named.erase(std::unique(named.begin(), named.end(),
                          [](const auto& a, const auto& b) { return a.first == b.first; }),
              named.end());
  std::vector<std::string> names;
  for (auto& [key, name] : named) {
    names.push_back(std::move(name));
  }
  return names;
}

}  // namespace vantrel
